// The drawing surface for vector output (SVG, PDF): every primitive handed to QPainter as
// the shape it is, with no pixel read back, so that lines stay lines and text stays text.
#pragma once

#include <QPainter>
#include <memory>

#include "surface/drawing_surface.h"

namespace quorvel {

/// A surface painting through `painter`, whose device must be `width` x `height` of its units
/// with one unit to the chart's pixel and must outlive the surface; the painting is complete
/// once the surface is destroyed. A line covers the pixels a raster line does, as a stroke one
/// unit wide; dots, hatching and text cells keep their opaque background.
std::unique_ptr<DrawingSurface> MakePainterSurface(QPainter& painter, int width, int height);

}  // namespace quorvel
