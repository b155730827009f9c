// The drawing surface the paint uses: lines, rectangles and block fills written straight
// into the image's scanlines, with the same pixels the QPainter reference sets.
#pragma once

#include <QImage>
#include <memory>

#include "surface/drawing_surface.h"

namespace quorvel {

/// A surface painting on `image` (Format_RGB32, not null), which must outlive it; the
/// painting is complete once the surface is destroyed. With `blackFirst` the image's
/// content is ignored and the drawing starts from all black, so the caller need not fill
/// the image.
std::unique_ptr<DrawingSurface> MakeRasterSurface(QImage& image, bool blackFirst = false);

}  // namespace quorvel
