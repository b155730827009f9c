#include "plan/spur_verdict.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "plan/harmonic_band.h"
#include "plan/reference_bands.h"
#include "plan_values.h"

namespace quorvel {
namespace {

using test::Plan;

// The band table's flag: the folded image of the IF band meets the reference band's own
// image in 0..Fs/2 (either may come as a reversed pair).
bool TableFlag(const HarmonicBand& image, const HarmonicBand& reference) {
    return std::max(image.lo, image.hi) >= std::min(reference.lo, reference.hi) &&
           std::min(image.lo, image.hi) <= std::max(reference.lo, reference.hi);
}

// The definition speaks of bands above 0 Hz; the table does not mirror negative edges.
bool BandsAboveZero(const PlanFields& p) {
    return p.m_if - std::max(p.m_ifBw, p.m_rfBw) / 2 > 0;
}

TEST(JudgeSpurs, AgreesWithTheBandTableFlags) {
    std::mt19937_64 rng(1207);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int judged = 0;
    while (judged < 20000) {
        const double fs = 10 + 2000 * unit(rng);
        const PlanFields plan = Plan(fs, 2 * fs * unit(rng), fs / 8 * unit(rng) * unit(rng),
                                     fs / 2 * unit(rng), 2 + static_cast<int>(25 * unit(rng)));
        if (!BandsAboveZero(plan)) {
            continue;
        }
        ++judged;
        HarmonicBandTable table{};
        ComputeHarmonicBands(plan, table);
        const SpurVerdict v = JudgeSpurs(plan, {Against::kBoth, 0});
        ASSERT_TRUE(v.valid);
        const HarmonicBand ifImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_ifBw);
        const HarmonicBand rfImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_rfBw);
        for (int n = 2; n <= plan.m_harmonics; ++n) {
            const auto i = static_cast<std::size_t>(n);
            ASSERT_EQ(v.meetsIf[i], TableFlag(table[i], ifImage))
                << n << " " << plan.m_fs << " " << plan.m_if << " " << plan.m_ifBw;
            ASSERT_EQ(v.meetsRf[i], TableFlag(table[i], rfImage))
                << n << " " << plan.m_fs << " " << plan.m_if << " " << plan.m_rfBw;
        }
    }
}

struct MarginRow {
    const char* name;
    PlanFields plan;
    Against against;
    double margin;
};

class SpurMargins : public testing::TestWithParam<MarginRow> {};

TEST_P(SpurMargins, MatchTheHandDerivation) {
    const MarginRow& r = GetParam();
    const double got = SpurMargin(r.plan, r.against);
    if (std::isinf(r.margin)) {
        EXPECT_EQ(got, r.margin);
    } else {
        EXPECT_NEAR(got, r.margin, 1e-9);
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Plans, SpurMargins,
    testing::Values(
        // At Fs 650 harmonic 5's difference window [677.28, 797.28] is nearest, then
        // harmonic 4's [502.96, 602.96].
        MarginRow{"Fs650H5", Plan(650, 184.32, 20, 100, 5), Against::kIf, 27.28},
        MarginRow{"Fs650H4", Plan(650, 184.32, 20, 100, 4), Against::kIf, 47.04},
        // The RF band reaches 40 MHz further each side than the IF band.
        MarginRow{"Fs650H4Rf", Plan(650, 184.32, 20, 100, 4), Against::kRf, 7.04},
        MarginRow{"DefaultPlanMeets", Plan(737.28, 184.32, 20, 100, 15), Against::kBoth, 0},
        MarginRow{"FoldsOntoItself", Plan(100, 50, 2, 2, 1), Against::kBoth, 0},
        MarginRow{"NoSampleRate", Plan(0, 50, 2, 2, 3), Against::kBoth, 0},
        MarginRow{"NothingToMeet", Plan(100, 20, 2, 2, 1), Against::kBoth, kInf}),
    [](const auto& row) { return std::string(row.param.name); });

// The spur margin is the threshold of the verdict: clean at every margin below it, not
// clean from it on.
TEST(SpurMargin, IsWhereTheVerdictTurns) {
    std::mt19937_64 rng(31);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 20000; ++trial) {
        const PlanFields plan = Plan(50 + 2000 * unit(rng), 600 * unit(rng), 20 * unit(rng),
                                     60 * unit(rng), 2 + trial % 25);
        const Against against = static_cast<Against>(trial % 3);
        const double margin = SpurMargin(plan, against);
        if (margin == 0) {
            EXPECT_FALSE(JudgeSpurs(plan, {against, 0}).clean);
            continue;
        }
        EXPECT_TRUE(JudgeSpurs(plan, {against, margin * (1 - 1e-9)}).clean) << trial;
        EXPECT_FALSE(JudgeSpurs(plan, {against, margin * (1 + 1e-9)}).clean) << trial;
    }
}

struct VerdictTextRow {
    const char* name;
    PlanFields plan;
    SpurQuery query;
    std::string text;
};

class VerdictTextTest : public ::testing::TestWithParam<VerdictTextRow> {};

SpurModel ClockSpur(double fc, int orders) {
    SpurModel model;
    model.hasClockSpur = true;
    model.clockSpur = fc;
    model.clockSpurOrders = orders;
    return model;
}

// The flags of the band table export for these plans, and the margin worked by hand.
TEST_P(VerdictTextTest, NamesWhatSpoilsThePlanOrItsMargin) {
    EXPECT_EQ(SpurVerdictText(GetParam().plan, GetParam().query), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, VerdictTextTest,
    ::testing::Values(
        VerdictTextRow{"DefaultPlanBothBands",
                       PlanFields{},
                       {Against::kBoth, 0},
                       "H3 meets IF and RF, H5 meets IF and RF, H7 meets IF and RF, H9 meets IF "
                       "and RF, H11 meets IF and RF, H13 meets IF and RF, H14 meets RF, H15 meets "
                       "IF and RF"},
        // HD7 and HD9 at -95 dBc are below a -80 dBc floor; H11 and up have no level.
        VerdictTextRow{"OnlySpursAboveTheFloor",
                       PlanFields{},
                       {Against::kBoth, 0,
                        SpurModel{.levels = {.harmonics = {-90, -70, -90, -75, -90, -95, -90, -95},
                                             .floor = -80}}},
                       "H3 meets IF and RF, H5 meets IF and RF, H11 meets IF and RF, H13 meets IF "
                       "and RF, H14 meets RF, H15 meets IF and RF"},
        VerdictTextRow{"OnlyTheBandAskedAbout",
                       Plan(650, 184.32, 20, 100, 5),
                       {Against::kRf, 0},
                       "H5 meets RF"},
        VerdictTextRow{"CleanGivesTheMargin",
                       Plan(650, 184.32, 20, 100, 5),
                       {Against::kIf, 0},
                       "clean, spur margin 27.280 MHz"},
        VerdictTextRow{"SelfFoldFirst",
                       Plan(100, 50, 10, 20, 3),
                       {Against::kIf, 0},
                       "the IF band folds onto itself, H3 meets IF"},
        // Clean against the IF band 174.32..194.32 but for a 10 MHz clock spur's first
        // sidebands, 184.32..204.32 and 164.32..184.32; its second fold to 251.36..325.
        VerdictTextRow{"ModelledMembersByLabel",
                       Plan(650, 184.32, 20, 100, 5),
                       {Against::kIf, 0, ClockSpur(10, 2)},
                       "f + Fc meets IF, f \xE2\x88\x92 Fc meets IF"},
        VerdictTextRow{"NoSampling", Plan(0, 184.32, 20, 100, 5), {}, "no sampling"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
