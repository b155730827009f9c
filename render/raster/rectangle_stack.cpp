#include "rectangle_stack.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "occlusion.h"

namespace quorvel {

namespace {

// The hatch repeats every 8 pixels along a row; its lines are those where (x + y) % 8 is 7,
// as QPainter aligns its backward-diagonal pattern to the image.
constexpr int kHatchPeriod = 8;
constexpr int kHatchPhase = 7;

}  // namespace

void RectangleStack::PaintTo(const PixelBuffer& image, PendingBlackRows& black) {
    if (rects_.empty()) {
        return;
    }
    std::vector<PixelRect> areas;
    areas.reserve(rects_.size());
    for (const HeldRectangle& held : rects_) {
        areas.push_back(held.rect);
    }
    const std::vector<VisibleBlock> blocks = VisibleBlocks(areas, image.width, image.height);
    std::vector<std::pair<int, int>> covered;
    // The blocks come band by band, a band being the rows that every rectangle covers
    // either wholly or not at all; the blocks will write every pixel they cover, so only
    // the rest of a band's rows needs blackening.
    for (std::size_t i = 0; i < blocks.size();) {
        const PixelRect& band = blocks[i].area;
        std::size_t end = i;
        covered.clear();
        while (end < blocks.size() && blocks[end].area.top == band.top &&
               blocks[end].area.bottom == band.bottom) {
            covered.emplace_back(blocks[end].area.left, blocks[end].area.right);
            ++end;
        }
        std::sort(covered.begin(), covered.end());
        black.SettleAround(band.top, band.bottom, covered);
        for (; i < end; ++i) {
            PaintRows(rects_[static_cast<std::size_t>(blocks[i].index)], blocks[i].area, image);
        }
    }
    rects_.clear();
}

// The rows of `part` as the whole rectangle has them: the outline in the pen's colour (top
// and bottom rows, left and right columns) around the brush.
void RectangleStack::PaintRows(const HeldRectangle& held, const PixelRect& part,
                               const PixelBuffer& image) {
    const PixelRect& r = held.rect;
    const int innerLeft = std::max(part.left, r.left + 1);
    const int innerRight = std::min(part.right, r.right - 1);
    const std::uint32_t* hatch =
        held.hatched ? HatchRow(held.brush, held.background, image.width) : nullptr;
    for (int y = part.top; y < part.bottom; ++y) {
        std::uint32_t* row = image.Row(y);
        if (y == r.top || y == r.bottom - 1) {
            std::fill(row + part.left, row + part.right, held.pen);
            continue;
        }
        if (part.left == r.left) {
            row[r.left] = held.pen;
        }
        if (part.right == r.right) {
            row[r.right - 1] = held.pen;
        }
        if (innerLeft < innerRight) {
            if (hatch != nullptr) {
                const int phase = (innerLeft + y) % kHatchPeriod;
                std::copy_n(hatch + phase, innerRight - innerLeft, row + innerLeft);
            } else {
                std::fill(row + innerLeft, row + innerRight, held.brush);
            }
        }
    }
}

const std::uint32_t* RectangleStack::HatchRow(std::uint32_t brush, std::uint32_t background,
                                              int width) {
    const std::size_t length = static_cast<std::size_t>(width) + kHatchPeriod;
    for (const Hatch& hatch : hatches_) {
        if (hatch.brush == brush && hatch.background == background && hatch.row.size() >= length) {
            return hatch.row.data();
        }
    }
    Hatch hatch{brush, background, std::vector<std::uint32_t>(length)};
    for (std::size_t i = 0; i < length; ++i) {
        hatch.row[i] = i % kHatchPeriod == kHatchPhase ? brush : background;
    }
    hatches_.push_back(std::move(hatch));
    return hatches_.back().row.data();
}

}  // namespace quorvel
