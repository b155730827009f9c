// The reference drawing surface: every primitive put through QPainter, in full and in
// order. Slow, plain, and the picture the fast surface is held to pixel for pixel.
#pragma once

#include <QImage>
#include <memory>

#include "surface/drawing_surface.h"

namespace quorvel {

/// A surface painting on `image` (Format_RGB32, not null), which must outlive it; the
/// painting is complete once the surface is destroyed.
std::unique_ptr<DrawingSurface> MakeImageSurface(QImage& image);

}  // namespace quorvel
