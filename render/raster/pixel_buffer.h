// The pixels of a Format_RGB32 image as the span code writes them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel {

struct PixelBuffer {
    std::uint32_t* bits = nullptr;
    std::ptrdiff_t stride = 0;  ///< pixels from one row to the next
    int width = 0;
    int height = 0;

    std::uint32_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace quorvel
