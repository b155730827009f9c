#include "painted_shapes.h"

#include <QFontMetrics>
#include <QString>

#include "pixel_colour.h"

namespace quorvel {

namespace {

int QtFlags(unsigned format) {
    int flags = (format & kTextRight) != 0     ? Qt::AlignRight
                : (format & kTextHCentre) != 0 ? Qt::AlignHCenter
                                               : Qt::AlignLeft;
    flags |= (format & kTextVCentre) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
    if ((format & kTextWordBreak) != 0) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

}  // namespace

void PaintTextBox(QPainter& painter, const PixelRect& box, unsigned format, std::string_view text,
                  ColorRef colour) {
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    painter.save();
    // The user-interface font is the one a painter starts with.
    painter.setFont(QFont());
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(ToQColor(colour));
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if ((format & kTextUpward) != 0) {
        // Integer halves, so that the box turns about the pixel its own halves meet at.
        const int cx = box.left + width / 2;
        const int cy = box.top + height / 2;
        painter.translate(cx, cy);
        painter.rotate(-90);
        painter.drawText(QRect(-height / 2, -width / 2, height, width), QtFlags(format), qtext);
    } else {
        painter.drawText(QRect(box.left, box.top, width, height), QtFlags(format), qtext);
    }
    painter.restore();
}

int TextBoxLineHeight(const QPainter& painter) {
    return QFontMetrics(QFont(), painter.device()).height();
}

void PaintSmoothCircle(QPainter& painter, double x, double y, double radius, const PenSpec& pen) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ToQColor(pen.colour), pen.width));
    painter.drawEllipse(QPointF(x, y), radius, radius);
    painter.restore();
}

}  // namespace quorvel
