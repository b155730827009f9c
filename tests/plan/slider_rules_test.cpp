#include "plan/slider_rules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// The dialog's sequence for a selector change: set up the slider, then poll it.
bool SelectAndPoll(PlanFields& plan, int variable) {
    plan.m_sliderVariable = variable;
    const auto setup = SliderSetupFor(plan, variable);
    if (!setup) {
        return false;  // the slider keeps its range and position; a poll sees no change
    }
    return ApplySliderPosition(plan, ReportedSliderPosition(*setup));
}

TEST(SliderRules, StartUpDrivesFsAndKeepsTheDefaultFractions) {
    PlanFields plan;
    plan.m_markerX = 5;
    const SliderSetup setup = InitialiseSliderState(plan);
    EXPECT_EQ(setup, (SliderSetup{368, 2000, 737}));
    EXPECT_EQ(plan.m_lastSliderPos, 737);
    EXPECT_EQ(plan.m_sliderVariable, kSliderDrivesFs);
    EXPECT_EQ(plan.m_markerX, 0);
    EXPECT_FALSE(ApplySliderPosition(plan, ReportedSliderPosition(setup)));
    EXPECT_EQ(plan.m_fs, 737.28);
}

TEST(SliderRules, StartValuesOutsideTheRangeAreKeptAsGiven) {
    struct Row {
        double fs, ifc;
        int remembered;
    };
    for (const Row row : {Row{5000, 184.32, 5000}, Row{737.28, 600, 737}, Row{-3, 1500, -3}}) {
        PlanFields plan{.m_fs = row.fs, .m_if = row.ifc};
        const SliderSetup setup = InitialiseSliderState(plan);
        EXPECT_EQ(plan.m_lastSliderPos, row.remembered);
        EXPECT_FALSE(ApplySliderPosition(plan, ReportedSliderPosition(setup)));
        EXPECT_EQ(plan.m_fs, row.fs);
    }
}

TEST(SliderRules, SelectingIfThenFsTakesWholeMegahertz) {
    PlanFields plan;
    InitialiseSliderState(plan);
    plan.m_markerX = 300;
    plan.m_markerY = 200;

    EXPECT_EQ(SliderSetupFor(plan, kSliderDrivesIf), (SliderSetup{0, 368, 184}));
    EXPECT_TRUE(SelectAndPoll(plan, kSliderDrivesIf));
    EXPECT_EQ(plan.m_if, 184.0);
    EXPECT_EQ(plan.m_fs, 737.28);
    EXPECT_EQ(plan.m_markerX, 0);
    EXPECT_EQ(plan.m_markerY, 0);
    EXPECT_EQ(plan.m_lastSliderPos, 184);

    EXPECT_EQ(SliderSetupFor(plan, kSliderDrivesFs), (SliderSetup{368, 2000, 737}));
    EXPECT_TRUE(SelectAndPoll(plan, kSliderDrivesFs));
    EXPECT_EQ(plan.m_fs, 737.0);
    EXPECT_EQ(plan.m_if, 184.0);
}

TEST(SliderRules, ReselectingTheEntryInForceChangesNothing) {
    PlanFields plan;
    InitialiseSliderState(plan);
    plan.m_markerX = 10;
    EXPECT_FALSE(SelectAndPoll(plan, kSliderDrivesFs));
    EXPECT_EQ(plan.m_fs, 737.28);
    EXPECT_EQ(plan.m_markerX, 10);
}

TEST(SliderRules, TypedValueIsLostAtTheNextSliderMove) {
    PlanFields plan;
    InitialiseSliderState(plan);
    plan.m_fs = 1000.5;  // typed: the slider neither moves nor changes range
    EXPECT_FALSE(ApplySliderPosition(plan, 737));
    EXPECT_EQ(plan.m_fs, 1000.5);
    EXPECT_TRUE(ApplySliderPosition(plan, 738));
    EXPECT_EQ(plan.m_fs, 738.0);
}

TEST(SliderRules, RaisedMinimumAboveFsMovesTheRangeToFs) {
    PlanFields plan;
    InitialiseSliderState(plan);
    SelectAndPoll(plan, kSliderDrivesIf);
    plan.m_if = 400;  // typed while driving the IF
    const auto setup = SliderSetupFor(plan, kSliderDrivesFs);
    ASSERT_TRUE(setup);
    EXPECT_EQ(*setup, (SliderSetup{368, 1474, 737}));
    EXPECT_TRUE(SelectAndPoll(plan, kSliderDrivesFs));
    EXPECT_EQ(plan.m_fs, 737.0);
}

TEST(SliderRules, NoSelectionDrivesNoFieldButStillClearsTheMarker) {
    PlanFields plan;
    InitialiseSliderState(plan);
    plan.m_markerX = 50;
    EXPECT_FALSE(SliderSetupFor(plan, -1));
    plan.m_sliderVariable = -1;
    EXPECT_TRUE(ApplySliderPosition(plan, 900));
    EXPECT_EQ(plan.m_fs, 737.28);
    EXPECT_EQ(plan.m_if, 184.32);
    EXPECT_EQ(plan.m_markerX, 0);
    EXPECT_EQ(plan.m_lastSliderPos, 900);
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
    PlanFields plan = r.plan;
    InitialiseSliderState(plan);
    EXPECT_EQ(SliderSetupFor(plan, r.variable), r.setup);
    SelectAndPoll(plan, r.variable);
    EXPECT_EQ(plan.m_fs, r.fs);
    EXPECT_EQ(plan.m_if, r.ifc);
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
