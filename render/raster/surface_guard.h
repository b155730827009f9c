// What both image surfaces do to a primitive's coordinates before drawing it, in one
// place, so that the fast surface and the QPainter reference always start from the same
// numbers: far-away lines cut (keeping their slope), rectangle corners put in order, block
// fills cut to the image.
#pragma once

#include <optional>

#include "line_clip.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// How far beyond the image a line may reach before it is cut. Qt's rasteriser works in
/// fixed point, so far-away coordinates must never reach it; anything this far out is
/// invisible either way.
inline constexpr int kLineGuard = 1024;

struct GuardedSegment {
    SegmentF segment;
    bool cut = false;  ///< whether an end point was moved onto the guard
};

/// The line from (x1, y1) to (x2, y2) on a width x height image, cut to the guard around
/// it; nothing when it has no length, misses the guard or keeps only a point of it (which
/// lies on the guard, far off the image).
std::optional<GuardedSegment> GuardSegment(int x1, int y1, int x2, int y2, int width, int height);

/// The rectangle with its corners in order and its edges beyond the image held one pixel
/// out, so that no later arithmetic overflows; nothing when it covers no pixel (no width
/// or no height, right and bottom being excluded).
std::optional<PixelRect> NormaliseRectangle(int left, int top, int right, int bottom, int width,
                                            int height);

/// The area (x, y, w, h) of a block fill, either extent negative or not, cut to the
/// image; computed in 64 bits, as x + w may not fit an int.
PixelRect NormaliseBlock(int x, int y, int w, int h, int width, int height);

/// A span of row y from x0 to x1 - 1 cut to the image: top is the row, bottom top + 1.
/// Nothing when it covers no pixel of the image.
std::optional<PixelRect> NormaliseSpan(int y, int x0, int x1, int width, int height);

/// Whether a text box or a circle lies wholly within the guard around the image, where
/// QPainter may be handed its coordinates; nothing beyond it is drawn.
bool TextBoxWithinGuard(const PixelRect& box, int width, int height);
bool CircleWithinGuard(double x, double y, double radius, int width, int height);

}  // namespace quorvel
