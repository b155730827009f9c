// Where the chart bitmaps' pixels come from: straight from the system (mmap, or VirtualAlloc
// on Windows), so that a block let go is given back at once whatever the allocator's
// thresholds; or, in sanitized builds, from malloc, whose red zones catch writes beyond it.
#pragma once

#include <cstddef>

namespace quorvel {

struct PixelMemory {
    /// Zeroed or not, `bytes` of memory for pixels; nullptr when there is none.
    void* (*take)(std::size_t bytes);
    /// Gives back what `take` gave, with the size it was asked for.
    void (*give)(void* pixels, std::size_t bytes);
};

/// The memory the bitmap pool uses in this build.
PixelMemory ChartPixelMemory();

}  // namespace quorvel
