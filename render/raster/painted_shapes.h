// The primitives both image surfaces hand to QPainter as they are: text laid out in a box
// and smooth circles, which no scanline code here could match pixel for pixel.
#pragma once

#include <QPainter>
#include <string_view>

#include "surface/drawing_surface.h"

namespace quorvel {

/// DrawText on `painter`, whose state is left as it was found.
void PaintTextBox(QPainter& painter, const PixelRect& box, unsigned format, std::string_view text,
                  ColorRef colour);

/// The line height of PaintTextBox's font on the painter's device.
int TextBoxLineHeight(const QPainter& painter);

/// SmoothCircle with `pen`, its width as given; the painter's state is left as it was found.
void PaintSmoothCircle(QPainter& painter, double x, double y, double radius, const PenSpec& pen);

}  // namespace quorvel
