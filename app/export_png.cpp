#include "app/export_png.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "paint/paint_cycle.h"

namespace quorvel {

std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker) {
    const QImage image = ComposeChartArea(plan, width, height, marker.value_or(MarkerPoint{}));
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

}  // namespace quorvel
