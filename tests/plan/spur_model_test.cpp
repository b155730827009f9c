#include "plan/spur_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "plan/clean_intervals.h"
#include "plan/spur_ledger.h"
#include "plan/spur_verdict.h"
#include "plan_values.h"

namespace quorvel {
namespace {

// The folded image of [lo, hi] in 0..fs/2, worked out from the fold's shape alone: it
// reaches 0 when the interval holds a multiple of fs, fs/2 when it holds an odd multiple
// of fs/2, and otherwise stops at its ends' images.
FrequencyInterval FoldedImage(double lo, double hi, double fs) {
    const auto fold = [fs](double f) {
        const double r = std::fmod(std::fabs(f), fs);
        return r > fs / 2 ? fs - r : r;
    };
    const bool holdsZero = std::ceil(lo / fs) * fs <= hi;
    const bool holdsHalf = (2 * std::ceil((lo / (fs / 2) - 1) / 2) + 1) * (fs / 2) <= hi;
    return {holdsZero ? 0 : std::min(fold(lo), fold(hi)),
            holdsHalf ? fs / 2 : std::max(fold(lo), fold(hi))};
}

// The member's frequencies before sampling, from the table of families.
FrequencyInterval MemberFrequencies(const SpurMember& m, const SpurModel& model, double fs,
                                    double a, double b) {
    switch (m.family) {
        case SpurFamily::kHarmonic:
            return {m.order * a, m.order * b};
        case SpurFamily::kInterleaveImage:
            return {m.term * fs / model.interleave + m.order * a,
                    m.term * fs / model.interleave + m.order * b};
        case SpurFamily::kInterleaveOffset:
            return {m.term * fs / model.interleave, m.term * fs / model.interleave};
        case SpurFamily::kClockSideband:
            return {m.order * a + m.term * model.clockSpur, m.order * b + m.term * model.clockSpur};
        case SpurFamily::kInterferer: {
            const Interferer& in = model.interferers[static_cast<std::size_t>(m.term - 1)];
            return {m.order * (in.centre - in.width / 2), m.order * (in.centre + in.width / 2)};
        }
    }
    return {};
}

// Whether the member meets [c, d] by the fold, or nothing when rounding could decide it.
std::optional<bool> FoldMeets(FrequencyInterval f, double c, double d, double fs) {
    const double slack = 1e-7 * (std::fabs(f.hi) + std::fabs(d) + fs);
    const auto meets = [&](double widen) {
        const FrequencyInterval x = FoldedImage(c - widen, d + widen, fs);
        const FrequencyInterval y = FoldedImage(f.lo - widen, f.hi + widen, fs);
        return x.lo <= y.hi && y.lo <= x.hi;
    };
    const bool narrow = meets(-slack);
    return narrow == meets(slack) ? std::optional<bool>(narrow) : std::nullopt;
}

SpurModel RandomModel(std::mt19937_64& rng, double fs) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> order(1, 3);
    SpurModel model;
    model.interleave = std::uniform_int_distribution<int>(1, 8)(rng);
    model.interleaveOrders = order(rng);
    model.hasClockSpur = unit(rng) < 0.6;
    model.clockSpur = fs * unit(rng);
    model.clockSpurOrders = order(rng);
    for (int i = std::uniform_int_distribution<int>(0, 2)(rng); i > 0; --i) {
        model.interferers.push_back({6 * fs * unit(rng) - fs / 2, fs / 4 * unit(rng), order(rng)});
    }
    return model;
}

PlanFields RandomPlan(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    PlanFields plan;
    plan.m_fs = 50 + 3000 * unit(rng);
    plan.m_ifBw = plan.m_fs / 3 * unit(rng);
    plan.m_if = plan.m_ifBw / 2 + 1 + 5 * plan.m_fs * unit(rng);  // any zone
    plan.m_rfBw = plan.m_ifBw * 4 * unit(rng);
    plan.m_harmonics = std::uniform_int_distribution<int>(1, 8)(rng);
    return plan;
}

// Every member's verdict, against each band and at any margin, is the fold's.
TEST(SpurModelVerdict, AgreesWithFoldingEachMemberAndBand) {
    std::mt19937_64 rng(18);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int decided = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const PlanFields plan = RandomPlan(rng);
        const SpurQuery query{Against::kBoth, trial % 2 ? 0 : 20 * unit(rng),
                              RandomModel(rng, plan.m_fs)};
        const SpurVerdict v = JudgeSpurs(plan, query);
        ASSERT_TRUE(v.valid);
        const double a = plan.m_if - plan.m_ifBw / 2;
        const double b = plan.m_if + plan.m_ifBw / 2;
        const double m = query.margin;
        const double c = plan.m_if - plan.m_rfBw / 2;
        const double d = plan.m_if + plan.m_rfBw / 2;
        std::vector<SpurMember> members;
        for (int n = 2; n <= plan.m_harmonics; ++n) {
            members.push_back({SpurFamily::kHarmonic, n, 0});
        }
        const std::vector<SpurMember> modelled = ModelledMembersOf(query.model);
        members.insert(members.end(), modelled.begin(), modelled.end());
        ASSERT_EQ(v.modelled.size(), modelled.size());
        for (std::size_t i = 0; i < members.size(); ++i) {
            const FrequencyInterval f = MemberFrequencies(members[i], query.model, plan.m_fs, a, b);
            const bool harmonic = members[i].family == SpurFamily::kHarmonic;
            const std::size_t j = i - (members.size() - modelled.size());
            const auto n = static_cast<std::size_t>(members[i].order);
            const bool gotIf = harmonic ? v.meetsIf[n] : v.modelled[j].meetsIf;
            const bool gotRf = harmonic ? v.meetsRf[n] : v.modelled[j].meetsRf;
            if (const auto want = FoldMeets(f, a - m, b + m, plan.m_fs)) {
                ASSERT_EQ(gotIf, *want) << "trial " << trial << " member " << i;
                ++decided;
            }
            if (const auto want = FoldMeets(f, c - m, d + m, plan.m_fs)) {
                ASSERT_EQ(gotRf, *want) << "trial " << trial << " member " << i;
            }
        }
    }
    EXPECT_GT(decided, 30000);
}

