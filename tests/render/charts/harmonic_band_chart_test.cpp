#include "charts/harmonic_band_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/plot_frame.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

constexpr PixelRect kArea{0, 300, 800, 600};

RecordingSurface Draw(const PlanFields& plan, PixelRect area = kArea) {
    RecordingSurface dc;
    DrawHarmonicBandChart(dc, plan, area, 0.0, plan.m_fs / 2.0);
    return dc;
}

std::vector<int> RowLines(const RecordingSurface& dc) {
    std::vector<int> rows;
    for (const Line& line : dc.LinesWith(PenStyle::kDot, kGridColour)) {
        if (line.y1 == line.y2) {
            rows.push_back(line.y1);
        }
    }
    return rows;
}

struct Bar {
    int left, top, right, bottom;
    ColorRef colour;
    friend bool operator==(const Bar&, const Bar&) = default;
};

std::ostream& operator<<(std::ostream& out, const Bar& bar) {
    return out << "(" << bar.left << "," << bar.top << "," << bar.right << "," << bar.bottom << ") "
               << std::hex << bar.colour << std::dec;
}

std::vector<Bar> Bars(const RecordingSurface& dc) {
    std::vector<Bar> bars;
    for (const RecordedOp& op : dc.OpsOf(OpKind::kRectangle)) {
        EXPECT_EQ(op.brush, (BrushSpec{BrushStyle::kBackwardDiagonalHatch, op.pen.colour}));
        EXPECT_EQ(op.pen.style, PenStyle::kSolid);
        bars.push_back({op.x1, op.y1, op.x2, op.y2, op.pen.colour});
    }
    return bars;
}

TEST(HarmonicBandChart, DefaultPlanRowsAndRowLabels) {
    const RecordingSurface dc = Draw(PlanFields{});
    EXPECT_EQ(RowLines(dc), (std::vector<int>{312, 329, 346, 364, 381, 398, 415, 432, 450, 467, 484,
                                              501, 518, 536, 553}));
    const std::vector<Text> labels = dc.TextsIn(kTickLabelFontHeight);
    ASSERT_EQ(labels.size(), 15u + 11u);
    const int tops[] = {306, 323, 340, 358, 375, 392, 409, 426, 444, 461, 478, 495, 512, 530, 547};
    for (std::size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(labels[i], (Text{35, tops[i], std::to_string(i + 1)}));
    }
    EXPECT_EQ(labels[15], (Text{38, 573, "0.00"}));
    EXPECT_EQ(labels[25], (Text{788, 573, "368.64"}));
}

TEST(HarmonicBandChart, DefaultPlanOutlines) {
    const RecordingSurface dc = Draw(PlanFields{});
    EXPECT_EQ(dc.LinesIn(kBandOutlineColour), (std::vector<Line>{{392, 312, 392, 570},
                                                                 {392, 570, 433, 570},
                                                                 {433, 570, 433, 312},
                                                                 {433, 312, 392, 312},
                                                                 {311, 312, 311, 570},
                                                                 {311, 570, 514, 570},
                                                                 {514, 570, 514, 312},
                                                                 {514, 312, 311, 312}}));
}

TEST(HarmonicBandChart, DefaultPlanBars) {
    const std::vector<Bar> bars = Bars(Draw(PlanFields{}));
    ASSERT_EQ(bars.size(), 14u);
    EXPECT_EQ(bars[0], (Bar{747, 329, 788, 570, kEvenHarmonicColour}));  // n = 2
    EXPECT_EQ(bars[1], (Bar{474, 346, 351, 570, kOddHarmonicColour}));   // n = 3, reversed
    EXPECT_EQ(bars[2], (Bar{38, 364, 119, 570, kEvenHarmonicColour}));   // n = 4
    EXPECT_EQ(bars[3], (Bar{311, 381, 514, 570, kOddHarmonicColour}));   // n = 5
    EXPECT_EQ(bars[13], (Bar{718, 553, 107, 570, kOddHarmonicColour}));  // n = 15
}

TEST(HarmonicBandChart, DefaultPlanTitles) {
    const RecordingSurface dc = Draw(PlanFields{});
    const std::vector<RecordedOp> texts = dc.OpsOf(OpKind::kTextOut);
    ASSERT_GE(texts.size(), 2u);
    const RecordedOp& vertical = texts[texts.size() - 2];
    EXPECT_EQ((Text{vertical.x1, vertical.y1, vertical.text}), (Text{3, 450, "Harmonic"}));
    EXPECT_EQ(vertical.font, (FontSpec{13, 900}));
    EXPECT_EQ(vertical.align, kAlignCenter | kAlignTop);
    const RecordedOp& title = texts.back();
    EXPECT_EQ((Text{title.x1, title.y1, title.text}), (Text{413, 597, "Frequency (MHz)"}));
    EXPECT_EQ(title.font, (FontSpec{14, 0}));
    EXPECT_EQ(title.align, kAlignCenter | kAlignBottom);
}

