#include "charts/chart_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/folding_chart.h"
#include "charts/frequency_marker.h"
#include "charts/plot_frame.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

TEST(PaintChartArea, BlackBackgroundThenUpperChartThenLowerChart) {
    PlanFields plan;
    RecordingSurface dc;
    PaintChartArea(dc, plan, 1000, 301);
    ASSERT_GE(dc.ops().size(), 2u);
    EXPECT_EQ(dc.ops()[0].kind, OpKind::kSetBkColor);
    EXPECT_EQ(dc.ops()[0].colour, kBlack);
    const RecordedOp& fill = dc.ops()[1];
    EXPECT_EQ(fill.kind, OpKind::kPatBlt);
    EXPECT_EQ(fill.y2, 150);  // the upper chart gets H / 2
    // The lower chart's axis lies 30 rows above the surface's bottom, its plot top 12 rows
    // below the middle row.
    const std::vector<RecordedOp> lines = dc.OpsOf(OpKind::kLine);
    bool lowerAxis = false;
    for (const RecordedOp& op : lines) {
        if (op.pen.colour == kAxisColour && op.y1 == 150 + 12 && op.y2 == 301 - 30) {
            lowerAxis = true;
        }
    }
    EXPECT_TRUE(lowerAxis);
    for (const RecordedOp& op : dc.OpsOf(OpKind::kTextOut)) {
        EXPECT_EQ(op.bkColour, kBlack);  // no white readout cell
    }
    EXPECT_EQ(dc.liveObjects(), 0);
}

TEST(PaintChartArea, TheReadoutComesLastWhenTheMarkerIsSet) {
    RecordingSurface dc;
    PaintChartArea(dc, PlanFields{}, 800, 550, MarkerPoint{413, -5000});  // wherever the y lies
    const std::vector<RecordedOp>& ops = dc.ops();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.back().kind, OpKind::kDelete);
    EXPECT_EQ(ops[ops.size() - 2].kind, OpKind::kTextOut);
    EXPECT_EQ(ops[ops.size() - 2].text, " ");
    EXPECT_EQ(ops[ops.size() - 2].y1, -5000 - 50);
    EXPECT_EQ(ops[ops.size() - 4].text, " 184.320 MHz ");
}

struct MarkerRow {
    const char* name;
    MarkerPoint marker;
    bool readout;
};
class ChartAreaMarkerTest : public testing::TestWithParam<MarkerRow> {};
TEST_P(ChartAreaMarkerTest, AReadoutOnlyRightOfTheLeftEdge) {
    RecordingSurface dc;
    PaintChartArea(dc, PlanFields{}, 800, 550, GetParam().marker);
    bool whiteCell = false;  // the charts write black-on-black; only the readout is white
    for (const RecordedOp& op : dc.OpsOf(OpKind::kTextOut)) {
        whiteCell = whiteCell || op.bkColour == kWhite;
    }
    EXPECT_EQ(whiteCell, GetParam().readout);
}
INSTANTIATE_TEST_SUITE_P(Rows, ChartAreaMarkerTest,
                         testing::Values(MarkerRow{"None", {}, false},
                                         MarkerRow{"OnTheLeftEdge", {0, 300}, false},
                                         MarkerRow{"LeftOfTheWindow", {-20, 300}, false},
                                         MarkerRow{"FirstColumn", {1, 300}, true},
                                         MarkerRow{"InTheStrip", {400, 10}, true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PaintChartArea, DrawsAHarmonicCountAboveTheCapAsTheCap) {
    for (const auto& [asked, drawn] : {std::pair{40, 26}, {26, 26}, {15, 15}}) {
        PlanFields plan;
        plan.m_harmonics = asked;
        RecordingSurface dc;
        PaintChartArea(dc, plan, 800, 550);
        EXPECT_EQ(dc.OpsOf(OpKind::kRectangle).size(), static_cast<std::size_t>(drawn - 1));
    }
}

}  // namespace
}  // namespace quorvel::test
