// Lines held back and written together, a band of rows at a time: a steep line touches a
// new row at every pixel, and a band small enough to stay in the cache serves all the
// lines crossing it. Within a band the lines go in the order they were drawn, so every
// pixel ends as the last line through it left it.
#pragma once

#include <cstdint>
#include <vector>

#include "cosmetic_line.h"
#include "pending_black_rows.h"
#include "pixel_buffer.h"

namespace quorvel {

struct HeldLine {
    LineSteps steps;
    std::uint32_t on = 0;   ///< the pen's pixel
    std::uint32_t off = 0;  ///< a dotted pen's gaps
    bool dotted = false;
    int endX = 0;  ///< the end point, which a line leaves out
    int endY = 0;
};

class LineBatch {
  public:
    void Add(const HeldLine& line) { lines_.push_back(line); }
    bool empty() const { return lines_.empty(); }
    /// Every band visits every held line: past this many, the batch is written first.
    bool full() const { return lines_.size() >= 1024; }
    /// Writes every held line and forgets them, settling the rows they cross first.
    void WriteTo(const PixelBuffer& image, PendingBlackRows& black);

  private:
    // A dotted row's pixels from a dot on, long enough for a row of the image at any phase.
    const std::uint32_t* DotRow(std::uint32_t on, std::uint32_t off, int width);

    std::vector<HeldLine> lines_;
    struct Dots {
        std::uint32_t on;
        std::uint32_t off;
        std::vector<std::uint32_t> row;
    };
    std::vector<Dots> dotRows_;
};

/// Writes the pixels of `line` in rows top..bottom - 1 of the image. A dotted row is copied
/// from `dots` (see LineBatch) when given.
void WriteLineRows(const HeldLine& line, const PixelBuffer& image, int top, int bottom,
                   const std::uint32_t* dots = nullptr);

}  // namespace quorvel
