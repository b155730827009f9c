// The quotient ends of a row, which the map draws from, against the settled ones: the same
// intervals, each end a few doubles off at the most.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plan/meet_intervals.h"

namespace quorvel {
namespace {

TEST(MeetRowEnds, QuotientsLieWithinRoundingOfTheSettledEnds) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(0, 1);
    MeetRow settled;
    MeetRow quotients;
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
        ASSERT_EQ(MeetFsRow(plan, range, query, quotients, RowEnds::kQuotients), FinderStatus::kOk);
        for (std::size_t n = 0; n < settled.harmonic.size(); ++n) {
            const auto& a = settled.harmonic[n];
            const auto& b = quotients.harmonic[n];
            ASSERT_EQ(a.size(), b.size()) << "trial " << trial << " harmonic " << n;
            for (std::size_t i = 0; i < a.size(); ++i) {
                const double tolerance = 8 * std::ldexp(1.0, std::ilogb(a[i].hi) - 52);
                EXPECT_NEAR(a[i].lo, b[i].lo, tolerance);
                EXPECT_NEAR(a[i].hi, b[i].hi, tolerance);
            }
        }
        EXPECT_EQ(settled.selfFold.size(), quotients.selfFold.size());
    }
}

}  // namespace
}  // namespace quorvel
