#include "app/export_png.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

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

}  // namespace

std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker) {
    return Png(ComposeChartArea(plan, width, height, marker.value_or(MarkerPoint{})));
}

std::optional<QByteArray> SpectrumPng(const PlanFields& plan, const SpurModel& model, int width,
                                      int height) {
    return Png(ComposeSpectrum(plan, model, width, height));
}

}  // namespace quorvel
