// The clean map's pixels against the verdict on single points: every body pixel shows what
// JudgeSpurs says at its centre, but for a pixel whose span boundary lies within rounding of
// the centre.
#include "paint/clean_map_image.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "plan/spur_verdict.h"

namespace quorvel {
namespace {

MapCode CodeAt(PlanFields plan, const SpurQuery& query, double fs, double ifCentre) {
    plan.m_fs = fs;
    plan.m_if = ifCentre;
    return MapCodeOf(JudgeSpurs(plan, query));
}

TEST(CleanMapImage, EveryPixelShowsTheVerdictAtItsCentre) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int clean = 0;
    for (int trial = 0; trial < 40; ++trial) {
        PlanFields plan;
        plan.m_ifBw = 1 + 40 * unit(random);
        plan.m_rfBw = plan.m_ifBw * (1 + 4 * unit(random));
        plan.m_harmonics = 2 + trial % 25;
        const double fsLo = trial % 5 == 0 ? -100 : 1500 * unit(random);
        const double ifLo = trial % 7 == 0 ? -50 : 300 * unit(random);
        const CleanMapView view{{fsLo, fsLo + 20 + 1500 * unit(random)},
                                {ifLo, ifLo + 10 + 400 * unit(random)},
                                {static_cast<Against>(trial % 3), trial % 4 * unit(random)}};
        QImage body(97 + trial, 61 + trial % 13, QImage::Format_RGB32);
        ASSERT_EQ(FillCleanMapBody(plan, view, body), FinderStatus::kOk);
        const double fsStep = (view.fsRange.hi - view.fsRange.lo) / body.width();
        for (int y = 0; y < body.height(); ++y) {
            const double ifCentre = RowIf(view, body.height(), y);
            for (int x = 0; x < body.width(); ++x) {
                const double fs = ColumnFs(view, body.width(), x);
                const QRgb shown = body.pixel(x, y);
                const auto shows = [&](double at) {
                    return MapPixel(MapCodeColour(CodeAt(plan, view.query, at, ifCentre))) == shown;
                };
                clean += shown == MapPixel(kWhite);
                const double nudge = fsStep * 1e-6;
                ASSERT_TRUE(shows(fs) || shows(fs - nudge) || shows(fs + nudge))
                    << "trial " << trial << " pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(clean, 1000);  // the clean colour was put to the test
}

TEST(CleanMapImage, CleanIsAColourNoOtherCodeTakes) {
    std::set<ColorRef> colours;
    for (int code = 0; code < kMapCodeCount; ++code) {
        colours.insert(MapCodeColour(static_cast<MapCode>(code)));
    }
    EXPECT_EQ(colours.size(), static_cast<std::size_t>(kMapCodeCount));
}

TEST(CleanMapImage, ARefusedMapSaysSoInsteadOfHanging) {
    PlanFields plan;
    plan.m_if = 1000;
    plan.m_ifBw = 1e-6;
    plan.m_rfBw = 1e-6;
    const CleanMapImage map = ComposeCleanMap(plan, {{1e-3, 1e6}, {999, 1000}, {}}, 200, 150);
    EXPECT_EQ(map.status, FinderStatus::kTooManyIntervals);
    EXPECT_EQ(map.image.size(), QSize(200, 150));
}

// An IF range two doubles wide at 1e25 puts its ticks at multiples of 1e9 beyond 2^53,
// where adding one to a multiple changes nothing; the axis must still come to an end. Each
// row there holds about a million intervals, which the finder allows for one row: the map,
// which would need that for every row, refuses at once, for its size.
TEST(CleanMapImage, RangesFarFromZeroStillGiveAMap) {
    PlanFields plan;
    plan.m_harmonics = 3;
    const CleanMapImage map =
        ComposeCleanMap(plan, {{1e20, 1e21}, {1e25, 1e25 + 4.3e9}, {}}, 400, 300);
    EXPECT_EQ(map.image.size(), QSize(400, 300));
    EXPECT_EQ(map.status, FinderStatus::kTooLargeAtThisSize);
}

}  // namespace
}  // namespace quorvel
