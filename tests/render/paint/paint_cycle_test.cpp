#include "paint/paint_cycle.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

namespace quorvel::test {
namespace {

TEST(ComposeChartArea, GivesAnRgb32ImageOfTheAreasSize) {
    PlanFields plan;
    plan.m_harmonics = 99;
    const QImage image = ComposeChartArea(plan, 800, 550);
    EXPECT_EQ(image.size(), QSize(800, 550));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

TEST(ComposeChartArea, NoAreaGivesANullImage) {
    for (const auto& [w, h] : {std::pair{0, 100}, {100, 0}, {-1, 100}, {100, -50}, {40000, 10}}) {
        PlanFields plan;
        plan.m_harmonics = 30;
        EXPECT_TRUE(ComposeChartArea(plan, w, h).isNull()) << w << " x " << h;
    }
}

// The memory of a bitmap nobody holds any more is reused for the next paint, and what
// it held before never shows through.
TEST(ComposeChartArea, ReusesTheLastBitmapOnlyOnceItIsLetGo) {
    PlanFields busy;
    busy.m_harmonics = 26;
    const MarkerPoint marker{300, 200};
    PlanFields plain;
    plain.m_fs = 0;  // grid and axes only: most of the old picture would show through

    const QImage expected = ComposeChartArea(plain, 900, 500).copy();
    const uchar* reused = nullptr;
    {
        const QImage first = ComposeChartArea(busy, 1000, 600, marker);
        reused = first.constBits();
        const QImage held = ComposeChartArea(busy, 1000, 600, marker);
        EXPECT_NE(held.constBits(), reused);  // `first` is still held: new memory
    }
    const QImage smaller = ComposeChartArea(plain, 900, 500);
    EXPECT_EQ(smaller.constBits(), reused);
    EXPECT_EQ(smaller, expected);

    QImage copy = smaller;
    copy.setPixel(0, 0, 0xFFFFFFFF);  // writing to a copy leaves the pooled image alone
    EXPECT_EQ(smaller, expected);
}

long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = -1;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// After a huge window is made small again, the process keeps about the small bitmap, not
// the huge one.
TEST(ComposeChartArea, GivesTheMemoryOfALargerAreaBackOnceASmallerOneIsPainted) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
    PlanFields plan;
    constexpr long long kSmallBytes = 744LL * 532 * 4;
    ComposeChartArea(plan, 744, 532);  // fonts and caches settle first
    const long long before = ResidentBytes();
    ASSERT_GT(before, 0) << "no resident size from /proc";
    ComposeChartArea(plan, 4096, 4096);
    ComposeChartArea(plan, 744, 532);
    EXPECT_LT(ResidentBytes() - before, 4 * kSmallBytes);
}

}  // namespace
}  // namespace quorvel::test
