// The two forms a chart colour takes on its way to the image: a QColor for QPainter and a
// 32-bit pixel for code that writes scanlines itself.
#pragma once

#include <QColor>
#include <cstdint>

#include "surface/drawing_surface.h"

namespace quorvel {

/// The Qt colour of a 0x00BBGGRR value.
inline QColor ToQColor(ColorRef colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

/// The Format_RGB32 pixel of a 0x00BBGGRR value: 0xFFRRGGBB, as QPainter writes it.
inline std::uint32_t ToPixel(ColorRef colour) {
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

}  // namespace quorvel
