// Spur levels: each member's level from the datasheet's numbers, which members count
// against a floor, and clean intervals that count only those.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "plan/clean_intervals.h"
#include "plan/spur_ledger.h"
#include "plan/spur_model.h"
#include "plan/spur_verdict.h"

namespace quorvel {
namespace {

struct LevelRow {
    const char* name;
    SpurMember member;
    std::optional<double> floor;
    std::optional<double> level;  // dBFS
    bool counts;
};

// Ls -3; HD2 -70, HD3 -85; image order 1 -75; offset tones -90 dBFS; sideband order 1 -60;
// interferer 1 at -20 dBFS.
SpurModel LevelledModel(std::optional<double> floor) {
    SpurModel model{.interleave = 4, .hasClockSpur = true, .clockSpur = 5};
    model.interferers = {{2400, 80, 3, -20.0}, {900, 10, 1}};
    model.levels = {.signal = -3,
                    .harmonics = {-70, -85},
                    .images = {-75},
                    .offset = -90,
                    .sidebands = {-60},
                    .floor = floor};
    return model;
}

class MemberLevelTest : public testing::TestWithParam<LevelRow> {};

TEST_P(MemberLevelTest, GivesTheLevelAndCountsOnlyAboveTheFloor) {
    const LevelRow& r = GetParam();
    const SpurModel model = LevelledModel(r.floor);
    EXPECT_EQ(MemberLevel(r.member, model), r.level);
    EXPECT_EQ(MemberCounts(r.member, model), r.counts);
}

using F = SpurFamily;

INSTANTIATE_TEST_SUITE_P(
    Rows, MemberLevelTest,
    testing::Values(
        LevelRow{"HarmonicAboveTheFloor", {F::kHarmonic, 2, 0}, -80.0, -73.0, true},
        LevelRow{"HarmonicBelowTheFloor", {F::kHarmonic, 3, 0}, -80.0, -88.0, false},
        LevelRow{"HarmonicOnTheFloorDoesNotCount", {F::kHarmonic, 2, 0}, -70.0, -73.0, false},
        LevelRow{"HarmonicNotGivenIsUnknownAndCounts", {F::kHarmonic, 4, 0}, -10.0, {}, true},
        LevelRow{"NoFloorEverythingCounts", {F::kHarmonic, 3, 0}, {}, -88.0, true},
        LevelRow{"ImageByOrder", {F::kInterleaveImage, 1, 3}, -74.0, -78.0, false},
        LevelRow{"ImageOrderNotGiven", {F::kInterleaveImage, 2, 1}, -74.0, {}, true},
        LevelRow{"OffsetToneInDbfs", {F::kInterleaveOffset, 0, 2}, -86.0, -90.0, false},
        LevelRow{"Sideband", {F::kClockSideband, 1, -1}, -80.0, -63.0, true},
        LevelRow{"InterfererItsOwnLevel", {F::kInterferer, 1, 1}, -30.0, -20.0, true},
        LevelRow{"InterfererSecondOrderTakesHd2", {F::kInterferer, 2, 1}, -60.0, -90.0, false},
        LevelRow{"InterfererThirdOrderTakesHd3", {F::kInterferer, 3, 1}, -60.0, -105.0, false},
        LevelRow{"InterfererWithoutALevel", {F::kInterferer, 1, 2}, -30.0, {}, true}),
    [](const auto& row) { return std::string(row.param.name); });

// Levels and floors drawn so that some members of every family fall on each side.
SpurModel RandomLevelledModel(std::mt19937_64& rng, double fs) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto level = [&] { return -std::round(120 * unit(rng)); };
    const auto list = [&] {
        std::vector<double> levels(std::uniform_int_distribution<std::size_t>(0, 4)(rng));
        std::generate(levels.begin(), levels.end(), level);
        return levels;
    };
    SpurModel model{.interleave = std::uniform_int_distribution<int>(1, 6)(rng),
                    .interleaveOrders = 2,
                    .hasClockSpur = unit(rng) < 0.6,
                    .clockSpur = fs * unit(rng),
                    .clockSpurOrders = 2};
    for (int i = std::uniform_int_distribution<int>(0, 2)(rng); i > 0; --i) {
        model.interferers.push_back({5 * fs * unit(rng), fs / 8 * unit(rng), 2,
                                     unit(rng) < 0.7 ? std::optional(level()) : std::nullopt});
    }
    model.levels = {.signal = -std::round(10 * unit(rng)),
                    .harmonics = list(),
                    .images = list(),
                    .offset = unit(rng) < 0.5 ? std::optional(level()) : std::nullopt,
                    .sidebands = list(),
                    .floor = -std::round(100 * unit(rng))};
    return model;
}

// The level by the definitions, written out again: Ls plus dBc by order, offset tones and
// interferers in dBFS, an interferer's order m >= 2 plus HDm.
std::optional<double> LevelByHand(const SpurMember& m, const SpurModel& model) {
    const SpurLevels& l = model.levels;
    const auto at = [](const std::vector<double>& v, int i) {
        return i >= 0 && i < static_cast<int>(v.size())
                   ? std::optional(v[static_cast<std::size_t>(i)])
                   : std::nullopt;
    };
    std::optional<double> dbc;
    switch (m.family) {
        case F::kHarmonic:
            dbc = at(l.harmonics, m.order - 2);
            break;
        case F::kInterleaveImage:
            dbc = at(l.images, m.order - 1);
            break;
        case F::kClockSideband:
            dbc = at(l.sidebands, m.order - 1);
            break;
        case F::kInterleaveOffset:
            return l.offset;
        case F::kInterferer: {
            const auto own = model.interferers[static_cast<std::size_t>(m.term - 1)].level;
            const auto hd = at(l.harmonics, m.order - 2);
            return m.order == 1 ? own : own && hd ? std::optional(*own + *hd) : std::nullopt;
        }
    }
    return dbc ? std::optional(l.signal + *dbc) : std::nullopt;
}

// Over random plans, models and floors, a point of Fs is in the clean intervals exactly
// when the IF band does not fold onto itself and no member meets the band that counts by
// the levels worked out by hand. The ledger's flags stay geometric.
TEST(SpurLevels, CleanIntervalsCountOnlyTheMembersAboveTheFloor) {
    std::mt19937_64 rng(19);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int spoiledByUncounted = 0;
    for (int trial = 0; trial < 200; ++trial) {
        PlanFields plan;
        plan.m_fs = 100 + 2000 * unit(rng);
        plan.m_ifBw = plan.m_fs / 20 * unit(rng);
        plan.m_if = plan.m_ifBw + 2 * plan.m_fs * unit(rng);
        plan.m_rfBw = plan.m_ifBw * 2;
        plan.m_harmonics = 5;
        const SpurQuery query{Against::kIf, 0, RandomLevelledModel(rng, plan.m_fs)};
        const FrequencyInterval range{plan.m_fs / 2, plan.m_fs * 2};
        const CleanIntervals clean = FindCleanFs(plan, range, query);
        ASSERT_EQ(clean.status, FinderStatus::kOk);
        for (int i = 0; i < 60; ++i) {
            PlanFields at = plan;
            at.m_fs = range.lo + (range.hi - range.lo) * unit(rng);
            bool want = !JudgeSpurs(at, query).foldsOntoItself;
            bool geometric = want;
            for (const SpurLedgerRow& row : BuildSpurLedger(at, query.model)) {
                const auto level = LevelByHand(row.member, query.model);
                const bool counts =
                    !level || *level - query.model.levels.signal > *query.model.levels.floor;
                ASSERT_EQ(row.level, level);
                ASSERT_EQ(row.counts, counts);
                want = want && !(row.meetsIf && counts);
                geometric = geometric && !row.meetsIf;
            }
            spoiledByUncounted += want && !geometric;
            const bool inside = std::any_of(
                clean.intervals.begin(), clean.intervals.end(),
                [&](const FrequencyInterval& c) { return c.lo <= at.m_fs && at.m_fs <= c.hi; });
            ASSERT_EQ(inside, want) << "trial " << trial << " at Fs " << at.m_fs;
        }
    }
    EXPECT_GT(spoiledByUncounted, 100);  // the floor made a difference often enough
}

TEST(SpurLevels, LedgerAppendsTheLevelsOnlyWhenTheyAreGiven) {
    PlanFields plan;
    const SpurModel plain{.interleave = 2};
    EXPECT_EQ(SpurLedgerCsv(BuildSpurLedger(plan, plain), plain).find("level"), std::string::npos);
    const SpurModel levelled = LevelledModel(-80.0);
    const std::string csv = SpurLedgerCsv(BuildSpurLedger(plan, levelled), levelled);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              std::string(kSpurLedgerCsvColumns) + "," + std::string(kSpurLevelCsvColumns));
    const auto line = [&csv](const std::string& start) {
        const std::size_t at = csv.find('\n' + start);
        return at == std::string::npos ? std::string()
                                       : csv.substr(at + 1, csv.find('\n', at + 1) - at - 1);
    };
    const auto ends = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
    };
    EXPECT_TRUE(ends(line("harmonic,2,,"), ",-73,-70,1")) << line("harmonic,2,,");
    EXPECT_TRUE(ends(line("harmonic,4,,"), ",,,1")) << line("harmonic,4,,");
    EXPECT_TRUE(ends(line("interleave_offset,0,1/4,"), ",-90,-87,0"))
        << line("interleave_offset,0,1/4,");
}

}  // namespace
}  // namespace quorvel
