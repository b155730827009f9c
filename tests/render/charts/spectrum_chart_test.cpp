#include "charts/spectrum_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "charts/clean_map_rows.h"
#include "charts/plot_frame.h"
#include "plan/harmonic_colour.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

// The worked case. Fs/2 is 512 MHz over a plot 512 columns wide from column 52, so a
// frequency f lands on column 52 + f; the levels run from -120 dBFS on row 270 up to
// 0 dBFS on row 30, 2 rows a dB. The IF band is 90..110 MHz, so H2 is 180..220 and H3
// 270..330; two cores put an image at Fs/2 + f, 602..622 MHz, which folds back to 402..422,
// and an offset tone at Fs/2 itself, on the plot's last column 563. With the signal at
// -15 dBFS, H2 at -45 dBc is at -60 dBFS (row 150), H3 at -60 dBc at -75 (row 180), the
// image at -75 dBc at -90 (row 210), the offset tone and the floor (-90 dBc) at -105
// (row 240); the lowest level less 10 dB, down to a multiple of 10, puts the bottom at -120.
constexpr int kWidth = 52 + 512 + 24;
constexpr int kHeight = 30 + 240 + 40;
constexpr int kAxisRow = 270;

const PlanFields kPlan{.m_fs = 1024, .m_if = 100, .m_ifBw = 20, .m_harmonics = 3, .m_rfBw = 60};

SpurModel WorkedModel() {
    SpurModel model;
    model.interleave = 2;
    model.levels.signal = -15;
    model.levels.harmonics = {-45, -60};
    model.levels.images = {-75};
    model.levels.offset = -105;
    model.levels.floor = -90;
    return model;
}

SpurModel UnknownH3AndOffset() {
    SpurModel model = WorkedModel();
    model.levels.harmonics = {-45};
    model.levels.offset.reset();
    return model;
}

RecordingSurface Draw(const PlanFields& plan, const SpurModel& model, int width = kWidth,
                      int height = kHeight) {
    RecordingSurface dc;
    DrawSpectrumChart(dc, LayOutSpectrum(plan, model, width, height));
    return dc;
}

const ColorRef kImageGreen = MapCodeColour(FamilyMapCode(SpurFamily::kInterleaveImage));
const ColorRef kOffsetColour = MapCodeColour(FamilyMapCode(SpurFamily::kInterleaveOffset));

struct BoxCase {
    const char* name;
    SpurModel model;
    PixelRect rect;
    ColorRef pen;
    BrushStyle brush;
};

class SpectrumBoxes : public testing::TestWithParam<BoxCase> {};

TEST_P(SpectrumBoxes, StandOnTheAxisUpToTheirLevel) {
    const BoxCase& c = GetParam();
    const RecordingSurface dc = Draw(kPlan, c.model);
    int found = 0;
    for (const RecordedOp& op : dc.OpsOf(OpKind::kRectangle)) {
        if (PixelRect{op.x1, op.y1, op.x2, op.y2} == c.rect && op.pen.colour == c.pen) {
            ++found;
            EXPECT_EQ(op.brush.style, c.brush);
        }
    }
    EXPECT_EQ(found, 1);
}

