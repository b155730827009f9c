#include "occlusion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Each pixel's owner (-1: none) after painting every rectangle in full, in order.
std::vector<int> PaintInOrder(const std::vector<PixelRect>& rects, int w, int h) {
    std::vector<int> owner(static_cast<std::size_t>(w * h), -1);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PixelRect& r = rects[i];
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, h); ++y) {
            for (int x = std::max(r.left, 0); x < std::min(r.right, w); ++x) {
                owner[static_cast<std::size_t>(y * w + x)] = static_cast<int>(i);
            }
        }
    }
    return owner;
}

struct StackCase {
    const char* name;
    std::vector<PixelRect> rects;
    int width, height;
};

class VisibleBlocksTest : public testing::TestWithParam<StackCase> {};

// The blocks cover each pixel at most once, and exactly the pixels whose last rectangle
// they name.
TEST_P(VisibleBlocksTest, BlocksAreWhatPaintingInOrderLeaves) {
    const StackCase& c = GetParam();
    std::vector<int> owner(static_cast<std::size_t>(c.width * c.height), -1);
    for (const VisibleBlock& b : VisibleBlocks(c.rects, c.width, c.height)) {
        ASSERT_LT(b.area.left, b.area.right);
        ASSERT_LT(b.area.top, b.area.bottom);
        for (int y = b.area.top; y < b.area.bottom; ++y) {
            for (int x = b.area.left; x < b.area.right; ++x) {
                ASSERT_TRUE(x >= 0 && y >= 0 && x < c.width && y < c.height) << x << "," << y;
                int& o = owner[static_cast<std::size_t>(y * c.width + x)];
                ASSERT_EQ(o, -1) << "painted twice at " << x << "," << y;
                o = b.index;
            }
        }
    }
    EXPECT_EQ(owner, PaintInOrder(c.rects, c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, VisibleBlocksTest,
    testing::Values(
        StackCase{"Nothing", {}, 10, 10},
        StackCase{"BarsOnACommonBottom", {{2, 1, 18, 20}, {0, 5, 12, 20}, {6, 9, 20, 20}}, 20, 20},
        StackCase{"LaterInsideEarlier", {{0, 0, 20, 20}, {5, 5, 10, 10}}, 20, 20},
        StackCase{"EarlierInsideLater", {{5, 5, 10, 10}, {0, 0, 20, 20}}, 20, 20},
        StackCase{"EmptyAndInverted", {{5, 5, 5, 9}, {9, 9, 3, 3}, {1, 1, 4, 4}}, 10, 10},
        StackCase{"BeyondTheImage", {{-5, -5, 30, 3}, {8, -2, 40, 40}, {-3, 4, 2, 8}}, 12, 10},
        StackCase{"TouchingSides", {{0, 0, 5, 5}, {5, 0, 10, 5}, {2, 2, 8, 8}}, 10, 10}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(VisibleBlocks, RandomStacks) {
    std::mt19937 random(42);
    const auto any = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int round = 0; round < 300; ++round) {
        StackCase c{"random", {}, any(1, 40), any(1, 30)};
        const int n = any(1, 30);
        for (int i = 0; i < n; ++i) {
            c.rects.push_back({any(-5, c.width + 5), any(-5, c.height + 5), any(-5, c.width + 5),
                               any(-5, c.height + 5)});
        }
        std::vector<int> owner(static_cast<std::size_t>(c.width * c.height), -1);
        for (const VisibleBlock& b : VisibleBlocks(c.rects, c.width, c.height)) {
            for (int y = b.area.top; y < b.area.bottom; ++y) {
                for (int x = b.area.left; x < b.area.right; ++x) {
                    int& o = owner[static_cast<std::size_t>(y * c.width + x)];
                    ASSERT_EQ(o, -1);
                    o = b.index;
                }
            }
        }
        ASSERT_EQ(owner, PaintInOrder(c.rects, c.width, c.height)) << "round " << round;
    }
}

}  // namespace
}  // namespace quorvel
