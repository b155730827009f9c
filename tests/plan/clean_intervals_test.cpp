#include "plan/clean_intervals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "plan/meet_intervals.h"
#include "plan/spur_verdict.h"
#include "plan_values.h"

namespace quorvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

enum class Axis { kFs, kIf };

CleanIntervals FindClean(Axis axis, const PlanFields& plan, FrequencyInterval range,
                         const SpurQuery& query) {
    return axis == Axis::kFs ? FindCleanFs(plan, range, query) : FindCleanIf(plan, range, query);
}

PlanFields At(PlanFields plan, Axis axis, double value) {
    (axis == Axis::kFs ? plan.m_fs : plan.m_if) = value;
    return plan;
}

struct WorkedRow {
    const char* name;
    Axis axis;
    PlanFields plan;
    FrequencyInterval range;
    Against against;
    std::vector<FrequencyInterval> clean;
};

class WorkedCases : public testing::TestWithParam<WorkedRow> {};

TEST_P(WorkedCases, MatchTheHandDerivation) {
    const WorkedRow& r = GetParam();
    const CleanIntervals got = FindClean(r.axis, r.plan, r.range, {r.against, 0});
    ASSERT_EQ(got.status, FinderStatus::kOk);
    ASSERT_EQ(got.intervals.size(), r.clean.size());
    for (std::size_t i = 0; i < r.clean.size(); ++i) {
        EXPECT_NEAR(got.intervals[i].lo, r.clean[i].lo, 1e-9) << i;
        EXPECT_NEAR(got.intervals[i].hi, r.clean[i].hi, 1e-9) << i;
    }
}

using test::Plan;

INSTANTIATE_TEST_SUITE_P(
    Hand, WorkedCases,
    testing::Values(WorkedRow{"DefaultPlanH5AgainstIf",
                              Axis::kFs,
                              Plan(737.28, 184.32, 20, 100, 5),
                              {300, 1000},
                              Against::kIf,
                              {{971.6 / 3, 328.64},
                               {408.64, 435.8},
                               {485.8, 502.96},
                               {602.96, 677.28},
                               {797.28, 871.6},
                               {971.6, 1000}}},
                    WorkedRow{"NarrowBandSecondHarmonicAlongIf",
                              Axis::kIf,
                              Plan(100, 0, 2, 50, 2),
                              {0, 50},
                              Against::kIf,
                              {{3, 97.0 / 3}, {103.0 / 3, 49}}},
                    // The RF band 40 wide: k = 0 meets up to IF 22, k = 1 of the sum fold spans
                    // (100 -+ 22) / 3, and the band folds onto itself from IF 49.
                    WorkedRow{"NarrowBandSecondHarmonicAgainstRf",
                              Axis::kIf,
                              Plan(100, 0, 2, 40, 2),
                              {0, 50},
                              Against::kRf,
                              {{22, 26}, {122.0 / 3, 49}}},
                    WorkedRow{"NothingToMeetIsCleanThroughout",
                              Axis::kFs,
                              Plan(0, 10, 2, 4, 1),
                              {30, 50},
                              Against::kBoth,
                              {{30, 50}}}),
    [](const auto& row) { return std::string(row.param.name); });

// Random plans, ranges and queries: a point is clean by the direct verdict exactly when it
// lies in a returned interval, and each end that is not the range's own end is a hit.
TEST(FindClean, AgreesWithThePointVerdictEverywhere) {
    std::mt19937_64 rng(7041);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> hDist(0, 30);
    for (int trial = 0; trial < 1500; ++trial) {
        const Axis axis = trial % 2 ? Axis::kFs : Axis::kIf;
        PlanFields plan = Plan(5 + 2000 * unit(rng), 1000 * unit(rng) - 50, 60 * unit(rng),
                               150 * unit(rng), hDist(rng));
        const double lo = (axis == Axis::kFs ? 2000 : 1200) * unit(rng) - 20;
        const FrequencyInterval range{lo, lo + 1 + 800 * unit(rng)};
        const SpurQuery query{static_cast<Against>(trial % 3), trial % 4 ? 0 : 30 * unit(rng)};
        const CleanIntervals got = FindClean(axis, plan, range, query);
        ASSERT_EQ(got.status, FinderStatus::kOk);
        SCOPED_TRACE(testing::Message() << "trial " << trial);

        const auto cleanAt = [&](double v) { return JudgeSpurs(At(plan, axis, v), query).clean; };
        for (const FrequencyInterval& c : got.intervals) {
            ASSERT_LE(c.lo, c.hi);
            if (c.lo != range.lo) {
                EXPECT_FALSE(cleanAt(c.lo)) << c.lo;
            }
            if (c.hi != range.hi) {
                EXPECT_FALSE(cleanAt(c.hi)) << c.hi;
            }
        }
        for (int i = 0; i < 200; ++i) {
            const double v = range.lo + (range.hi - range.lo) * unit(rng);
            bool inside = false;
            for (const FrequencyInterval& c : got.intervals) {
                inside = inside || (c.lo < v && v < c.hi);
            }
            ASSERT_EQ(inside, cleanAt(v)) << v;
        }
    }
}