INSTANTIATE_TEST_SUITE_P(WorkedCase, SpectrumBoxes,
                         testing::Values(BoxCase{"RfBandShaded",
                                                 WorkedModel(),
                                                 {122, 30, 182, kAxisRow},
                                                 kSpectrumRfShade,
                                                 BrushStyle::kSolid},
                                         BoxCase{"IfBandShaded",
                                                 WorkedModel(),
                                                 {142, 30, 162, kAxisRow},
                                                 kSpectrumIfShade,
                                                 BrushStyle::kSolid},
                                         BoxCase{"SignalAtItsLevel",
                                                 WorkedModel(),
                                                 {142, 60, 162, kAxisRow},
                                                 kSpectrumSignalColour,
                                                 BrushStyle::kSolid},
                                         BoxCase{"SecondHarmonic",
                                                 WorkedModel(),
                                                 {232, 150, 272, kAxisRow},
                                                 HarmonicColour(2),
                                                 BrushStyle::kSolid},
                                         BoxCase{"ThirdHarmonic",
                                                 WorkedModel(),
                                                 {322, 180, 382, kAxisRow},
                                                 HarmonicColour(3),
                                                 BrushStyle::kSolid},
                                         BoxCase{"ReflectedImage",
                                                 WorkedModel(),
                                                 {454, 210, 474, kAxisRow},
                                                 kImageGreen,
                                                 BrushStyle::kSolid},
                                         BoxCase{"UnknownLevelIsAHatchedStripAlongTheTop",
                                                 UnknownH3AndOffset(),
                                                 {322, 30, 382, 30 + kSpectrumUnknownDepth},
                                                 HarmonicColour(3),
                                                 BrushStyle::kBackwardDiagonalHatch}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SpectrumChart, ToneIsAStemUpToItsLevel) {
    const std::vector<Line> stem =
        Draw(kPlan, WorkedModel()).LinesWith(PenStyle::kSolid, kOffsetColour);
    // From the row above the axis up to its level's row, then the short bar on top.
    EXPECT_EQ(stem, (std::vector<Line>{{563, 269, 563, 239}, {561, 240, 566, 240}}));
}

TEST(SpectrumChart, ToneOfUnknownLevelIsDottedAlongTheTop) {
    const RecordingSurface dc = Draw(kPlan, UnknownH3AndOffset());
    EXPECT_EQ(dc.LinesWith(PenStyle::kDot, kOffsetColour),
              (std::vector<Line>{{563, 30 + kSpectrumUnknownDepth - 1, 563, 29}}));
    EXPECT_EQ(dc.LinesWith(PenStyle::kSolid, kOffsetColour),
              (std::vector<Line>{{561, 30, 566, 30}}));
}

std::vector<RecordedOp> Dashes(const RecordingSurface& dc) {
    std::vector<RecordedOp> dashes;
    for (const RecordedOp& op : dc.OpsOf(OpKind::kFillSpan)) {
        if (op.colour == kSpectrumFloorColour) {
            dashes.push_back(op);
        }
    }
    return dashes;
}

TEST(SpectrumChart, FloorIsDashedOnItsRow) {
    const std::vector<RecordedOp> dashes = Dashes(Draw(kPlan, WorkedModel()));
    ASSERT_GE(dashes.size(), 2u);
    for (const RecordedOp& dash : dashes) {  // a span is row x1, columns y1..x2 - 1
        EXPECT_TRUE(dash.x1 == 240 || dash.x1 == 239) << dash.x1;
        EXPECT_GT(dash.x2 - dash.y1, 0);
        EXPECT_LT(dash.x2 - dash.y1, 10);
    }
    SpurModel noFloor = WorkedModel();
    noFloor.levels.floor.reset();
    EXPECT_TRUE(Dashes(Draw(kPlan, noFloor)).empty());
}

// Texts of the label font naming a mark.
std::vector<Text> Labels(const RecordingSurface& dc, const std::vector<std::string>& names) {
    std::vector<Text> labels;
    for (const Text& text : dc.TextsIn(kSpectrumLabelFontHeight)) {
        if (std::find(names.begin(), names.end(), text.text) != names.end()) {
            labels.push_back(text);
        }
    }
    return labels;
}

TEST(SpectrumChart, StrongestNamedFirstCentredAboveTheirMarks) {
    const RecordingSurface dc = Draw(kPlan, WorkedModel());
    // The tone's label is kept inside the plot's right edge.
    EXPECT_EQ(Labels(dc, {"H2", "H3", "f + Fs/2", "Fs/2"}),
              (std::vector<Text>{
                  {244, 136, "H2"}, {344, 166, "H3"}, {435, 196, "f + Fs/2"}, {536, 226, "Fs/2"}}));
}

TEST(SpectrumChart, LabelsAreWrittenInTheChartsLatin1) {
    SpurModel model = WorkedModel();
    model.hasClockSpur = true;
    model.clockSpur = 30;
    model.levels.sidebands = {-40};
    model.interferers = {{300, 0, 2, -20}};
    const RecordingSurface dc = Draw(kPlan, model);
    EXPECT_EQ(Labels(dc, {"f - Fc", "2 \xD7 interferer 1"}).size(), 2u);
}

TEST(SpectrumChart, LabelsInACrowdNeverOverlap) {
    PlanFields plan;
    plan.m_harmonics = 26;
    SpurModel model;
    model.interleave = 8;
    model.interleaveOrders = 2;
    model.hasClockSpur = true;
    model.clockSpur = 3;
    const SpectrumLayout layout = LayOutSpectrum(plan, model, 900, 500);
    std::vector<std::string> names;
    for (const SpectrumMark& mark : layout.marks) {
        names.push_back(mark.name);
    }
    RecordingSurface dc;
    DrawSpectrumChart(dc, layout);
    const std::vector<Text> labels = Labels(dc, names);
    ASSERT_FALSE(labels.empty());
    EXPECT_LE(labels.size(), static_cast<std::size_t>(kMostSpectrumLabels));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const Text& a = labels[i];
        const int aRight = a.x + kRecordedCharWidth * static_cast<int>(a.text.size());
        EXPECT_GE(a.x, layout.plot.left);
        EXPECT_LE(aRight, layout.plot.right);
        for (std::size_t j = 0; j < i; ++j) {
            const Text& b = labels[j];
            const int bRight = b.x + kRecordedCharWidth * static_cast<int>(b.text.size());
            const bool apart = aRight <= b.x || bRight <= a.x ||
                               a.y + kSpectrumLabelFontHeight <= b.y ||
                               b.y + kSpectrumLabelFontHeight <= a.y;
            EXPECT_TRUE(apart) << a << " and " << b;
        }
    }
}

