#include "charts/plot_frame.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "recording_surface.h"

namespace quorvel::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PlotFrame, UpperAndLowerBandOfA1000By600Surface) {
    const PlotFrame upper = MakePlotFrame(0, 300, 1000);
    EXPECT_EQ(upper, (PlotFrame{0, 300, 38, 12, 950, 258}));
    EXPECT_EQ(upper.right(), 988);
    EXPECT_EQ(upper.axisY(), 270);
    const PlotFrame lower = MakePlotFrame(300, 600, 1000);
    EXPECT_EQ(lower.top, 312);
    EXPECT_EQ(lower.axisY(), 570);
}

TEST(PlotFrame, SmallBandsGiveZeroOrNegativeSizesUnclamped) {
    EXPECT_EQ(MakePlotFrame(10, 52, 50).height, 0);
    EXPECT_EQ(MakePlotFrame(10, 52, 50).width, 0);
    EXPECT_EQ(MakePlotFrame(0, 20, 30).height, -22);
    EXPECT_EQ(MakePlotFrame(0, 20, 30).width, -20);
    // Extreme areas saturate instead of overflowing.
    EXPECT_EQ(MakePlotFrame(INT_MAX, INT_MIN, INT_MIN).top, INT_MAX);
    EXPECT_EQ(MakePlotFrame(INT_MAX, INT_MIN, INT_MIN).height, INT_MIN);
    EXPECT_EQ(MakePlotFrame(INT_MAX, INT_MIN, INT_MIN).width, INT_MIN);
}

struct RoundCase {
    const char* name;
    double v;
    int pixel;
};

class RoundToPixelTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToPixelTest, AddsHalfAndTruncatesTowardZero) {
    EXPECT_EQ(RoundToPixel(GetParam().v), GetParam().pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToPixelTest,
    testing::Values(RoundCase{"HalfRoundsUp", 88.5, 89}, RoundCase{"BelowHalf", 88.49, 88},
                    RoundCase{"MinusNinePointSeven", -9.7, -9},
                    RoundCase{"MinusOnePointFive", -1.5, -1},
                    RoundCase{"MinusZeroPointSeven", -0.7, 0}, RoundCase{"NaN", kNaN, 0},
                    RoundCase{"Huge", 1e300, INT_MAX}, RoundCase{"HugeNegative", -1e300, INT_MIN}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ScaleToPlot, TruncatesWithoutRounding) {
    EXPECT_EQ(ScaleToPlot(184.32, 368.64, 950), 475);
    EXPECT_EQ(ScaleToPlot(174.32, 368.64, 950), 449);  // 449.2
    EXPECT_EQ(ScaleToPlot(-15.68, 368.64, 750), -31);  // -31.9 toward zero
    EXPECT_EQ(ScaleToPlot(368.64, 368.64, 258), 258);
    EXPECT_EQ(ScaleToPlot(1.0, std::numeric_limits<double>::infinity(), 100), 0);
    EXPECT_EQ(ScaleToPlot(std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::infinity(), 100),
              0);  // NaN
    EXPECT_EQ(ScaleToPlot(1e300, 1e-300, 100), INT_MAX);
}

struct GateCase {
    const char* name;
    double fs;
    double rfBw;
    int harmonics;
    double ifBw;
    bool passes;
};

class ChartGateTest : public testing::TestWithParam<GateCase> {};

TEST_P(ChartGateTest, NeedsPositiveFsAndRfBwAndAtMost26Harmonics) {
    PlanFields plan;
    plan.m_fs = GetParam().fs;
    plan.m_rfBw = GetParam().rfBw;
    plan.m_harmonics = GetParam().harmonics;
    plan.m_ifBw = GetParam().ifBw;
    EXPECT_EQ(PlanPassesChartGate(plan), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartGateTest,
    testing::Values(GateCase{"Default", 737.28, 100, 15, 20, true},
                    GateCase{"FsZero", 0, 100, 15, 20, false},
                    GateCase{"FsNegative", -1, 100, 15, 20, false},
                    GateCase{"FsNaN", kNaN, 100, 15, 20, false},
                    GateCase{"RfBwZero", 737.28, 0, 15, 20, false},
                    GateCase{"RfBwNegative", 737.28, -100, 15, 20, false},
                    GateCase{"RfBwNaN", 737.28, kNaN, 15, 20, false},
                    GateCase{"Harmonics26", 737.28, 100, 26, 20, true},
                    GateCase{"Harmonics27", 737.28, 100, 27, 20, false},
                    GateCase{"HarmonicsMostNegative", 737.28, 100, INT_MIN, 20, true},
                    GateCase{"IfBwNegativeIsNotTested", 737.28, 100, 15, -5, true},
                    GateCase{"IfBwNaNIsNotTested", 737.28, 100, 15, kNaN, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlotGrid, RowsAndColumnsOfTheUpperBandAccumulate) {
    RecordingSurface dc;
    const PlotFrame frame = MakePlotFrame(0, 300, 1000);
    ScopedObject pen = DrawPlotGrid(dc, frame, 11, frame.height / 10.0);

    std::vector<Line> expected;
    for (int y : {12, 38, 64, 89, 115, 141, 167, 193, 218, 244, 270}) {
        expected.push_back({38, y, 988, y});
    }
    for (int x : {38, 133, 228, 323, 418, 513, 608, 703, 798, 893, 988}) {
        expected.push_back({x, 12, x, 270});
    }
    EXPECT_EQ(dc.LinesWith(PenStyle::kDot, kGridColour), expected);
    EXPECT_EQ(dc.OpsOf(OpKind::kLine).size(), expected.size());
}

TEST(PlotGrid, ABandOf42RowsPutsEveryRowOnTheTopEdge) {
    RecordingSurface dc;
    const PlotFrame frame = MakePlotFrame(100, 142, 200);
    ScopedObject pen = DrawPlotGrid(dc, frame, 11, frame.height / 10.0);
    const std::vector<Line> lines = dc.LinesWith(PenStyle::kDot, kGridColour);
    ASSERT_EQ(lines.size(), 22u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(lines[static_cast<std::size_t>(i)], (Line{38, 112, 188, 112}));
        EXPECT_EQ(lines[static_cast<std::size_t>(11 + i)].y1, 112);
        EXPECT_EQ(lines[static_cast<std::size_t>(11 + i)].y2, 112);
    }
}

TEST(PlotGrid, ALowNarrowBandClimbsAboveTheTopAndRunsLeft) {
    RecordingSurface dc;
    // height -32, width -20: rows climb from y = 12 by -3.2 and round toward zero.
    const PlotFrame frame = MakePlotFrame(0, 10, 30);
    ScopedObject pen = DrawPlotGrid(dc, frame, 11, frame.height / 10.0);
    const std::vector<Line> lines = dc.LinesWith(PenStyle::kDot, kGridColour);
    ASSERT_EQ(lines.size(), 22u);
    std::vector<int> rows;
    for (int i = 0; i < 11; ++i) {
        rows.push_back(lines[static_cast<std::size_t>(i)].y1);
    }
    EXPECT_EQ(rows, (std::vector<int>{12, 9, 6, 2, 0, -3, -6, -9, -13, -16, -19}));
    EXPECT_EQ(lines[0], (Line{38, 12, 18, 12}));
    EXPECT_EQ(lines[21], (Line{18, 12, 18, -20}));
}

TEST(PlotGrid, AnUncappedRowCountCannotStallThePaint) {
    RecordingSurface dc;
    const PlotFrame frame = MakePlotFrame(300, 600, 800);
    ScopedObject pen = DrawPlotGrid(dc, frame, INT_MAX, frame.height / double{INT_MAX});
    EXPECT_EQ(dc.OpsOf(OpKind::kLine).size(), 65536u + 11u);
}

TEST(PlotAxes, VerticalThenHorizontalInSolidGrey) {
    RecordingSurface dc;
    ScopedObject pen = DrawPlotAxes(dc, MakePlotFrame(300, 600, 800));
    EXPECT_EQ(dc.LinesWith(PenStyle::kSolid, kAxisColour),
              (std::vector<Line>{{38, 312, 38, 570}, {38, 570, 788, 570}}));
}

TEST(PlotLabels, TickLabelsAndTitlesOfTheUpperBand) {
    RecordingSurface dc;
    const PlotFrame frame = MakePlotFrame(0, 300, 1000);
    const std::vector<std::string> texts(11, "x");
    DrawVerticalAxisLabels(dc, frame, texts, frame.height / 10.0);
    DrawFrequencyAxisLabels(dc, frame, 0.0, 737.28 / 2.0);
    DrawFrequencyAxisTitle(dc, frame);

    const std::vector<RecordedOp> ops = dc.OpsOf(OpKind::kTextOut);
    ASSERT_EQ(ops.size(), 23u);
    const int tops[] = {6, 32, 58, 83, 109, 135, 161, 187, 212, 238, 264};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(ops[i].x1, 35);
        EXPECT_EQ(ops[i].y1, tops[i]);
        EXPECT_EQ(ops[i].align, kAlignRight | kAlignTop);
    }
    const char* values[] = {"0.00",   "36.86",  "73.73",  "110.59", "147.46", "184.32",
                            "221.18", "258.05", "294.91", "331.78", "368.64"};
    const int columns[] = {38, 133, 228, 323, 418, 513, 608, 703, 798, 893, 988};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(ops[11 + i].text, values[i]);
        EXPECT_EQ(ops[11 + i].x1, columns[i]);
        EXPECT_EQ(ops[11 + i].y1, 273);
        EXPECT_EQ(ops[11 + i].align, kAlignCenter | kAlignTop);
    }
    EXPECT_EQ((Text{ops[22].x1, ops[22].y1, ops[22].text}), (Text{513, 297, "Frequency (MHz)"}));
    EXPECT_EQ(ops[22].align, kAlignCenter | kAlignBottom);
}

TEST(PlotLabels, ChartFontSetsTheTextColourBeforeItIsSelected) {
    RecordingSurface dc;
    ScopedObject font = MakeChartFont(dc, 13, 900);
    font.Select();
    const std::vector<RecordedOp>& ops = dc.ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, OpKind::kCreateFont);
    EXPECT_EQ(ops[0].font, (FontSpec{13, 900}));
    EXPECT_EQ(ops[1].kind, OpKind::kSetTextColor);
    EXPECT_EQ(ops[1].colour, kChartTextColour);
    EXPECT_EQ(ops[2].kind, OpKind::kSelect);
}

}  // namespace
}  // namespace quorvel::test
