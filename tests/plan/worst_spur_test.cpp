// The worst spur in a band: the strongest member that counts and meets it, unknown levels
// first, the earliest among equals.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "plan/worst_spur.h"

namespace quorvel {
namespace {

struct Spur {
    bool meetsIf;
    bool meetsRf;
    std::optional<double> level;
    bool counts = true;
};

struct WorstRow {
    const char* name;
    std::vector<Spur> spurs;
    LedgerBand band;
    std::optional<std::size_t> worst;
};

class WorstSpurTest : public testing::TestWithParam<WorstRow> {};

TEST_P(WorstSpurTest, IsTheStrongestMemberThatCountsAndMeetsTheBand) {
    std::vector<SpurLedgerRow> rows;
    int order = 2;
    for (const Spur& s : GetParam().spurs) {
        rows.push_back({.member = {SpurFamily::kHarmonic, order++, 0},
                        .meetsIf = s.meetsIf,
                        .meetsRf = s.meetsRf,
                        .level = s.level,
                        .counts = s.counts});
    }
    EXPECT_EQ(WorstSpurIndex(rows, GetParam().band), GetParam().worst);
}

constexpr auto kIf = LedgerBand::kIf;
constexpr auto kRf = LedgerBand::kRf;

INSTANTIATE_TEST_SUITE_P(
    Rows, WorstSpurTest,
    testing::Values(
        WorstRow{"StrongestOfThoseMeeting",
                 {{true, false, -80.0}, {true, true, -70.0}, {false, false, -10.0}},
                 kIf,
                 1},
        WorstRow{"UnknownRanksAboveAnyLevel",
                 {{true, false, -10.0}, {true, false, {}}, {true, false, {}}},
                 kIf,
                 1},
        WorstRow{"EarliestAmongEquals", {{true, false, -70.0}, {true, false, -70.0}}, kIf, 0},
        WorstRow{"OneThatDoesNotCountIsPassedOver",
                 {{true, false, -10.0, false}, {true, false, -70.0}},
                 kIf,
                 1},
        WorstRow{"TheRfBandByItsOwnFlag", {{true, false, -10.0}, {false, true, -70.0}}, kRf, 1},
        WorstRow{"NoneMeets", {{false, true, -10.0}}, kIf, std::nullopt},
        WorstRow{"NoneThatCountsMeets", {{false, true, -90.0, false}}, kRf, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