TEST(HarmonicBandChart, ReleasesInReverseOrderOfMaking) {
    const RecordingSurface dc = Draw(PlanFields{});
    EXPECT_EQ(dc.liveObjects(), 0);
    EXPECT_FALSE(dc.drewWithReleasedObject());
    const std::vector<RecordedOp> deletes = dc.OpsOf(OpKind::kDelete);
    ASSERT_GE(deletes.size(), 6u);
    // axis title font, vertical title font, tick label font, green pen, axis pen, grid pen
    std::vector<ObjectHandle> last;
    for (auto it = deletes.end() - 6; it != deletes.end(); ++it) {
        last.push_back(it->handle);
    }
    std::vector<ObjectHandle> made;
    for (const RecordedOp& op : dc.ops()) {
        const bool frameOrFont = op.kind == OpKind::kCreateFont ||
                                 (op.kind == OpKind::kCreatePen &&
                                  (op.pen.colour == kGridColour || op.pen.colour == kAxisColour ||
                                   op.pen.colour == kBandOutlineColour));
        if (frameOrFont) {
            made.insert(made.begin(), op.handle);
        }
    }
    EXPECT_EQ(last, made);
}

TEST(HarmonicBandChart, RfBandOutlineIsNotClampedToThePlot) {
    PlanFields plan;
    plan.m_rfBw = 400.0;
    const std::vector<Line> outline = Draw(plan).LinesIn(kBandOutlineColour);
    ASSERT_EQ(outline.size(), 8u);
    EXPECT_EQ(outline[4], (Line{7, 312, 7, 570}));
    EXPECT_EQ(outline[6], (Line{819, 570, 819, 312}));
}

struct CountCase {
    const char* name;
    int harmonics;
    std::size_t rows;
    std::size_t bars;
    std::size_t texts;  // row labels + frequency labels + titles
};

class HarmonicCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(HarmonicCountTest, RowsBarsAndTexts) {
    PlanFields plan;
    plan.m_harmonics = GetParam().harmonics;
    const RecordingSurface dc = Draw(plan);
    EXPECT_EQ(RowLines(dc).size(), GetParam().rows);
    EXPECT_EQ(Bars(dc).size(), GetParam().bars);
    EXPECT_EQ(dc.OpsOf(OpKind::kTextOut).size(), GetParam().texts);
    EXPECT_EQ(dc.liveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, HarmonicCountTest,
                         testing::Values(CountCase{"Negative", -3, 0, 0, 13},
                                         CountCase{"Zero", 0, 0, 0, 13},
                                         CountCase{"One", 1, 1, 0, 14},
                                         CountCase{"Two", 2, 2, 1, 15},
                                         CountCase{"TwentySix", 26, 26, 25, 39},
                                         CountCase{"TwentySevenFailsTheGate", 27, 27, 0, 0},
                                         CountCase{"FortyFailsTheGate", 40, 40, 0, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HarmonicBandChart, TwoHarmonicsGiveOneRedBarFromTheMiddleRow) {
    PlanFields plan;
    plan.m_harmonics = 2;
    const std::vector<Bar> bars = Bars(Draw(plan));
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].top, RoundToPixel(312 + 258 / 2.0));
    EXPECT_EQ(bars[0].bottom, 570);
    EXPECT_EQ(bars[0].colour, kEvenHarmonicColour);
}

TEST(HarmonicBandChart, AFailedGateWritesNoText) {
    for (double rfBw : {0.0, -100.0}) {
        PlanFields plan;
        plan.m_rfBw = rfBw;
        const RecordingSurface dc = Draw(plan);
        EXPECT_EQ(dc.OpsOf(OpKind::kTextOut).size(), 0u);
        EXPECT_EQ(dc.OpsOf(OpKind::kRectangle).size(), 0u);
        EXPECT_EQ(RowLines(dc).size(), 15u);
    }
}

TEST(HarmonicBandChart, BandsReachingBelowZeroStartAtThePlotsLeftEdge) {
    PlanFields plan;
    plan.m_if = 5.0;  // the IF band -5..15 reaches below 0
    const std::vector<Bar> bars = Bars(Draw(plan));
    ASSERT_FALSE(bars.empty());
    EXPECT_EQ(bars[0].left, 38);
}

TEST(HarmonicBandChart, BandsThatCannotBeFoldedHaveNoBar) {
    PlanFields plan;
    plan.m_if = 1e308;  // every harmonic of it overflows
    const RecordingSurface dc = Draw(plan);
    EXPECT_EQ(Bars(dc).size(), 0u);
    EXPECT_EQ(dc.TextsIn(kTickLabelFontHeight).size(), 15u + 11u);
    EXPECT_EQ(dc.liveObjects(), 0);
}

TEST(HarmonicBandChart, AZeroWidthBandIsHandedOverUnchanged) {
    PlanFields plan;
    plan.m_ifBw = 0.0;
    for (const Bar& bar : Bars(Draw(plan))) {
        EXPECT_EQ(bar.left, bar.right);
    }
}

}  // namespace
}  // namespace quorvel::test
