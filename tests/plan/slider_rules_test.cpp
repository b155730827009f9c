#include "plan/slider_rules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// What the dialog holds for the rules: the plan, and beside it the slider position last
// acted upon and the marker.
struct Window {
    PlanFields plan;
    int lastSliderPos = 0;
    int markerX = 0;
    int markerY = 0;

    SliderSetup Initialise() {
        return InitialiseSliderState(plan, lastSliderPos, markerX, markerY);
    }
    bool Poll(int reportedPosition) {
        return ApplySliderPosition(plan, lastSliderPos, markerX, markerY, reportedPosition);
    }
};

// The dialog's sequence for a selector change: set up the slider, then poll it.
bool SelectAndPoll(Window& window, int variable) {
    window.plan.m_sliderVariable = variable;
    const auto setup = SliderSetupFor(window.plan, variable);
    if (!setup) {
        return false;  // the slider keeps its range and position; a poll sees no change
    }
    return window.Poll(ReportedSliderPosition(*setup));
}

TEST(SliderRules, StartUpDrivesFsAndKeepsTheDefaultFractions) {
    Window window{.plan = {.m_sliderVariable = kSliderDrivesIf}, .markerX = 5, .markerY = 7};
    const SliderSetup setup = window.Initialise();
    EXPECT_EQ(setup, (SliderSetup{368, 2000, 737}));
    EXPECT_EQ(window.lastSliderPos, 737);
    EXPECT_EQ(window.plan.m_sliderVariable, kSliderDrivesFs);
    EXPECT_EQ(window.markerX, 0);
    EXPECT_EQ(window.markerY, 0);
    EXPECT_FALSE(window.Poll(ReportedSliderPosition(setup)));
    EXPECT_EQ(window.plan, PlanFields{});
}

TEST(SliderRules, StartValuesOutsideTheRangeAreKeptAsGiven) {
    struct Row {
        double fs, ifc;
        int remembered;
    };
    for (const Row row : {Row{5000, 184.32, 5000}, Row{737.28, 600, 737}, Row{-3, 1500, -3}}) {
        Window window{.plan = {.m_fs = row.fs, .m_if = row.ifc}};
        const SliderSetup setup = window.Initialise();
        EXPECT_EQ(window.lastSliderPos, row.remembered);
        EXPECT_FALSE(window.Poll(ReportedSliderPosition(setup)));
        EXPECT_EQ(window.plan.m_fs, row.fs);
    }
}

TEST(SliderRules, SelectingIfThenFsTakesWholeMegahertz) {
    Window window;
    window.Initialise();
    window.markerX = 300;
    window.markerY = 200;

    EXPECT_EQ(SliderSetupFor(window.plan, kSliderDrivesIf), (SliderSetup{0, 368, 184}));
    EXPECT_TRUE(SelectAndPoll(window, kSliderDrivesIf));
    EXPECT_EQ(window.plan.m_if, 184.0);
    EXPECT_EQ(window.plan.m_fs, 737.28);
    EXPECT_EQ(window.markerX, 0);
    EXPECT_EQ(window.markerY, 0);
    EXPECT_EQ(window.lastSliderPos, 184);

    EXPECT_EQ(SliderSetupFor(window.plan, kSliderDrivesFs), (SliderSetup{368, 2000, 737}));
    EXPECT_TRUE(SelectAndPoll(window, kSliderDrivesFs));
    EXPECT_EQ(window.plan.m_fs, 737.0);
    EXPECT_EQ(window.plan.m_if, 184.0);
}

TEST(SliderRules, ReselectingTheEntryInForceChangesNothing) {
    Window window;
    window.Initialise();
    window.markerX = 10;
    window.markerY = 20;
    EXPECT_FALSE(SelectAndPoll(window, kSliderDrivesFs));
    EXPECT_EQ(window.plan.m_fs, 737.28);
    EXPECT_EQ(window.markerX, 10);
    EXPECT_EQ(window.markerY, 20);
    EXPECT_EQ(window.lastSliderPos, 737);
}

TEST(SliderRules, TypedValueIsLostAtTheNextSliderMove) {
    Window window;
    window.Initialise();
    window.plan.m_fs = 1000.5;  // typed: the slider neither moves nor changes range
    EXPECT_FALSE(window.Poll(737));
    EXPECT_EQ(window.plan.m_fs, 1000.5);
    EXPECT_TRUE(window.Poll(738));
    EXPECT_EQ(window.plan.m_fs, 738.0);
}

TEST(SliderRules, RaisedMinimumAboveFsMovesTheRangeToFs) {
    Window window;
    window.Initialise();
    SelectAndPoll(window, kSliderDrivesIf);
    window.plan.m_if = 400;  // typed while driving the IF
    const auto setup = SliderSetupFor(window.plan, kSliderDrivesFs);
    ASSERT_TRUE(setup);
    EXPECT_EQ(*setup, (SliderSetup{368, 1474, 737}));
    EXPECT_TRUE(SelectAndPoll(window, kSliderDrivesFs));
    EXPECT_EQ(window.plan.m_fs, 737.0);
}

