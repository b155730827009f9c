// The quotient ends of a row, which the map draws from, against the settled ones: the same
// intervals, each end a few doubles off at the most.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <random>
#include <vector>

#include "plan/meet_intervals.h"

namespace quorvel {
namespace {

// The same intervals for every harmonic, each end within `tolerance(end)` of the other.
template <typename Tolerance>
void ExpectSameWithin(const MeetRow& settled, const MeetRow& quotients, Tolerance tolerance,
                      int trial) {
    for (std::size_t n = 0; n < settled.harmonic.size(); ++n) {
        const auto& a = settled.harmonic[n];
        const auto& b = quotients.harmonic[n];
        ASSERT_EQ(a.size(), b.size()) << "trial " << trial << " harmonic " << n;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(a[i].lo, b[i].lo, tolerance(a[i].hi)) << "trial " << trial << " n " << n;
            EXPECT_NEAR(a[i].hi, b[i].hi, tolerance(a[i].hi)) << "trial " << trial << " n " << n;
        }
    }
}

TEST(MeetRowEnds, QuotientsLieWithinRoundingOfTheSettledEnds) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(0, 1);
    MeetRow settled;
    MeetRow quotients;
    RowOptions quotientEnds;
    quotientEnds.ends = RowEnds::kQuotients;
    for (int trial = 0; trial < 300; ++trial) {
        PlanFields plan;
        plan.m_if = 500 * unit(random);
        plan.m_ifBw = 40 * unit(random);
        plan.m_rfBw = 200 * unit(random);
        plan.m_harmonics = 2 + trial % 25;
        const SpurQuery query{static_cast<Against>(trial % 3), trial % 2 * unit(random)};
        const double lo = trial % 4 == 0 ? -10 : 1000 * unit(random);
        const FrequencyInterval range{lo, lo + 1 + 2000 * unit(random)};
        ASSERT_EQ(MeetFsRow(plan, range, query, settled), FinderStatus::kOk);
        ASSERT_EQ(MeetFsRow(plan, range, query, quotients, quotientEnds), FinderStatus::kOk);
        ExpectSameWithin(
            settled, quotients,
            [](double end) { return 8 * std::ldexp(1.0, std::ilogb(end) - 52); }, trial);
        EXPECT_EQ(settled.selfFold.size(), quotients.selfFold.size());
    }
}

// Along the IF the ends move with the window's slope and spread; only the quotients show
// whether those, the margin included, are right, since settling would repair them.
TEST(MeetRowEnds, IfRowQuotientsLieWithinRoundingOfTheSettledEnds) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0, 1);
    MeetRow settled;
    MeetRow quotients;
    RowOptions quotientEnds;
    quotientEnds.ends = RowEnds::kQuotients;
    for (int trial = 0; trial < 300; ++trial) {
        PlanFields plan;
        plan.m_fs = 100 + 2000 * unit(random);
        plan.m_ifBw = 40 * unit(random);
        plan.m_rfBw = 200 * unit(random);
        plan.m_harmonics = 2 + trial % 25;
        const SpurQuery query{static_cast<Against>(trial % 3), trial % 2 * (0.5 + unit(random))};
        const double lo = 1000 * unit(random);
        const FrequencyInterval range{lo, lo + 1 + 1000 * unit(random)};
        ASSERT_EQ(MeetIfRow(plan, range, query, settled), FinderStatus::kOk);
        ASSERT_EQ(MeetIfRow(plan, range, query, quotients, quotientEnds), FinderStatus::kOk);
        // The quotient's rounding is that of k * Fs, which may exceed the end itself.
        const double tolerance = 1e-12 * 27 * (range.hi + plan.m_fs + plan.m_rfBw);
        ExpectSameWithin(
            settled, quotients, [tolerance](double) { return tolerance; }, trial);
    }
}

