// The chart area as a PNG image, composed exactly as the paint cycle does, off-screen.
#pragma once

#include <QByteArray>
#include <optional>

#include "app/cli_options.h"
#include "app/export_clean.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// Composes the chart area of width x height pixels for the plan, with the marker readout
/// of a left click at `marker` when one is given, and encodes it as PNG. Needs a
/// QGuiApplication (fonts). Returns nothing when the image cannot be made or encoded.
std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker);

/// The folded spectrum's size when --size is not given: the clean map's, the other image of
/// a window beside the main one.
inline constexpr int kDefaultSpectrumWidth = kDefaultCleanMapWidth;
inline constexpr int kDefaultSpectrumHeight = kDefaultCleanMapHeight;

/// The folded spectrum of the plan and model as PNG bytes, or nothing when the image cannot
/// be made or encoded. Needs a QGuiApplication.
std::optional<QByteArray> SpectrumPng(const PlanFields& plan, const SpurModel& model, int width,
                                      int height);

}  // namespace quorvel
