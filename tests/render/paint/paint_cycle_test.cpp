#include "paint/paint_cycle.h"

#include <gtest/gtest.h>

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
    busy.m_markerX = 300;
    busy.m_markerY = 200;
    PlanFields plain;
    plain.m_fs = 0;  // grid and axes only: most of the old picture would show through

    const QImage expected = ComposeChartArea(plain, 900, 500).copy();
    const uchar* reused = nullptr;
    {
        const QImage first = ComposeChartArea(busy, 1000, 600);
        reused = first.constBits();
        const QImage held = ComposeChartArea(busy, 1000, 600);
        EXPECT_NE(held.constBits(), reused);  // `first` is still held: new memory
    }
    const QImage smaller = ComposeChartArea(plain, 900, 500);
    EXPECT_EQ(smaller.constBits(), reused);
    EXPECT_EQ(smaller, expected);

    QImage copy = smaller;
    copy.setPixel(0, 0, 0xFFFFFFFF);  // writing to a copy leaves the pooled image alone
    EXPECT_EQ(smaller, expected);
}

}  // namespace
}  // namespace quorvel::test
