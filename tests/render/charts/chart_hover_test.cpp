// What the pointer names, found on what the charts drew: near a recorded alias line,
// inside recorded bars, and the empty plot beside them.
#include "charts/chart_hover.h"

#include <gtest/gtest.h>

#include <vector>

#include "charts/chart_area.h"
#include "charts/harmonic_band_chart.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

RecordingSurface Painted(const PlanFields& plan) {
    RecordingSurface dc;
    PaintChartArea(dc, plan, kWidth, kHeight);
    return dc;
}

TEST(ChartHover, ReachesThreePixelsFromALineAndNoFurther) {
    PlanFields plan;
    plan.m_harmonics = 2;  // a single line: (38, 288) up to the peak and down again
    const std::vector<Line> red = Painted(plan).LinesIn(kEvenHarmonicColour);
    ASSERT_EQ(red.size(), 2u);
    const PixelPoint peak{red[0].x2, red[0].y2};
    // Straight above the peak, the peak itself is the line's nearest point.
    const ChartHover near = HoverAt(plan, kWidth, kHeight, {peak.x, peak.y - 3});
    ASSERT_EQ(near.lines.size(), 1u);
    EXPECT_EQ(near.lines[0].signal, 737.28 / 4);
    EXPECT_EQ(near.lines[0].alias, 737.28 / 2);
    EXPECT_TRUE(HoverAt(plan, kWidth, kHeight, {peak.x, peak.y - 4}).empty());
    // The empty plot beside the line, and the control strip's side of the area.
    EXPECT_TRUE(HoverAt(plan, kWidth, kHeight, {peak.x + 200, peak.y + 20}).empty());
    EXPECT_TRUE(HoverAt(plan, kWidth, kHeight, {-1, peak.y}).empty());
    EXPECT_EQ(HoverText(HoverAt(plan, kWidth, kHeight, {peak.x + 200, peak.y + 20})), "");
}

TEST(ChartHover, NamesTheBarOnTopWithItsImage) {
    const PlanFields plan;
    const std::vector<RecordedOp> bars = Painted(plan).OpsOf(OpKind::kRectangle);
    ASSERT_EQ(bars.size(), 14u);
    // Harmonic 15's bar is the last drawn, on top of everything in its row.
    const RecordedOp& last = bars.back();
    const PixelPoint inside{std::min(last.x1, last.x2) + 1, last.y1 + 1};
    const ChartHover hover = HoverAt(plan, kWidth, kHeight, inside);
    EXPECT_TRUE(hover.lines.empty());
    EXPECT_EQ(hover.barHarmonic, 15);
    EXPECT_EQ(HoverText(hover), "Harmonic 15: image 334.320 .. 34.320 MHz (reversed by the fold)");

    // Harmonic 2's bar (348.64..368.64) in its own row, right of every other bar's reach.
    const RecordedOp& second = bars.front();
    EXPECT_EQ(HoverAt(plan, kWidth, kHeight, {second.x1 + 1, second.y1}).barHarmonic, 2);
    EXPECT_EQ(HoverText(HoverAt(plan, kWidth, kHeight, {second.x1 + 1, second.y1})),
              "Harmonic 2: image 348.640 .. 368.640 MHz");
    // Row 1 holds no bar.
    EXPECT_TRUE(HoverAt(plan, kWidth, kHeight, {second.x1 + 1, second.y1 - 2}).empty());
}

}  // namespace
}  // namespace quorvel::test
