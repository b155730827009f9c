#include "pending_black_rows.h"

#include <algorithm>

namespace quorvel {

PendingBlackRows::PendingBlackRows(const PixelBuffer& image, bool pending)
    : image_(image),
      black_(pending ? static_cast<std::size_t>(std::max(image.width, 0)) : 0, 0xFF000000u),
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
            std::copy_n(black_.data(), image_.width, image_.Row(y));
            pending = 0;
            --left_;
        }
    }
}

void PendingBlackRows::SettleAround(int top, int bottom,
                                    std::span<const std::pair<int, int>> covered) {
    if (left_ == 0) {
        return;
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t& pending = pending_[static_cast<std::size_t>(y)];
        if (pending == 0) {
            continue;
        }
        std::uint32_t* row = image_.Row(y);
        int x = 0;
        for (const auto& [from, to] : covered) {
            std::copy_n(black_.data(), std::max(from - x, 0), row + x);
            x = std::max(x, to);
        }
        std::copy_n(black_.data(), std::max(image_.width - x, 0), row + x);
        pending = 0;
        --left_;
    }
}

}  // namespace quorvel
