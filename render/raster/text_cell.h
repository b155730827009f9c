// Text in an opaque cell, as every drawing surface on an image writes it through QPainter.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <QTransform>
#include <string_view>

#include "surface/drawing_surface.h"

namespace quorvel {

/// What a surface holds when it writes text.
struct TextState {
    FontSpec font;
    unsigned align = kAlignLeft | kAlignTop;
    ColorRef background = kWhite;
    ColorRef colour = kBlack;
};

/// Where a text's cell goes: `cell` in the text's own frame around its reference point,
/// and the transform from that frame to the image.
struct TextCellPlacement {
    QRect cell;
    int baseline = 0;  ///< the glyphs' baseline row in the text's frame
    QTransform toImage;

    /// The cell's bounds on the image.
    QRectF ImageBounds() const { return toImage.mapRect(QRectF(cell)); }
};

TextCellPlacement PlaceTextCell(int x, int y, const QString& text, const TextState& state);
/// The same, for a text already measured: `advance` is its width in pixels.
TextCellPlacement PlaceTextCell(int x, int y, int advance, const TextState& state);

/// The painter settings both chart surfaces start from: aliased lines, smooth text, an
/// opaque white background.
void PrepareChartPainter(QPainter& painter);

/// Writes Latin-1 `text` in an opaque cell placed at (x, y) by the alignment, turned by the
/// font's escapement; text whose cell misses `bounds` is skipped before any coordinate
/// reaches the painter. Leaves the painter's state as it found it.
void PaintTextCell(QPainter& painter, const QRect& bounds, int x, int y, std::string_view text,
                   const TextState& state);

}  // namespace quorvel
