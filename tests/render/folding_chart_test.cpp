#include "render/folding_chart.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "recording_surface.h"
#include "render/plot_frame.h"

namespace quorvel::test {
namespace {

constexpr ColorRef Cyan(ColorRef i) {
    return i << 16 | i << 8;
}

// The polyline of consecutive lines drawn with one pen colour, as its points.
std::vector<std::pair<int, int>> PathIn(const RecordingSurface& dc, ColorRef colour) {
    std::vector<std::pair<int, int>> points;
    for (const Line& line : dc.LinesIn(colour)) {
        if (points.empty()) {
            points.emplace_back(line.x1, line.y1);
        }
        points.emplace_back(line.x2, line.y2);
    }
    return points;
}

class DefaultFoldingChart : public testing::Test {
  protected:
    void SetUp() override { DrawFoldingChart(dc, plan, 1000, 300, 0.0, plan.m_fs / 2.0); }
    PlanFields plan;
    RecordingSurface dc;
};

TEST_F(DefaultFoldingChart, StartsByBlackingOutItsBand) {
    ASSERT_FALSE(dc.ops().empty());
    const RecordedOp& first = dc.ops().front();
    EXPECT_EQ(first.kind, OpKind::kPatBlt);
    EXPECT_EQ((Line{first.x1, first.y1, first.x2, first.y2}), (Line{0, 0, 1000, 300}));
}

TEST_F(DefaultFoldingChart, BoxesRunUpTheLeftAcrossTheTopDownAndBack) {
    EXPECT_EQ(dc.LinesIn(kBoxColour), (std::vector<Line>{{487, 148, 487, 135},
                                                         {487, 135, 538, 135},
                                                         {538, 135, 538, 148},
                                                         {538, 148, 487, 148},
                                                         {487, 176, 487, 107},
                                                         {487, 107, 538, 107},
                                                         {538, 107, 538, 176},
                                                         {538, 176, 487, 176}}));
    for (const RecordedOp& op : dc.OpsOf(OpKind::kLine)) {
        if (op.pen.colour == kBoxColour) {
            EXPECT_EQ(op.pen, (PenSpec{PenStyle::kSolid, 1, kBoxColour}));
        }
    }
}

TEST_F(DefaultFoldingChart, AliasLinesOfHarmonics2And3) {
    using Path = std::vector<std::pair<int, int>>;
    EXPECT_EQ(PathIn(dc, 0x0000FF), (Path{{38, 270}, {513, 12}, {988, 270}}));
    EXPECT_EQ(PathIn(dc, Cyan(255)), (Path{{38, 270}, {354, 12}, {671, 270}, {988, 12}}));
}

TEST_F(DefaultFoldingChart, Harmonic15RunsIntoTheMarginAndOffTheSurface) {
    // Harmonic 15 is the only cyan 105 line; it is drawn first of all alias lines.
    const std::vector<std::pair<int, int>> path = PathIn(dc, Cyan(105));
    ASSERT_EQ(path.size(), 17u);
    EXPECT_EQ(path[0], std::make_pair(38, 270));
    EXPECT_EQ(path[1], std::make_pair(101, 12));
    EXPECT_EQ(path[2], std::make_pair(164, 270));
    EXPECT_EQ(path[15], std::make_pair(988, 12));
    EXPECT_EQ(path[16], std::make_pair(1051, 270));

    std::vector<ColorRef> order;
    for (const RecordedOp& op : dc.OpsOf(OpKind::kCreatePen)) {
        order.push_back(op.pen.colour);
    }
    // grid, axes, boxes, then harmonics 15 down to 2.
    ASSERT_EQ(order.size(), 3u + 14u);
    EXPECT_EQ(order[3], Cyan(105));
    EXPECT_EQ(order.back(), 0x0000FFu);
}

TEST_F(DefaultFoldingChart, LabelsDescendOnTheLeftAndAscendUnderTheAxis) {
    const std::vector<Text> labels = dc.TextsIn(kTickLabelFontHeight);
    ASSERT_EQ(labels.size(), 22u);
    const char* left[] = {"368.64", "331.78", "294.91", "258.05", "221.18", "184.32",
                          "147.46", "110.59", "73.73",  "36.86",  "0.00"};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(labels[i].text, left[i]);
        EXPECT_EQ(labels[i].x, 35);
        EXPECT_EQ(labels[11 + i].text, left[10 - i]);
        EXPECT_EQ(labels[11 + i].y, 273);
    }
    EXPECT_EQ(dc.TextsIn(kAxisTitleFontHeight), (std::vector<Text>{{513, 297, "Frequency (MHz)"}}));
    for (const RecordedOp& op : dc.OpsOf(OpKind::kTextOut)) {
        EXPECT_EQ(op.textColour, kChartTextColour);
        EXPECT_EQ(op.font.escapement, 0);
    }
}

TEST_F(DefaultFoldingChart, ReleasesEverythingAndNeverDrawsWithAReleasedObject) {
    EXPECT_EQ(dc.liveObjects(), 0);
    EXPECT_FALSE(dc.drewWithReleasedObject());
    // The frame's pens go before the box pen is made.
    const std::vector<RecordedOp>& ops = dc.ops();
    int deletes = 0;
    for (const RecordedOp& op : ops) {
        if (op.kind == OpKind::kDelete) {
            ++deletes;
        }
        if (op.kind == OpKind::kCreatePen && op.pen.colour == kBoxColour) {
            EXPECT_EQ(deletes, 2);
        }
    }
}

TEST(FoldingChart, AFailedGateLeavesGridAndAxesOnly) {
    for (double fs : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        PlanFields plan;
        plan.m_fs = fs;
        RecordingSurface dc;
        DrawFoldingChart(dc, plan, 1000, 300, 0.0, fs / 2.0);
        EXPECT_EQ(dc.OpsOf(OpKind::kTextOut).size(), 0u);
        EXPECT_EQ(dc.OpsOf(OpKind::kLine).size(), 22u + 2u) << fs;
        EXPECT_EQ(dc.OpsOf(OpKind::kCreateFont).size(), 0u);
        EXPECT_EQ(dc.liveObjects(), 0);
    }
}

TEST(FoldingChart, TheLabelRangeChangesTheTextsOnly) {
    PlanFields plan;
    RecordingSurface standard;
    RecordingSurface other;
    DrawFoldingChart(standard, plan, 1000, 300, 0.0, plan.m_fs / 2.0);
    DrawFoldingChart(other, plan, 1000, 300, 100.0, 200.0);
    EXPECT_EQ(standard.OpsOf(OpKind::kLine).size(), other.OpsOf(OpKind::kLine).size());
    EXPECT_EQ(standard.LinesIn(kBoxColour), other.LinesIn(kBoxColour));
    EXPECT_EQ(standard.LinesIn(Cyan(105)), other.LinesIn(Cyan(105)));
    // The left labels count down from xMax - xMin; the bottom ones run xMin to xMax.
    const std::vector<Text> labels = other.TextsIn(kTickLabelFontHeight);
    EXPECT_EQ(labels[0].text, "100.00");
    EXPECT_EQ(labels[10].text, "0.00");
    EXPECT_EQ(labels[11].text, "100.00");
    EXPECT_EQ(labels[21].text, "200.00");
}

TEST(FoldingChart, HarmonicCountsWithoutAliasLines) {
    for (int h : {-5, 0, 1}) {
        PlanFields plan;
        plan.m_harmonics = h;
        RecordingSurface dc;
        DrawFoldingChart(dc, plan, 1000, 300, 0.0, plan.m_fs / 2.0);
        EXPECT_EQ(dc.OpsOf(OpKind::kCreatePen).size(), 3u) << h;  // grid, axes, boxes
        EXPECT_EQ(dc.TextsIn(kTickLabelFontHeight).size(), 22u) << h;
    }
}

TEST(FoldingChart, AZeroIfBandwidthShrinksBoxAToAPoint) {
    PlanFields plan;
    plan.m_ifBw = 0.0;
    RecordingSurface dc;
    DrawFoldingChart(dc, plan, 1000, 300, 0.0, plan.m_fs / 2.0);
    const std::vector<Line> box = dc.LinesIn(kBoxColour);
    ASSERT_EQ(box.size(), 8u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(box[i], (Line{513, 141, 513, 141}));
    }
    EXPECT_EQ(box[4], (Line{513, 176, 513, 107}));
}

}  // namespace
}  // namespace quorvel::test
