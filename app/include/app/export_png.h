// The chart area as a PNG image, composed exactly as the paint cycle does, off-screen.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

#include "app/cli_options.h"
#include "app/export_clean.h"
#include "app/export_vector.h"
#include "charts/chart_look.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// Composes the chart area for the plan, with the marker readout of a left click at
/// `marker` when one is given, and encodes it as PNG: an image of width x height pixels, in
/// which a look of scale s lays the chart out on width / s x height / s pixels (rounded up;
/// the marker is in those). The default look is the window's paint. Needs a
/// QGuiApplication (fonts). Returns nothing when the image cannot be made or encoded.
std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker,
                                       const ChartLook& look = {});

/// The folded spectrum's size when --size is not given: the clean map's, the other image of
/// a window beside the main one.
inline constexpr int kDefaultSpectrumWidth = kDefaultCleanMapWidth;
inline constexpr int kDefaultSpectrumHeight = kDefaultCleanMapHeight;

/// The folded spectrum of the plan and model as PNG bytes, width x height pixels in `look`
/// as for ChartAreaPng, or nothing when the image cannot be made or encoded. Needs a
/// QGuiApplication.
std::optional<QByteArray> SpectrumPng(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, const ChartLook& look = {});
/// The spectrum as its window shows it: from a layout already made, at its size, with the
/// measured trace and its peaks when given.
std::optional<QByteArray> SpectrumPng(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      const ChartLook& look = {});

/// The chart pixels an image of width x height device pixels at `scale` is laid out on:
/// each side divided by the scale, rounded up, so that the chart covers the whole image.
struct ScaledImageSize {
    int chartWidth = 0;
    int chartHeight = 0;
};
ScaledImageSize ScaledImageSizeOf(int width, int height, int scale);

/// `image` cut to width x height from its top left where it is larger; its device pixel
/// ratio and dots per metre kept.
QImage CutToSize(const QImage& image, int width, int height);

/// An image export's size in its file's pixels (units for SVG and PDF): --size when given,
/// else the export's default, times --scale for a PNG.
struct ExportImageSize {
    int width = 0;
    int height = 0;
};
ExportImageSize ExportSizeOf(const CliRequest& request, ImageFormat format, int defaultWidth,
                             int defaultHeight);

/// The look of the request's PNG exports: --scale and --theme.
ChartLook PngLookOf(const CliRequest& request);

}  // namespace quorvel
