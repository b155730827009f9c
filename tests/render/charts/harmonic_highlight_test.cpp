// The highlight step: absent, it adds nothing to the paint; present, it redraws the chart's
// own bar and line of that harmonic after both charts and before the readout.
#include "charts/harmonic_highlight.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "charts/chart_area.h"
#include "charts/harmonic_band_chart.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

RecordingSurface Paint(const PlanFields& plan, std::optional<int> highlight,
                       MarkerPoint marker = {}) {
    RecordingSurface dc;
    PaintChartArea(dc, plan, 800, 550, marker, highlight);
    EXPECT_EQ(dc.liveObjects(), 0);
    return dc;
}

// Kinds and coordinates, `count` operations from the given ends of the two records.
bool SameOps(const RecordingSurface& a, std::size_t atA, const RecordingSurface& b, std::size_t atB,
             std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const RecordedOp& x = a.ops()[atA + i];
        const RecordedOp& y = b.ops()[atB + i];
        if (x.kind != y.kind || x.x1 != y.x1 || x.y1 != y.y1 || x.x2 != y.x2 || x.y2 != y.y2 ||
            x.text != y.text) {
            return false;
        }
    }
    return true;
}

TEST(HarmonicHighlight, OnlyAHarmonicThatIsDrawnAddsAnything) {
    const MarkerPoint marker{413, 200};
    const RecordingSurface plain = Paint(PlanFields{}, std::nullopt, marker);
    for (const int n : {-1, 0, 1, 16, 27}) {
        const RecordingSurface lit = Paint(PlanFields{}, n, marker);
        ASSERT_EQ(lit.ops().size(), plain.ops().size()) << n;
        EXPECT_TRUE(SameOps(lit, 0, plain, 0, plain.ops().size())) << n;
    }
    const PlanFields gated{.m_rfBw = 0};
    EXPECT_EQ(Paint(gated, 5).ops().size(), Paint(gated, std::nullopt).ops().size());

    // Drawn: the charts unchanged first, the readout unchanged last, the highlight between.
    const RecordingSurface charts = Paint(PlanFields{}, std::nullopt);
    const std::size_t readout = plain.ops().size() - charts.ops().size();
    const RecordingSurface lit = Paint(PlanFields{}, 7, marker);
    ASSERT_GT(lit.ops().size(), plain.ops().size());
    EXPECT_TRUE(SameOps(lit, 0, charts, 0, charts.ops().size()));
    EXPECT_TRUE(SameOps(lit, lit.ops().size() - readout, plain, charts.ops().size(), readout));
}

TEST(HarmonicHighlight, RedrawsTheChartsOwnBarAndLine) {
    const RecordingSurface plain = Paint(PlanFields{}, std::nullopt);
    const std::vector<RecordedOp> bars = plain.OpsOf(OpKind::kRectangle);
    for (const int n : {2, 3, 15}) {
        const std::vector<RecordedOp> litBars = Paint(PlanFields{}, n).OpsOf(OpKind::kRectangle);
        ASSERT_EQ(litBars.size(), bars.size() + 1);
        const RecordedOp& own = bars[static_cast<std::size_t>(n - 2)];
        const RecordedOp& again = litBars.back();
        EXPECT_EQ((PixelRect{again.x1, again.y1, again.x2, again.y2}),
                  (PixelRect{own.x1, own.y1, own.x2, own.y2}));
        EXPECT_EQ(again.brush.colour, kHighlightColour);
    }
    // Harmonic 2 is the one line in full red: the highlight's first pass is that line.
    const std::vector<Line> red = plain.LinesIn(kEvenHarmonicColour);
    const std::vector<Line> yellow = Paint(PlanFields{}, 2).LinesIn(kHighlightColour);
    ASSERT_GE(yellow.size(), red.size());
    EXPECT_EQ(std::vector<Line>(yellow.begin(), yellow.begin() + static_cast<long>(red.size())),
              red);
}

}  // namespace
}  // namespace quorvel::test