// The map colours a point by the lowest harmonic meeting there: the row must say the same
// as the verdict, harmonic by harmonic, and place the self fold where the verdict does.
TEST(MeetFsRow, LowestHarmonicAndSelfFoldMatchTheVerdict) {
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    MeetRow row;
    for (int trial = 0; trial < 300; ++trial) {
        const PlanFields plan =
            Plan(0, 400 * unit(rng), 30 * unit(rng), 80 * unit(rng), 2 + trial % 25);
        const SpurQuery query{static_cast<Against>(trial % 3), trial % 2 ? 0 : 10 * unit(rng)};
        const FrequencyInterval range{1, 2000};
        ASSERT_EQ(MeetFsRow(plan, range, query, row), FinderStatus::kOk);
        for (int i = 0; i < 100; ++i) {
            const double fs = range.lo + (range.hi - range.lo) * unit(rng);
            const auto covers = [fs](const std::vector<FrequencyInterval>& list) {
                for (const FrequencyInterval& m : list) {
                    if (m.lo <= fs && fs <= m.hi) {
                        return true;
                    }
                }
                return false;
            };
            int lowest = 0;
            for (int n = 26; n >= 2; --n) {
                lowest = covers(row.harmonic[static_cast<std::size_t>(n)]) ? n : lowest;
            }
            const SpurVerdict v = JudgeSpurs(At(plan, Axis::kFs, fs), query);
            ASSERT_EQ(lowest, v.lowestMeeting) << "trial " << trial << " Fs " << fs;
            ASSERT_EQ(covers(row.selfFold), v.foldsOntoItself) << "trial " << trial;
        }
    }
}

struct RefusalRow {
    const char* name;
    Axis axis;
    PlanFields plan;
    FrequencyInterval range;
    double margin;
    FinderStatus status;
};

class Refusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(Refusals, AnswerWithAStatusAndNoIntervals) {
    const RefusalRow& r = GetParam();
    const CleanIntervals got = FindClean(r.axis, r.plan, r.range, {Against::kBoth, r.margin});
    EXPECT_EQ(got.status, r.status);
    EXPECT_TRUE(got.intervals.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Refusals,
    testing::Values(
        // Zero-width bands never merge their multiples: down to 0 there are endless many.
        RefusalRow{"PointBandsDownToZeroFs",
                   Axis::kFs,
                   Plan(0, 100, 0, 0, 26),
                   {0, 1000},
                   0,
                   FinderStatus::kTooManyIntervals},
        RefusalRow{"PointBandsTinyFs",
                   Axis::kFs,
                   Plan(0, 100, 0, 0, 26),
                   {1e-9, 1},
                   0,
                   FinderStatus::kTooManyIntervals},
        RefusalRow{"BillionsOfIfZones",
                   Axis::kIf,
                   Plan(1, 0, 0.01, 0.01, 26),
                   {0, 1e9},
                   0,
                   FinderStatus::kTooManyIntervals},
        RefusalRow{"SubnormalFs",
                   Axis::kIf,
                   Plan(5e-324, 0, 0, 0, 26),
                   {0, 1},
                   0,
                   FinderStatus::kTooManyIntervals},
        // Multiples past 2^52 cannot be counted out one by one: refused, never a hang.
        RefusalRow{"MultiplesBeyondCounting",
                   Axis::kIf,
                   Plan(1, 0, 0, 0, 26),
                   {1e17, 1e17 + 1000},
                   0,
                   FinderStatus::kTooManyIntervals},
        RefusalRow{"TinyRangeAgainstAVastBand",
                   Axis::kFs,
                   Plan(0, 100, 3.7e-10, 3.7e98, 5),
                   {0, 1e-300},
                   0,
                   FinderStatus::kTooManyIntervals},
        RefusalRow{
            "EmptyRange", Axis::kFs, Plan(0, 100, 20, 20, 5), {10, 10}, 0, FinderStatus::kBadInput},
        RefusalRow{"ReversedRange",
                   Axis::kIf,
                   Plan(100, 0, 20, 20, 5),
                   {10, 5},
                   0,
                   FinderStatus::kBadInput},
        RefusalRow{"NaNRangeEnd",
                   Axis::kFs,
                   Plan(0, 100, 20, 20, 5),
                   {kNaN, 5},
                   0,
                   FinderStatus::kBadInput},
        RefusalRow{
            "InfiniteIf", Axis::kFs, Plan(0, kInf, 20, 20, 5), {1, 5}, 0, FinderStatus::kBadInput},
        RefusalRow{"HugeBandwidth",
                   Axis::kIf,
                   Plan(100, 0, 1e200, 20, 5),
                   {1, 5},
                   0,
                   FinderStatus::kBadInput},
        RefusalRow{"NegativeMargin",
                   Axis::kFs,
                   Plan(0, 100, 20, 20, 5),
                   {1, 5},
                   -1,
                   FinderStatus::kBadInput},
        RefusalRow{
            "NaNMargin", Axis::kIf, Plan(100, 0, 20, 20, 5), {1, 5}, kNaN, FinderStatus::kBadInput},
        // Not refused, but nothing samples: nothing is clean.
        RefusalRow{"NoSampleRate", Axis::kIf, Plan(-5, 0, 20, 20, 5), {1, 5}, 0, FinderStatus::kOk},
        RefusalRow{
            "NegativeFsRange", Axis::kFs, Plan(0, 100, 20, 20, 5), {-50, 0}, 0, FinderStatus::kOk}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
