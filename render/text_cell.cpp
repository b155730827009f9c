#include "render/text_cell.h"

#include <QFontMetrics>
#include <QTransform>

#include "render/cell_font.h"
#include "render/pixel_colour.h"

namespace quorvel {

void PrepareChartPainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(ToQColor(kWhite));
}

void PaintTextCell(QPainter& painter, const QRect& bounds, int x, int y, std::string_view text,
                   const TextState& state) {
    if (text.empty()) {
        return;
    }
    const CellFont& cell = CachedCellFont(state.font.height);
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const int advance = cell.metrics.horizontalAdvance(qtext);

    // The cell in the text's own frame, relative to the reference point.
    int cellLeft = 0;
    if ((state.align & kAlignCenter) == kAlignCenter) {
        cellLeft = -(advance / 2);
    } else if ((state.align & kAlignRight) != 0) {
        cellLeft = -advance;
    }
    const int cellTop = (state.align & kAlignBottom) != 0 ? -cell.cellHeight : 0;
    const QRect cellRect(cellLeft, cellTop, advance, cell.cellHeight);

    QTransform toImage;
    toImage.translate(x, y);
    if (state.font.escapement % 3600 != 0) {
        // Escapement turns counter-clockwise on screen; y grows downward here.
        toImage.rotate(-state.font.escapement / 10.0);
    }
    if (!toImage.mapRect(QRectF(cellRect)).intersects(QRectF(bounds))) {
        return;
    }

    painter.save();
    painter.setTransform(toImage);
    painter.fillRect(cellRect, QBrush(ToQColor(state.background)));
    // The cell is already filled: the glyphs go on it without a background of their own.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(ToQColor(state.colour));
    painter.setFont(cell.font);
    painter.drawText(QPoint(cellLeft, cellTop + cell.ascent), qtext);
    painter.restore();
}

}  // namespace quorvel
