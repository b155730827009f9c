#include "charts/frequency_marker.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "recording_surface.h"

namespace quorvel::test {
namespace {

struct ReadoutCase {
    const char* name;
    int clickX;
    const char* frequency;
    const char* offset;
};

class MarkerReadoutTest : public testing::TestWithParam<ReadoutCase> {};

TEST_P(MarkerReadoutTest, ShowsTheFrequencyAndItsOffsetFromTheIf) {
    const PlanFields plan;
    RecordingSurface dc;
    DrawFrequencyMarker(dc, plan, MarkerPoint{GetParam().clickX, 200}, PixelRect{0, 50, 800, 550},
                        0.0, plan.m_fs / 2.0);

    const int x = GetParam().clickX;
    EXPECT_EQ(dc.TextsIn(kMarkerFontHeight),
              (std::vector<Text>{
                  {x, 134, std::string(" ") + GetParam().frequency + " MHz "},
                  {x, 147, std::string(" IF+ ") + GetParam().offset + " MHz "},
                  {x, 150, " "},
              }));
}

INSTANTIATE_TEST_SUITE_P(DefaultPlanOn800Pixels, MarkerReadoutTest,
                         testing::Values(ReadoutCase{"PlotLeftEdge", 38, "0.000", "-184.320"},
                                         ReadoutCase{"AtTheIf", 413, "184.320", "0.000"},
                                         ReadoutCase{"InsideThePlot", 500, "227.082", "42.762"},
                                         ReadoutCase{"PlotRightEdge", 788, "368.640", "184.320"},
                                         ReadoutCase{"LeftOfThePlot", 1, "-18.186", "-202.506"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FrequencyMarker, BlackTextOnWhiteCellsAlignedToTheBottomLeft) {
    const PlanFields plan;
    RecordingSurface dc;
    DrawFrequencyMarker(dc, plan, MarkerPoint{100, 300}, PixelRect{0, 50, 800, 550}, 0.0,
                        plan.m_fs / 2.0);
    const std::vector<RecordedOp> texts = dc.OpsOf(OpKind::kTextOut);
    ASSERT_EQ(texts.size(), 3u);
    for (const RecordedOp& op : texts) {
        EXPECT_EQ(op.bkColour, kWhite);
        EXPECT_EQ(op.textColour, kBlack);
        EXPECT_EQ(op.align, kAlignLeft | kAlignBottom);
        EXPECT_EQ(op.font, (FontSpec{13, 0}));
    }
    EXPECT_EQ(dc.liveObjects(), 0);
    EXPECT_EQ(dc.OpsOf(OpKind::kLine).size() + dc.OpsOf(OpKind::kRectangle).size(), 0u);
}

TEST(FrequencyMarker, NoReadoutWithoutAPlotWidth) {
    for (int width : {50, 49, 0, -100}) {
        const PlanFields plan;
        RecordingSurface dc;
        DrawFrequencyMarker(dc, plan, MarkerPoint{20, 100}, PixelRect{0, 50, width, 100}, 0.0,
                            plan.m_fs / 2.0);
        EXPECT_TRUE(dc.ops().empty()) << width;
    }
}

TEST(FrequencyMarker, ExtremePointsSaturateInsteadOfOverflowing) {
    const PlanFields plan;
    RecordingSurface dc;
    DrawFrequencyMarker(dc, plan, MarkerPoint{INT_MAX, INT_MIN}, PixelRect{0, 50, 800, 550}, 0.0,
                        plan.m_fs / 2.0);
    const std::vector<Text> texts = dc.TextsIn(kMarkerFontHeight);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].y, INT_MIN);
    EXPECT_EQ(texts[0].x, INT_MAX);
}

}  // namespace
}  // namespace quorvel::test
