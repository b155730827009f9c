#include "app/export_png.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cstdint>

#include "paint/paint_cycle.h"
#include "paint/spectrum_image.h"

namespace quorvel {

namespace {

std::optional<QByteArray> Png(const QImage& image) {
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return std::nullopt;
    }
    return bytes;
}

int HeldScale(int scale) {
    return std::clamp(scale, 1, kMostChartScale);
}

}  // namespace

ScaledImageSize ScaledImageSizeOf(int width, int height, int scale) {
    const std::int64_t s = HeldScale(scale);
    return {static_cast<int>((width + s - 1) / s), static_cast<int>((height + s - 1) / s)};
}

QImage CutToSize(const QImage& image, int width, int height) {
    if (image.isNull() || (image.width() <= width && image.height() <= height)) {
        return image;
    }
    return image.copy(0, 0, std::min(width, image.width()), std::min(height, image.height()));
}

ExportImageSize ExportSizeOf(const CliRequest& request, ImageFormat format, int defaultWidth,
                             int defaultHeight) {
    if (request.sizeGiven) {
        return {request.width, request.height};
    }
    const int scale = format == ImageFormat::kPng ? HeldScale(request.scale) : 1;
    return {defaultWidth * scale, defaultHeight * scale};
}

ChartLook PngLookOf(const CliRequest& request) {
    return {.scale = request.scale, .theme = request.theme};
}

std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker, const ChartLook& look) {
    const ScaledImageSize chart = ScaledImageSizeOf(width, height, look.scale);
    return Png(CutToSize(ComposeChartArea(plan, chart.chartWidth, chart.chartHeight,
                                          marker.value_or(MarkerPoint{}), std::nullopt, look),
                         width, height));
}

std::optional<QByteArray> SpectrumPng(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, const ChartLook& look) {
    const ScaledImageSize chart = ScaledImageSizeOf(width, height, look.scale);
    return Png(CutToSize(
        ComposeSpectrum(LayOutSpectrum(plan, model, chart.chartWidth, chart.chartHeight), look),
        width, height));
}

std::optional<QByteArray> SpectrumPng(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      const ChartLook& look) {
    return Png(ComposeSpectrum(layout, look, measured));
}

}  // namespace quorvel
