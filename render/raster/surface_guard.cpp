#include "surface_guard.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quorvel {

std::optional<GuardedSegment> GuardSegment(int x1, int y1, int x2, int y2, int width, int height) {
    if (x1 == x2 && y1 == y2) {
        return std::nullopt;
    }
    const int left = -kLineGuard;
    const int top = -kLineGuard;
    const int right = width - 1 + kLineGuard;
    const int bottom = height - 1 + kLineGuard;
    const auto within = [&](int x, int y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    const SegmentF segment{double(x1), double(y1), double(x2), double(y2)};
    if (within(x1, y1) && within(x2, y2)) {
        return GuardedSegment{segment, false};
    }
    const auto clipped = ClipSegment(segment, left, top, right, bottom);
    if (!clipped || (clipped->x1 == clipped->x2 && clipped->y1 == clipped->y2)) {
        return std::nullopt;
    }
    return GuardedSegment{*clipped, true};
}

std::optional<PixelRect> NormaliseRectangle(int left, int top, int right, int bottom, int width,
                                            int height) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        return std::nullopt;
    }
    return PixelRect{std::clamp(left, -1, width + 1), std::clamp(top, -1, height + 1),
                     std::clamp(right, -1, width + 1), std::clamp(bottom, -1, height + 1)};
}

PixelRect NormaliseBlock(int x, int y, int w, int h, int width, int height) {
    std::int64_t left = x;
    std::int64_t top = y;
    std::int64_t right = left + w;
    std::int64_t bottom = top + h;
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    const auto cut = [](std::int64_t v, int extent) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, extent));
    };
    return PixelRect{cut(left, width), cut(top, height), cut(right, width), cut(bottom, height)};
}

std::optional<PixelRect> NormaliseSpan(int y, int x0, int x1, int width, int height) {
    if (y < 0 || y >= height) {
        return std::nullopt;
    }
    const int left = std::max(x0, 0);
    const int right = std::min(x1, width);
    if (left >= right) {
        return std::nullopt;
    }
    return PixelRect{left, y, right, y + 1};
}

namespace {

// Compared in doubles: an int coordinate cannot overflow there.
bool WithinGuard(double left, double top, double right, double bottom, int width, int height) {
    return left >= -kLineGuard && top >= -kLineGuard &&
           right <= static_cast<double>(width) + kLineGuard &&
           bottom <= static_cast<double>(height) + kLineGuard;
}

}  // namespace

bool TextBoxWithinGuard(const PixelRect& box, int width, int height) {
    return WithinGuard(box.left, box.top, box.right, box.bottom, width, height);
}

bool CircleWithinGuard(double x, double y, double radius, int width, int height) {
    // Written so that a NaN anywhere fails.
    return radius > 0 && radius <= kLineGuard &&
           WithinGuard(x - radius, y - radius, x + radius, y + radius, width, height);
}

}  // namespace quorvel