struct BottomCase {
    const char* name;
    SpurModel model;
    double bottom;
    std::optional<double> traceLevel = std::nullopt;
};

SpurModel WithLevels(std::vector<double> harmonics, std::optional<double> floor = {}) {
    SpurModel model;
    model.levels.harmonics = std::move(harmonics);
    model.levels.floor = floor;
    return model;
}

class SpectrumBottom : public testing::TestWithParam<BottomCase> {};

TEST_P(SpectrumBottom, RoomBelowTheLowestLevel) {
    EXPECT_EQ(
        LayOutSpectrum(kPlan, GetParam().model, kWidth, kHeight, GetParam().traceLevel).bottomLevel,
        GetParam().bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SpectrumBottom,
    testing::Values(BottomCase{"NothingKnown", SpurModel{}, kSpectrumDefaultBottom},
                    BottomCase{"FloorBelowTheSignal", WithLevels({}, -90), -110},
                    BottomCase{"WeakestKnownLevel", WithLevels({-60, -199}), -210},
                    BottomCase{"StrongSpursOnly", WithLevels({-20}), -40},
                    BottomCase{"HeldAtTheDeepest", WithLevels({-1e300}), kSpectrumDeepestBottom},
                    BottomCase{"UnknownLevelsLeaveTheDefault", WithLevels({}),
                               kSpectrumDefaultBottom},
                    BottomCase{"ATraceDeepensIt", WithLevels({-20}), -120, -105},
                    BottomCase{"ATraceNeverRaisesIt", WithLevels({-60}), -80, -30}),
    [](const auto& row) { return std::string(row.param.name); });

struct ReadoutCase {
    const char* name;
    SpurModel model;
    PixelPoint point;
    const char* readout;
};

class SpectrumHover : public testing::TestWithParam<ReadoutCase> {};

TEST_P(SpectrumHover, NamesWhatLiesUnderThePointer) {
    const ReadoutCase& c = GetParam();
    EXPECT_EQ(SpectrumReadout(LayOutSpectrum(kPlan, c.model, kWidth, kHeight), c.point), c.readout);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCase, SpectrumHover,
    testing::Values(
        ReadoutCase{"InsideABox", WorkedModel(), {252, 200}, "200.5 MHz: H2 \u221260 dBFS"},
        ReadoutCase{"AboveABox", WorkedModel(), {252, 140}, "200.5 MHz"},
        ReadoutCase{"BesideAStem", WorkedModel(), {561, 250}, "509.5 MHz: Fs/2 \u2212105 dBFS"},
        ReadoutCase{"TheSignal", WorkedModel(), {150, 100}, "98.5 MHz: signal \u221215 dBFS"},
        ReadoutCase{"AnUnknownLevelAnywhereInItsColumn",
                    UnknownH3AndOffset(),
                    {352, 200},
                    "300.5 MHz: H3 level unknown"},
        ReadoutCase{"OffThePlot", WorkedModel(), {20, 100}, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct BadPlanCase {
    const char* name;
    PlanFields plan;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class SpectrumBadPlan : public testing::TestWithParam<BadPlanCase> {};

TEST_P(SpectrumBadPlan, DrawsTheFrameOnly) {
    for (const auto& [width, height] :
         {std::pair{kWidth, kHeight}, std::pair{0, 0}, std::pair{40, 30}, std::pair{-5, 100000}}) {
        const RecordingSurface dc = Draw(GetParam().plan, WorkedModel(), width, height);
        EXPECT_TRUE(dc.OpsOf(OpKind::kRectangle).empty());
        EXPECT_EQ(dc.liveObjects(), 0);
        EXPECT_FALSE(dc.drewWithReleasedObject());
    }
    EXPECT_FALSE(Draw(GetParam().plan, WorkedModel()).LinesIn(kAxisColour).empty());
}

INSTANTIATE_TEST_SUITE_P(Plans, SpectrumBadPlan,
                         testing::Values(BadPlanCase{"FsZero", {.m_fs = 0}},
                                         BadPlanCase{"FsNegative", {.m_fs = -100}},
                                         BadPlanCase{"FsNaN", {.m_fs = kNaN}},
                                         BadPlanCase{"FsInfinite", {.m_fs = kInf}},
                                         BadPlanCase{"HalfOfFsIsZero", {.m_fs = 5e-324}},
                                         BadPlanCase{"IfNaN", {.m_if = kNaN}},
                                         BadPlanCase{"IfBwInfinite", {.m_ifBw = kInf}},
                                         BadPlanCase{"RfBwZero", {.m_rfBw = 0}},
                                         BadPlanCase{"RfBwNaN", {.m_rfBw = kNaN}}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel::test