enum class Axis { kFs, kIf };

struct ExportedRow {
    const char* name;
    Axis axis;
    Against against;
};

class CleanIntervalsWithAModel : public testing::TestWithParam<ExportedRow> {};

// Points inside the clean intervals are clean, points between them are not, for plans
// with every family in their model.
TEST_P(CleanIntervalsWithAModel, AgreeWithThePointVerdict) {
    const ExportedRow& r = GetParam();
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 150; ++trial) {
        const PlanFields plan = RandomPlan(rng);
        const SpurQuery query{r.against, trial % 2 ? 0 : 5 * unit(rng),
                              RandomModel(rng, plan.m_fs)};
        const FrequencyInterval range = r.axis == Axis::kFs
                                            ? FrequencyInterval{plan.m_fs / 2, plan.m_fs * 2}
                                            : FrequencyInterval{0, plan.m_fs * 3};
        const CleanIntervals clean =
            r.axis == Axis::kFs ? FindCleanFs(plan, range, query) : FindCleanIf(plan, range, query);
        ASSERT_EQ(clean.status, FinderStatus::kOk);
        for (int i = 0; i < 200; ++i) {
            const double x = range.lo + (range.hi - range.lo) * unit(rng);
            PlanFields at = plan;
            (r.axis == Axis::kFs ? at.m_fs : at.m_if) = x;
            const bool inside =
                std::any_of(clean.intervals.begin(), clean.intervals.end(),
                            [x](const FrequencyInterval& c) { return c.lo <= x && x <= c.hi; });
            ASSERT_EQ(JudgeSpurs(at, query).clean, inside)
                << "trial " << trial << " at " << x << " (" << r.name << ")";
        }
        for (const FrequencyInterval& c : clean.intervals) {
            for (const double end : {c.lo, c.hi}) {
                if (end == range.lo || end == range.hi) {
                    continue;
                }
                PlanFields at = plan;
                (r.axis == Axis::kFs ? at.m_fs : at.m_if) = end;
                ASSERT_FALSE(JudgeSpurs(at, query).clean) << "trial " << trial << " end " << end;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CleanIntervalsWithAModel,
                         testing::Values(ExportedRow{"FsAgainstIf", Axis::kFs, Against::kIf},
                                         ExportedRow{"FsAgainstBoth", Axis::kFs, Against::kBoth},
                                         ExportedRow{"IfAgainstIf", Axis::kIf, Against::kIf},
                                         ExportedRow{"IfAgainstRf", Axis::kIf, Against::kRf}),
                         [](const auto& row) { return std::string(row.param.name); });

using test::Plan;

struct WorkedFsRow {
    const char* name;
    PlanFields plan;
    SpurModel model;
    FrequencyInterval range;
    std::vector<FrequencyInterval> clean;
};

class WorkedFsCases : public testing::TestWithParam<WorkedFsRow> {};

TEST_P(WorkedFsCases, MatchTheHandDerivation) {
    const WorkedFsRow& r = GetParam();
    const CleanIntervals got = FindCleanFs(r.plan, r.range, {Against::kIf, 0, r.model});
    ASSERT_EQ(got.status, FinderStatus::kOk);
    ASSERT_EQ(got.intervals.size(), r.clean.size());
    for (std::size_t i = 0; i < r.clean.size(); ++i) {
        EXPECT_NEAR(got.intervals[i].lo, r.clean[i].lo, 1e-9) << i;
        EXPECT_NEAR(got.intervals[i].hi, r.clean[i].hi, 1e-9) << i;
    }
}

SpurModel Interleaved(int m, int orders) {
    SpurModel model;
    model.interleave = m;
    model.interleaveOrders = orders;
    return model;
}

SpurModel WithInterferer(Interferer in) {
    SpurModel model;
    model.interferers.push_back(in);
    return model;
}

// The 100 MHz band at 1800 MHz: 2f + Fs/4 reaches 7 Fs/4 in [5250, 5550] up to 22200/7,
// 2f + Fs/2 puts Fs/2 in [1650, 1950] from 3300 to 3900, 2f + 3Fs/4 puts 5 Fs/4 in
// [5250, 5550] from 4200, f + Fs/4 puts 3 Fs/4 in [3500, 3700] from 14000/3 to 14800/3;
// 4625 is harmonic 5's, 9250 / 3 harmonic 4's. An interferer at 303..307 MHz lies a whole Fs below
// the band 1290..1310 for Fs from 1290 - 307 to 1310 - 303.
INSTANTIATE_TEST_SUITE_P(
    Hand, WorkedFsCases,
    testing::Values(
        WorkedFsRow{"ThreeGigasamplesHarmonicsOnly",
                    Plan(3000, 1800, 100, 100, 5),
                    {},
                    {3000, 5000},
                    {{9250.0 / 3, 3400}, {3800, 4375}, {4625, 5000}}},
        WorkedFsRow{"ThreeGigasamplesFourCoresOrdersOneAndTwo",
                    Plan(3000, 1800, 100, 100, 5),
                    Interleaved(4, 2),
                    {3000, 5000},
                    {{22200.0 / 7, 3300}, {3900, 4200}, {4625, 14000.0 / 3}, {14800.0 / 3, 5000}}},
        WorkedFsRow{"InterfererBelowTheBandAliasesUp",
                    Plan(1000, 1300, 20, 20, 1),
                    WithInterferer({305, 4, 1}),
                    {950, 1050},
                    {{950, 983}, {1007, 1050}}}),
    [](const auto& row) { return std::string(row.param.name); });

// A 30 MHz clock spur on the default plan: f + Fc at 204.32..224.32 and f - Fc at
// 144.32..164.32 stay 10 MHz off the IF band 174.32..194.32, inside the RF band.
TEST(SpurLedger, ClockSidebandsOfTheDefaultPlanByHand) {
    SpurModel model;
    model.hasClockSpur = true;
    model.clockSpur = 30;
    const std::vector<SpurLedgerRow> rows = BuildSpurLedger(PlanFields{}, model);
    ASSERT_EQ(rows.size(), 14u + 2u);
    for (const double sign : {1.0, -1.0}) {
        const SpurLedgerRow& row = rows[sign > 0 ? 14 : 15];
        EXPECT_EQ(row.member, (SpurMember{SpurFamily::kClockSideband, 1, sign > 0 ? 1 : -1}));
        EXPECT_NEAR(row.image.lo, 174.32 + sign * 30, 1e-9);
        EXPECT_NEAR(row.image.hi, 194.32 + sign * 30, 1e-9);
        EXPECT_FALSE(row.meetsIf);
        EXPECT_TRUE(row.meetsRf);
        EXPECT_NEAR(row.distanceToIf, 10, 1e-9);
        EXPECT_EQ(row.distanceToRf, 0);
    }
    const std::string csv = SpurLedgerCsv(rows, model);
    EXPECT_NE(csv.find("\nclock_sideband,1,+,204.32"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nclock_sideband,1,-,144.32"), std::string::npos) << csv;
}

// Images and tones are named q/M as given; an offset tone has order 0; an interval through
// 0 folds from 0 up.
TEST(SpurLedger, TermsOrdersAndAnIntervalThroughZero) {
    SpurModel model = Interleaved(4, 1);
    model.interferers.push_back({1, 10, 1});  // -4..6 MHz
    const std::string csv =
        SpurLedgerCsv(BuildSpurLedger(Plan(1000, 300, 20, 20, 1), model), model);
    EXPECT_EQ(csv, std::string(kSpurLedgerCsvColumns) +
                       "\ninterleave_image,1,1/4,460,440,0,0,130,130"
                       "\ninterleave_image,1,2/4,210,190,0,0,80,80"
                       "\ninterleave_image,1,3/4,40,60,0,0,230,230"
                       "\ninterleave_offset,0,1/4,250,250,0,0,40,40"
                       "\ninterleave_offset,0,2/4,500,500,0,0,190,190"
                       "\ninterferer,1,1,0,6,0,0,284,284\n");
}

struct LabelRow {
    const char* name;
    SpurMember member;
    int interleave;
    std::string label;
};

class MemberLabels : public testing::TestWithParam<LabelRow> {};

TEST_P(MemberLabels, AreWrittenAsAnEngineerWritesThem) {
    EXPECT_EQ(SpurMemberLabel(GetParam().member, Interleaved(GetParam().interleave, 1)),
              GetParam().label);
}

// In UTF-8: the minus sign is E2 88 92, the times sign C3 97.
INSTANTIATE_TEST_SUITE_P(
    Members, MemberLabels,
    testing::Values(
        LabelRow{"Harmonic", {SpurFamily::kHarmonic, 3, 0}, 1, "3f"},
        LabelRow{"FirstOrder", {SpurFamily::kHarmonic, 1, 0}, 1, "f"},
        LabelRow{"Image", {SpurFamily::kInterleaveImage, 2, 3}, 4, "2f + 3Fs/4"},
        LabelRow{"ImageOrderOne", {SpurFamily::kInterleaveImage, 1, 1}, 4, "f + Fs/4"},
        LabelRow{"ImageReduced", {SpurFamily::kInterleaveImage, 1, 2}, 4, "f + Fs/2"},
        LabelRow{"ImageReducedNotToOne", {SpurFamily::kInterleaveImage, 1, 4}, 6, "f + 2Fs/3"},
        LabelRow{"Tone", {SpurFamily::kInterleaveOffset, 0, 1}, 4, "Fs/4"},
        LabelRow{"ToneThreeEighths", {SpurFamily::kInterleaveOffset, 0, 3}, 8, "3Fs/8"},
        LabelRow{"ToneReduced", {SpurFamily::kInterleaveOffset, 0, 4}, 8, "Fs/2"},
        LabelRow{"SidebandAbove", {SpurFamily::kClockSideband, 1, 1}, 1, "f + Fc"},
        LabelRow{"SidebandBelow", {SpurFamily::kClockSideband, 2, -1}, 1, "2f \xE2\x88\x92 Fc"},
        LabelRow{"Interferer", {SpurFamily::kInterferer, 1, 1}, 1, "interferer 1"},
        LabelRow{
            "InterfererHarmonic", {SpurFamily::kInterferer, 2, 3}, 1, "2 \xC3\x97 interferer 3"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
