// Rectangles held back and painted together, back to front: each pixel is written once,
// by the last rectangle over it, which is what painting them all in order leaves. The
// band chart's bars share their bottom and each starts lower than the one before, so most
// of every bar is hidden by the later ones.
#pragma once

#include <cstdint>
#include <vector>

#include "pending_black_rows.h"
#include "pixel_buffer.h"
#include "surface/drawing_surface.h"

namespace quorvel {

struct HeldRectangle {
    PixelRect rect;  ///< corners ordered; right and bottom excluded
    std::uint32_t pen = 0;
    std::uint32_t brush = 0;
    std::uint32_t background = 0;  ///< the hatch's gaps
    bool hatched = false;
};

class RectangleStack {
  public:
    void Add(const HeldRectangle& rect) { rects_.push_back(rect); }
    bool empty() const { return rects_.empty(); }
    /// Finding the visible parts grows with the square of the count: past this many, the
    /// stack is painted first.
    bool full() const { return rects_.size() >= 256; }
    /// Paints the visible parts of every held rectangle and forgets them, settling the rows
    /// they cover first.
    void PaintTo(const PixelBuffer& image, PendingBlackRows& black);

  private:
    // A row of the hatch in `brush` on `background`, long enough for any span of the image
    // at any phase.
    const std::uint32_t* HatchRow(std::uint32_t brush, std::uint32_t background, int width);
    void PaintRows(const HeldRectangle& held, const PixelRect& part, const PixelBuffer& image);

    struct Hatch {
        std::uint32_t brush;
        std::uint32_t background;
        std::vector<std::uint32_t> row;
    };
    std::vector<HeldRectangle> rects_;
    std::vector<Hatch> hatches_;
};

}  // namespace quorvel