TEST(SliderRules, NoSelectionDrivesNoFieldButStillClearsTheMarker) {
    Window window;
    window.Initialise();
    window.markerX = 50;
    window.markerY = 60;
    EXPECT_FALSE(SliderSetupFor(window.plan, -1));
    window.plan.m_sliderVariable = -1;
    EXPECT_TRUE(window.Poll(900));
    EXPECT_EQ(window.plan.m_fs, 737.28);
    EXPECT_EQ(window.plan.m_if, 184.32);
    EXPECT_EQ(window.markerX, 0);
    EXPECT_EQ(window.markerY, 0);
    EXPECT_EQ(window.lastSliderPos, 900);
}

TEST(SliderRules, NegativeIfGivesANegativeMinimum) {
    PlanFields plan;
    plan.m_if = -20.7;
    EXPECT_EQ(SliderSetupFor(plan, kSliderDrivesFs), (SliderSetup{-41, 2000, 737}));
}

TEST(SliderRules, WildValuesGiveDefinedRanges) {
    PlanFields plan;
    plan.m_if = std::numeric_limits<double>::quiet_NaN();
    plan.m_fs = 1e300;
    EXPECT_EQ(SliderSetupFor(plan, kSliderDrivesFs),
              (SliderSetup{2147483647, 2147483647, 2147483647}));
    EXPECT_EQ(SliderSetupFor(plan, kSliderDrivesIf), (SliderSetup{0, 2147483647, 0}));
}

struct TakeOverRow {
    const char* name;
    PlanFields plan;
    int variable;
    SliderSetup setup;
    double fs, ifc;  // after the selection's poll
};
class TakeOverTest : public testing::TestWithParam<TakeOverRow> {};
TEST_P(TakeOverTest, TheRangeHoldsTheValueTakenOver) {
    const auto& r = GetParam();
    Window window{.plan = r.plan};
    window.Initialise();
    EXPECT_EQ(SliderSetupFor(window.plan, r.variable), r.setup);
    SelectAndPoll(window, r.variable);
    EXPECT_EQ(window.plan.m_fs, r.fs);
    EXPECT_EQ(window.plan.m_if, r.ifc);
}
constexpr PlanFields kUnderSampled{.m_fs = 3000, .m_if = 1800};
INSTANTIATE_TEST_SUITE_P(
    Rows, TakeOverTest,
    testing::Values(
        TakeOverRow{"DefaultsFs", {}, kSliderDrivesFs, {368, 2000, 737}, 737.28, 184.32},
        TakeOverRow{"DefaultsIfDropsTheFraction", {}, kSliderDrivesIf, {0, 368, 184}, 737.28, 184},
        TakeOverRow{"UnderSampledFsEmptyRange",
                    kUnderSampled,
                    kSliderDrivesFs,
                    {1500, 6000, 3000},
                    3000,
                    1800},
        TakeOverRow{
            "UnderSampledIf", kUnderSampled, kSliderDrivesIf, {900, 3600, 1800}, 3000, 1800},
        TakeOverRow{
            "NegativeFs", {.m_fs = -3, .m_if = 1500}, kSliderDrivesFs, {-6, -1, -3}, -3, 1500},
        TakeOverRow{"TwiceBeyondInt",
                    {.m_fs = 2e9},
                    kSliderDrivesFs,
                    {1000000000, 2147483647, 2000000000},
                    2e9,
                    184.32}),
    [](const auto& row) { return std::string(row.param.name); });

struct ClampRow {
    const char* name;
    int pos, min, max, out;
};
class ClampTest : public testing::TestWithParam<ClampRow> {};
TEST_P(ClampTest, ClampsToTheNearerEnd) {
    const auto& r = GetParam();
    EXPECT_EQ(ClampSliderPosition(r.pos, r.min, r.max), r.out);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ClampTest,
    testing::Values(ClampRow{"Inside", 737, 368, 2000, 737}, ClampRow{"Below", 737, 800, 2000, 800},
                    ClampRow{"Above", 2500, 368, 2000, 2000},
                    ClampRow{"InvertedRangeHoldsItsMinimum", 5, 2200, 2000, 2200}),
    [](const auto& row) { return std::string(row.param.name); });

struct CapRow {
    const char* name;
    int in, out;
};
class HarmonicCapTest : public testing::TestWithParam<CapRow> {};
TEST_P(HarmonicCapTest, LowersOnlyCountsAboveTheCap) {
    PlanFields plan;
    plan.m_harmonics = GetParam().in;
    ApplyHarmonicCap(plan);
    EXPECT_EQ(plan.m_harmonics, GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Rows, HarmonicCapTest,
                         testing::Values(CapRow{"Forty", 40, 26}, CapRow{"TwentySeven", 27, 26},
                                         CapRow{"TwentySix", 26, 26}, CapRow{"Zero", 0, 0},
                                         CapRow{"MinusThree", -3, -3}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
