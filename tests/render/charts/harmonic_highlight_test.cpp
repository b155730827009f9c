// The highlight step: absent, it adds nothing to the paint; present, it redraws exactly
// the selected harmonic's line and bar over the charts, under the readout.
#include "charts/harmonic_highlight.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "charts/chart_area.h"
#include "charts/harmonic_band_chart.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 550;

struct Paint {
    Paint(const PlanFields& plan, std::optional<int> highlight) {
        PaintChartArea(dc, plan, kWidth, kHeight, highlight);
        EXPECT_EQ(dc.liveObjects(), 0);
        EXPECT_FALSE(dc.drewWithReleasedObject());
    }
    RecordingSurface dc;
};

// The pen and brush left selected are not compared: the readout draws only text, and
// the highlight leaves its own pen behind.
bool SameOp(const RecordedOp& a, const RecordedOp& b) {
    return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.text == b.text && a.font == b.font && a.textColour == b.textColour &&
           a.bkColour == b.bkColour && a.colour == b.colour;
}

// Whether `part` appears in `whole` at `at`.
bool OpsAt(const std::vector<RecordedOp>& whole, std::size_t at,
           const std::vector<RecordedOp>& part) {
    if (at + part.size() > whole.size()) {
        return false;
    }
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (!SameOp(whole[at + i], part[i])) {
            return false;
        }
    }
    return true;
}

PlanFields WithMarker(PlanFields plan) {
    plan.m_markerX = 413;
    plan.m_markerY = 200;
    return plan;
}

TEST(HarmonicHighlight, AHarmonicThatIsNotDrawnAddsNothing) {
    const PlanFields plan = WithMarker({});
    const Paint plain(plan, std::nullopt);
    for (const int n : {-1, 0, 1, 16, 27}) {
        const Paint lit(plan, n);
        EXPECT_EQ(lit.dc.ops().size(), plain.dc.ops().size()) << n;
        EXPECT_TRUE(lit.dc.LinesIn(kHighlightColour).empty()) << n;
        EXPECT_TRUE(OpsAt(lit.dc.ops(), 0, plain.dc.ops())) << n;
    }
    PlanFields gated = plan;
    gated.m_rfBw = 0;
    EXPECT_EQ(Paint(gated, 5).dc.ops().size(), Paint(gated, std::nullopt).dc.ops().size());
}

TEST(HarmonicHighlight, ComesAfterBothChartsAndBeforeTheReadout) {
    const Paint charts(PlanFields{}, std::nullopt);
    const Paint chartsAndReadout(WithMarker({}), std::nullopt);
    const std::vector<RecordedOp> readout(
        chartsAndReadout.dc.ops().begin() + static_cast<long>(charts.dc.ops().size()),
        chartsAndReadout.dc.ops().end());
    ASSERT_FALSE(readout.empty());

    const Paint lit(WithMarker({}), 7);
    const std::vector<RecordedOp>& ops = lit.dc.ops();
    ASSERT_GT(ops.size(), chartsAndReadout.dc.ops().size());
    EXPECT_TRUE(OpsAt(ops, 0, charts.dc.ops()));
    EXPECT_TRUE(OpsAt(ops, ops.size() - readout.size(), readout));
}

TEST(HarmonicHighlight, RedrawsTheChartsOwnBarAndLine) {
    const Paint plain(PlanFields{}, std::nullopt);
    const std::vector<RecordedOp> bars = plain.dc.OpsOf(OpKind::kRectangle);
    for (const int n : {2, 3, 9, 15}) {
        const Paint lit(PlanFields{}, n);
        const std::vector<RecordedOp> litBars = lit.dc.OpsOf(OpKind::kRectangle);
        ASSERT_EQ(litBars.size(), bars.size() + 1);
        const RecordedOp& own = bars[static_cast<std::size_t>(n - 2)];
        const RecordedOp& again = litBars.back();
        EXPECT_EQ((PixelRect{again.x1, again.y1, again.x2, again.y2}),
                  (PixelRect{own.x1, own.y1, own.x2, own.y2}))
            << n;
        EXPECT_EQ(again.brush.colour, kHighlightColour);
    }
    // Harmonic 2 is the one line in full red: the highlight's first pass is that line.
    const std::vector<Line> red = plain.dc.LinesIn(kEvenHarmonicColour);
    ASSERT_FALSE(red.empty());
    const std::vector<Line> yellow = Paint(PlanFields{}, 2).dc.LinesIn(kHighlightColour);
    ASSERT_GE(yellow.size(), red.size());
    EXPECT_EQ(std::vector<Line>(yellow.begin(), yellow.begin() + static_cast<long>(red.size())),
              red);
}

}  // namespace
}  // namespace quorvel::test
