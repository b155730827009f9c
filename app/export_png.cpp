#include "app/export_png.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "paint/paint_cycle.h"

namespace quorvel {

std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker) {
    PlanFields painted = plan;
    if (marker) {
        painted.m_markerX = marker->x;
        painted.m_markerY = marker->y;
    }
    const QImage image = ComposeChartArea(painted, width, height);
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
