// Text in an opaque cell, as every drawing surface on an image writes it through QPainter.
#pragma once

#include <QPainter>
#include <QRect>
#include <string_view>

#include "render/drawing_surface.h"

namespace quorvel {

/// What a surface holds when it writes text.
struct TextState {
    FontSpec font;
    unsigned align = kAlignLeft | kAlignTop;
    ColorRef background = kWhite;
    ColorRef colour = kBlack;
};

/// The painter settings both chart surfaces start from: aliased lines, smooth text, an
/// opaque white background.
void PrepareChartPainter(QPainter& painter);

/// Writes Latin-1 `text` in an opaque cell placed at (x, y) by the alignment, turned by the
/// font's escapement; text whose cell misses `bounds` is skipped before any coordinate
/// reaches the painter. Leaves the painter's state as it found it.
void PaintTextCell(QPainter& painter, const QRect& bounds, int x, int y, std::string_view text,
                   const TextState& state);

}  // namespace quorvel
