// Text cells kept as pixels from one paint to the next. A cell is opaque, so what it shows
// depends only on its text, font and colours, not on where it lands or what lies beneath,
// as long as no glyph reaches outside it and it is turned by a quarter turn or none: such
// a cell is written once through QPainter and copied afterwards.
#pragma once

#include <QImage>
#include <string_view>

#include "text_cell.h"

namespace quorvel {

/// The text's width in pixels in this state (the alignment does not matter), measured
/// once. Needs a QGuiApplication; GUI thread only, as below.
int CachedTextAdvance(std::string_view text, const TextState& state);

/// The pixels of the text's cell, upright as they land on the image (the size of the
/// cell's image bounds), made the first time they are asked for; nullptr when the text
/// must go through QPainter each time.
const QImage* CachedTextCell(std::string_view text, const TextState& state);

}  // namespace quorvel
