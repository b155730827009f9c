// Rows of an image that are black in the picture but not yet in memory. Blackening a row
// just before the first write to it leaves the row in the cache for that write, where a
// fill of the whole image up front would have pushed it out again on a large image.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "pixel_buffer.h"

namespace quorvel {

class PendingBlackRows {
  public:
    /// With `pending`, every row of the image is still to be blackened; else none is.
    PendingBlackRows(const PixelBuffer& image, bool pending);

    bool IsPending(int y) const { return pending_[static_cast<std::size_t>(y)] != 0; }
    /// Blackens the pending rows among top..bottom - 1 (cut to the image).
    void Settle(int top, int bottom);
    void SettleAll() { Settle(0, image_.height); }
    /// As Settle, but leaves out the columns of `covered` (sorted, disjoint [left, right)
    /// pairs cut to the image), which the caller is about to write in every one of those
    /// rows.
    void SettleAround(int top, int bottom, std::span<const std::pair<int, int>> covered);

  private:
    PixelBuffer image_;
    // Rows are copied from this one: a copy is a single library call however the code
    // around it is instrumented.
    std::vector<std::uint32_t> black_;
    std::vector<std::uint8_t> pending_;
    int left_;  // rows still pending
};

}  // namespace quorvel
