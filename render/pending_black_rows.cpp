#include "render/pending_black_rows.h"

#include <algorithm>

namespace quorvel {

PendingBlackRows::PendingBlackRows(const PixelBuffer& image, bool pending)
    : image_(image),
      pending_(static_cast<std::size_t>(std::max(image.height, 0)), pending ? 1 : 0),
      left_(pending ? std::max(image.height, 0) : 0) {}

void PendingBlackRows::Settle(int top, int bottom) {
    if (left_ == 0) {
        return;
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t& pending = pending_[static_cast<std::size_t>(y)];
        if (pending != 0) {
            std::uint32_t* row = image_.Row(y);
            std::fill(row, row + image_.width, 0xFF000000u);
            pending = 0;
            --left_;
        }
    }
}

}  // namespace quorvel
