#include "text_cell.h"

#include <QFontMetrics>

#include "cell_font.h"
#include "pixel_colour.h"

namespace quorvel {

TextCellPlacement PlaceTextCell(int x, int y, const QString& text, const TextState& state) {
    return PlaceTextCell(x, y, CachedCellFont(state.font.height).metrics.horizontalAdvance(text),
                         state);
}

TextCellPlacement PlaceTextCell(int x, int y, int advance, const TextState& state) {
    const CellFont& font = CachedCellFont(state.font.height);
    int cellLeft = 0;
    if ((state.align & kAlignCenter) == kAlignCenter) {
        cellLeft = -(advance / 2);
    } else if ((state.align & kAlignRight) != 0) {
        cellLeft = -advance;
    }
    const int cellTop = (state.align & kAlignBottom) != 0 ? -font.cellHeight : 0;

    TextCellPlacement placement;
    placement.cell = QRect(cellLeft, cellTop, advance, font.cellHeight);
    placement.baseline = cellTop + font.ascent;
    placement.toImage.translate(x, y);
    if (state.font.escapement % 3600 != 0) {
        // Escapement turns counter-clockwise on screen; y grows downward here.
        placement.toImage.rotate(-state.font.escapement / 10.0);
    }
    return placement;
}

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
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const TextCellPlacement placement = PlaceTextCell(x, y, qtext, state);
    if (!placement.ImageBounds().intersects(QRectF(bounds))) {
        return;
    }
    painter.save();
    painter.setTransform(placement.toImage);
    painter.fillRect(placement.cell, QBrush(ToQColor(state.background)));
    // The cell is already filled: the glyphs go on it without a background of their own.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(ToQColor(state.colour));
    painter.setFont(CachedCellFont(state.font.height).font);
    painter.drawText(QPoint(placement.cell.left(), placement.baseline), qtext);
    painter.restore();
}

}  // namespace quorvel
