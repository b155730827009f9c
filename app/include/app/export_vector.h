// The charts as vector files: an SVG document or a one-page PDF, drawn as shapes and text at
// the size asked for, one unit (1/96 inch in the PDF) to the chart's pixel.
#pragma once

#include <QByteArray>
#include <optional>
#include <string_view>
#include <variant>

#include "app/export_clean.h"
#include "charts/chart_theme.h"
#include "charts/marker_point.h"
#include "charts/measured_overlay.h"
#include "charts/spectrum_layout.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// What the image exports that take their format from the file name write.
enum class ImageFormat { kPng, kSvg, kPdf };

/// The format a file name asks for by its extension, in any case: .svg and .pdf, and PNG for
/// every other name.
ImageFormat ImageFormatOfName(std::string_view name);

/// The chart area of width x height pixels, with the marker readout of a left click at
/// `marker` when one is given, as an SVG document or a PDF page. Need a QGuiApplication
/// (fonts). Nothing when the file cannot be made.
std::optional<QByteArray> ChartAreaSvg(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker, Theme theme);
std::optional<QByteArray> ChartAreaPdf(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker, Theme theme);

/// The folded spectrum of the plan and model.
std::optional<QByteArray> SpectrumSvg(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, Theme theme);
std::optional<QByteArray> SpectrumPdf(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, Theme theme);

/// The spectrum as its window shows it: from a layout already made, at its size, with the
/// measured trace and its peaks when given.
std::optional<QByteArray> SpectrumSvg(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      Theme theme);
std::optional<QByteArray> SpectrumPdf(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      Theme theme);

/// The clean map, Fs across fsRange and the IF up ifRange, with the plan's mark; its body is
/// an image of its pixels in the file. The finder's refusal as CleanMapPng gives it.
std::variant<QByteArray, CleanExportFailure> CleanMapSvg(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, Theme theme);
std::variant<QByteArray, CleanExportFailure> CleanMapPdf(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, Theme theme);

}  // namespace quorvel