// The map stops a row once every pixel shows some harmonic: what it was told must be the
// whole of each harmonic up to there, and nothing above.
TEST(MeetRowEnds, ProgressReportsEachHarmonicCompleteAndStopsWhenAsked) {
    PlanFields plan;
    plan.m_harmonics = 26;
    MeetRow full;
    ASSERT_EQ(MeetFsRow(plan, {100, 3000}, {}, full), FinderStatus::kOk);
    MeetRow part;
    std::vector<int> told;
    const auto progress = [&](int n) {
        told.push_back(n);
        EXPECT_EQ(part.harmonic[static_cast<std::size_t>(n)].size(),
                  full.harmonic[static_cast<std::size_t>(n)].size());
        EXPECT_FALSE(part.selfFold.empty());
        return n < 7;
    };
    RowOptions options;
    options.progress = progress;
    ASSERT_EQ(MeetFsRow(plan, {100, 3000}, {}, part, options), FinderStatus::kOk);
    EXPECT_EQ(told, (std::vector<int>{2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(part.harmonic[8].empty());
    EXPECT_EQ(part.harmonic[7], full.harmonic[7]);
}

// The doubles a list of closed intervals holds within `part`, as disjoint sorted intervals:
// lists that hold the same doubles give the same answer however they split them.
std::vector<FrequencyInterval> DoublesWithin(std::vector<FrequencyInterval> list,
                                             FrequencyInterval part) {
    std::sort(list.begin(), list.end(),
              [](const FrequencyInterval& a, const FrequencyInterval& b) { return a.lo < b.lo; });
    std::vector<FrequencyInterval> held;
    for (const FrequencyInterval& i : list) {
        const FrequencyInterval cut{std::max(i.lo, part.lo), std::min(i.hi, part.hi)};
        if (cut.lo > cut.hi) {
            continue;
        }
        if (!held.empty() && cut.lo <= std::nextafter(held.back().hi, INFINITY)) {
            held.back().hi = std::max(held.back().hi, cut.hi);
        } else {
            held.push_back(cut);
        }
    }
    return held;
}

struct NarrowedRow {
    const char* name;
    Against against;
    SpurModel model;
};

void PrintTo(const NarrowedRow& r, std::ostream* out) {
    *out << r.name;
}

class NarrowedRowTest : public testing::TestWithParam<NarrowedRow> {};

// Each report narrows what the caller still wants at random: within it, every later
// harmonic and member holds exactly the doubles the whole row gives it, the ends settled.
TEST_P(NarrowedRowTest, HoldsWhatTheWholeRowHoldsWithinThePartStillWanted) {
    const NarrowedRow& r = GetParam();
    std::mt19937 random(13);
    std::uniform_real_distribution<double> unit(0, 1);
    MeetRow full;
    MeetRow part;
    for (int trial = 0; trial < 150; ++trial) {
        PlanFields plan;
        plan.m_if = 500 * unit(random);
        plan.m_ifBw = 40 * unit(random);
        plan.m_rfBw = 200 * unit(random);
        plan.m_harmonics = 2 + trial % 25;
        const SpurQuery query{r.against, trial % 2 * unit(random), r.model};
        const double lo = trial % 4 == 0 ? -10 : 1000 * unit(random);
        const FrequencyInterval range{lo, lo + 1 + 2000 * unit(random)};
        ASSERT_EQ(MeetFsRow(plan, range, query, full), FinderStatus::kOk);
        FrequencyInterval wanted = range;
        std::vector<FrequencyInterval> wantedAfter(kHarmonicBandTableSize + 1, range);
        RowOptions options;
        options.wanted = &wanted;
        options.progress = [&](int n) {
            // What harmonic n + 1 (or the members, after the last) is worked out over.
            const double a = wanted.lo + (wanted.hi - wanted.lo) * unit(random) / 3;
            const double b = wanted.hi - (wanted.hi - wanted.lo) * unit(random) / 3;
            wanted = {a, b};
            wantedAfter[static_cast<std::size_t>(n == kModelledDone ? 0 : n)] = wanted;
            return true;
        };
        ASSERT_EQ(MeetFsRow(plan, range, query, part, options), FinderStatus::kOk);
        for (int n = 3; n <= HighestDrawnHarmonic(plan); ++n) {
            const FrequencyInterval within = wantedAfter[static_cast<std::size_t>(n - 1)];
            ASSERT_EQ(DoublesWithin(part.harmonic[static_cast<std::size_t>(n)], within),
                      DoublesWithin(full.harmonic[static_cast<std::size_t>(n)], within))
                << r.name << " trial " << trial << " harmonic " << n;
        }
        const FrequencyInterval members =
            wantedAfter[static_cast<std::size_t>(HighestDrawnHarmonic(plan))];
        ASSERT_EQ(part.modelled.size(), full.modelled.size());
        for (std::size_t i = 0; i < full.modelled.size(); ++i) {
            ASSERT_EQ(DoublesWithin(part.modelled[i], members),
                      DoublesWithin(full.modelled[i], members))
                << r.name << " trial " << trial << " member " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bands, NarrowedRowTest,
    testing::Values(NarrowedRow{"Both", Against::kBoth, {}}, NarrowedRow{"If", Against::kIf, {}},
                    NarrowedRow{"Modelled",
                                Against::kBoth,
                                {4, 2, true, 70, 2, {{900, 20, 2}, {2400, 80, 1}}}}),
    [](const auto& row) { return std::string(row.param.name); });

// A row refused for its intervals is refused however little of it is still wanted: the
// count is of the whole range.
TEST(MeetRowEnds, ARowIsRefusedAsIfAllOfItWereWorkedOut) {
    PlanFields plan;
    plan.m_harmonics = 26;
    const FrequencyInterval range{100, 3000};
    const double all = CountFsRowIntervals(plan, range, {});
    FrequencyInterval wanted = range;
    RowOptions options;
    options.wanted = &wanted;
    options.progress = [&](int) {
        wanted = {2999, 3000};
        return true;
    };
    MeetRow row;
    options.maxIntervals = all;
    EXPECT_EQ(MeetFsRow(plan, range, {}, row, options), FinderStatus::kOk);
    wanted = range;
    options.maxIntervals = all - 1;
    EXPECT_EQ(MeetFsRow(plan, range, {}, row, options), FinderStatus::kTooManyIntervals);
}

}  // namespace
}  // namespace quorvel
