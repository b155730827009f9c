// Which parts of a stack of opaque rectangles stay visible once all are drawn in order:
// painting only those gives the same picture as painting every rectangle in full.
#pragma once

#include <span>
#include <vector>

#include "surface/drawing_surface.h"

namespace quorvel {

/// Part of one rectangle of the stack that no later rectangle covers.
struct VisibleBlock {
    int index = 0;  ///< the rectangle's place in the stack
    PixelRect area;
    friend bool operator==(const VisibleBlock&, const VisibleBlock&) = default;
};

/// The visible parts of `rects` (right and bottom excluded, drawn first to last) within
/// 0..width x 0..height, as disjoint blocks. Empty or inverted rectangles cover nothing.
std::vector<VisibleBlock> VisibleBlocks(std::span<const PixelRect> rects, int width, int height);

}  // namespace quorvel
