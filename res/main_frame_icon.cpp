#include "res/main_frame_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace quorvel {

namespace {

// The picture is laid out on a 32 x 32 grid and scaled to the size asked for.
constexpr double kGrid = 32.0;

}  // namespace

QImage DrawMainFrameIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (size <= 0) {
        return image;
    }
    const double scale = size / kGrid;
    // Strokes in device pixels: one pixel at 16, thicker as the icon grows.
    const double line = size <= 16 ? 1.0 : size / 20.0;
    const double frame = size <= 32 ? 1.0 : size / 32.0;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(scale, scale);

    // Dark plot face with a grey frame, as the charts' axes.
    painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), frame / scale));
    painter.setBrush(QColor(0x10, 0x14, 0x1C));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kGrid - 1.0, kGrid - 1.0), 4.0, 4.0);

    if (size > 16) {
        painter.setPen(QPen(QColor(0x50, 0x50, 0x50), frame / scale));
        for (const double x : {8.5, 16.5, 24.5}) {
            painter.drawLine(QPointF(x, 4.0), QPointF(x, 28.0));
        }
    }

    // The IF band: a green outline standing across the plot.
    painter.setBrush(Qt::NoBrush);
    QPen band(QColor(0x00, 0xFF, 0x00), line / scale);
    band.setJoinStyle(Qt::MiterJoin);
    painter.setPen(band);
    painter.drawRect(QRectF(18.5, 6.5, 6.0, 19.0));

    // A harmonic folding back and forth across the band: the cyan zig-zag of the chart.
    QPen alias(QColor(0x00, 0xFF, 0xFF), line / scale);
    alias.setJoinStyle(Qt::MiterJoin);
    alias.setCapStyle(Qt::FlatCap);
    painter.setPen(alias);
    QPainterPath zigzag;
    zigzag.moveTo(4.0, 27.0);
    zigzag.lineTo(11.0, 5.0);
    zigzag.lineTo(18.0, 27.0);
    zigzag.lineTo(25.0, 5.0);
    zigzag.lineTo(28.5, 16.0);
    painter.drawPath(zigzag);
    return image;
}

QIcon MainFrameIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/quorvel/icons/quorvel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace quorvel
