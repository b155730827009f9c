// The clean map's pixels against the verdict on single points: every body pixel shows what
// JudgeSpurs says at its centre, but for a pixel whose span boundary lies within rounding of
// the centre.
#include "paint/clean_map_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "charts/clean_map_chart.h"
#include "charts/clean_map_geometry.h"
#include "charts/clean_map_levels.h"
#include "plan/spur_verdict.h"
#include "plan/truncate.h"
#include "raster/raster_surface.h"

namespace quorvel {
namespace {

MapCode CodeAt(PlanFields plan, const SpurQuery& query, double fs, double ifCentre) {
    plan.m_fs = fs;
    plan.m_if = ifCentre;
    const SpurVerdict verdict = JudgeSpurs(plan, query);
    return LevelsGiven(query.model) ? LevelledMapCodeOf(verdict, query.model, query.against, plan)
                                    : MapCodeOf(verdict, query.model);
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

struct ModelledMap {
    const char* name;
    SpurModel model;
    SpurFamily shows;                     // a family the maps must show somewhere
    std::optional<double> showsDbc = {};  // with levels: the level it shows instead
};

void PrintTo(const ModelledMap& m, std::ostream* out) {
    *out << m.name;
}

class CleanMapWithAModel : public testing::TestWithParam<ModelledMap> {};

// The whole composed map, not the body alone: the body's rows are drawn on every core, and
// every pixel of it shows the verdict at its centre, modelled members included, after the
// harmonics and before the self fold.
TEST_P(CleanMapWithAModel, EveryBodyPixelShowsTheVerdictAtItsCentre) {
    const ModelledMap& m = GetParam();
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    int familyPixels = 0;
    for (int trial = 0; trial < 12; ++trial) {
        PlanFields plan;
        plan.m_ifBw = 2 + 20 * unit(random);
        plan.m_rfBw = plan.m_ifBw * (1 + 2 * unit(random));
        plan.m_harmonics = 2 + trial % 4;
        const double fsLo = 200 + 800 * unit(random);
        const CleanMapView view{
            {fsLo, fsLo + 100 + 1500 * unit(random)},
            {0, 50 + 400 * unit(random)},
            {static_cast<Against>(trial % 3), trial % 2 * unit(random), m.model}};
        const CleanMapImage map = ComposeCleanMapFrame(plan, view, 220 + trial, 150 + trial % 7);
        ASSERT_EQ(map.status, FinderStatus::kOk);
        const CleanMapGeometry g = LayOutCleanMap(view, map.image.width(), map.image.height());
        const QRgb family = MapPixel(
            MapCodeColour(m.showsDbc ? LevelMapCode(*m.showsDbc, LevelScaleOf(m.model, plan))
                                     : FamilyMapCode(m.shows)));
        for (int y = 0; y < g.bodyHeight(); ++y) {
            const double ifCentre = RowIf(view, g.bodyHeight(), y);
            for (int x = 0; x < g.bodyWidth(); ++x) {
                const double fs = ColumnFs(view, g.bodyWidth(), x);
                const QRgb shown = map.image.pixel(g.body.left + x, g.body.top + y);
                const auto shows = [&](double at) {
                    return MapPixel(MapCodeColour(CodeAt(plan, view.query, at, ifCentre))) == shown;
                };
                familyPixels += shown == family;
                const double nudge = g.FsPerColumn() * 1e-6;
                ASSERT_TRUE(shows(fs) || shows(fs - nudge) || shows(fs + nudge))
                    << m.name << " trial " << trial << " pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(familyPixels, 100) << m.name;
}

INSTANTIATE_TEST_SUITE_P(
    Families, CleanMapWithAModel,
    testing::Values(
        ModelledMap{"Interleaved", {4, 2, false, 0, 1, {}}, SpurFamily::kInterleaveImage},
        ModelledMap{"ClockSpur", {1, 1, true, 70, 2, {}}, SpurFamily::kClockSideband},
        ModelledMap{"Interferers",
                    {1, 1, false, 0, 1, {{900, 20, 2}, {2400, 80, 1}}},
                    SpurFamily::kInterferer},
        ModelledMap{"Everything",
                    {8, 2, true, 10, 1, {{2400, 80, 2}, {900, 20, 1}}},
                    SpurFamily::kInterleaveImage},
        // With levels each point shows its loudest counting member's level: images at
        // -60 dBc over harmonics at -70 and -75, H4 and up unknown, sidebands below the
        // floor left out.
        ModelledMap{
            "Levels",
            {.interleave = 4,
             .hasClockSpur = true,
             .clockSpur = 30,
             .levels =
                 {.harmonics = {-70, -75}, .images = {-60}, .sidebands = {-95}, .floor = -90}},
            SpurFamily::kInterleaveImage,
            -60.0}),
    [](const auto& row) { return std::string(row.param.name); });

// A map small enough to write down: H = 3, IF BW 4.6, RF BW 10, Fs -40 to 360 over 40
// columns (centres -35, -25, ...), IF 0 to 30 over 30 rows (centres 29.5 down to 0.5).
// Below IF 9.6 harmonic 2, n x the IF band's half width 2.3 from 2 IF, reaches the RF
// band 5 around the IF at any Fs: the step between the rows at IF 10.5 and 9.5 is where
// a half-pixel row shift shows. The four columns at Fs <= 0 are unsampled.
TEST(CleanMapImage, ASmallMapShowsItsRowsAsWrittenDown) {
    static constexpr std::array<const char*, 30> kRows = {
        "----2222233.22.33.......................",  // IF 29.5
        "----2222233.22333.......................",  // IF 28.5
        "----222223322.33........................",  // IF 27.5
        "----222233.22333........................",  // IF 26.5
        "----222233.2233.........................",  // IF 25.5
        "----22223322.33.........................",  // IF 24.5
        "----22223322333.........................",  // IF 23.5
        "----2222332233..........................",  // IF 22.5
        "----2222322333..........................",  // IF 21.5
        "----222232233...........................",  // IF 20.5
        "----222332233...........................",  // IF 19.5
        "----222332233...........................",  // IF 18.5
        "----22232233............................",  // IF 17.5
        "----22232233............................",  // IF 16.5
        "----2223223.............................",  // IF 15.5
        "----2222233.............................",  // IF 14.5
        "----2222233.............................",  // IF 13.5
        "----223223..............................",  // IF 12.5
        "----222233..............................",  // IF 11.5
        "----22223...............................",  // IF 10.5
        "----222222222222222222222222222222222222",  // IF 9.5
        "----222222222222222222222222222222222222",  // IF 8.5
        "----222222222222222222222222222222222222",  // IF 7.5
        "----222222222222222222222222222222222222",  // IF 6.5
        "----222222222222222222222222222222222222",  // IF 5.5
        "----222222222222222222222222222222222222",  // IF 4.5
        "----222222222222222222222222222222222222",  // IF 3.5
        "----222222222222222222222222222222222222",  // IF 2.5
        "----222222222222222222222222222222222222",  // IF 1.5
        "----222222222222222222222222222222222222",  // IF 0.5
    };
    // Written out, not taken from the colour rule: H2 red at full strength, H3 cyan at 98%.
    const std::map<char, QRgb> kPixels = {
        {'.', 0xFFFFFFFF}, {'-', 0xFF282828}, {'2', 0xFFFF0000}, {'3', 0xFF00F9F9}};
    PlanFields plan;
    plan.m_harmonics = 3;
    plan.m_ifBw = 4.6;
    plan.m_rfBw = 10;
    QImage body(40, 30, QImage::Format_RGB32);
    ASSERT_EQ(FillCleanMapBody(plan, {{-40, 360}, {0, 30}, {}}, body), FinderStatus::kOk);
    for (int y = 0; y < body.height(); ++y) {
        std::string shown;
        for (int x = 0; x < body.width(); ++x) {
            const auto named = std::find_if(kPixels.begin(), kPixels.end(), [&](const auto& p) {
                return p.second == body.pixel(x, y);
            });
            shown += named == kPixels.end() ? '?' : named->first;
        }
        EXPECT_EQ(shown, kRows[static_cast<std::size_t>(y)]) << "row " << y;
    }
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

PlanFields WithHarmonics(int h) {
    PlanFields plan;
    plan.m_harmonics = h;
    return plan;
}

struct WholeRowMap {
    const char* name;
    PlanFields plan;
    CleanMapView view;
};

void PrintTo(const WholeRowMap& m, std::ostream* out) {
    *out << m.name;
}

class WholeRowMapTest : public testing::TestWithParam<WholeRowMap> {};

// The map stops a row once no pixel is open and works each harmonic out only over the
// open pixels: still every pixel shows, to the last one, the lowest code that the whole
// row's intervals give its centre.
TEST_P(WholeRowMapTest, ShowsTheLowestCodeOfTheWholeRowsIntervals) {
    const WholeRowMap& m = GetParam();
    QImage body(233, 151, QImage::Format_RGB32);
    ASSERT_EQ(FillCleanMapBody(m.plan, m.view, body), FinderStatus::kOk);
    const FrequencyInterval fs = m.view.fsRange;
    const double scale = body.width() / (fs.hi - fs.lo);
    const double offset = fs.lo * scale + 0.5;
    std::vector<MapCode> codes(static_cast<std::size_t>(body.width()));
    const auto lay = [&](const std::vector<FrequencyInterval>& meets, MapCode code) {
        for (const FrequencyInterval& meet : meets) {
            const double first = std::max(0.0, std::ceil(meet.lo * scale - offset));
            const double last = std::min(body.width() - 1.0, std::floor(meet.hi * scale - offset));
            for (int x = TruncToInt(first); first <= last && x <= TruncToInt(last); ++x) {
                MapCode& c = codes[static_cast<std::size_t>(x)];
                c = c == kMapClean ? code : c;
            }
        }
    };
    const std::vector<SpurMember> members = ModelledMembersOf(m.view.query.model);
    RowOptions wholeRow;
    wholeRow.ends = RowEnds::kQuotients;
    MeetRow meets;
    int shown = 0;
    for (int y = 0; y < body.height(); ++y) {
        PlanFields rowPlan = m.plan;
        rowPlan.m_if = RowIf(m.view, body.height(), y);
        ASSERT_EQ(MeetFsRow(rowPlan, fs, m.view.query, meets, wholeRow), FinderStatus::kOk);
        std::fill(codes.begin(), codes.end(), kMapClean);
        lay(meets.unsampled, kMapUnsampled);
        for (int n = 2; n <= HighestDrawnHarmonic(m.plan); ++n) {
            lay(meets.harmonic[static_cast<std::size_t>(n)], static_cast<MapCode>(n));
        }
        for (std::size_t i = 0; i < members.size(); ++i) {
            lay(meets.modelled[i], FamilyMapCode(members[i].family));
        }
        lay(meets.selfFold, kMapSelfFold);
        for (int x = 0; x < body.width(); ++x) {
            const MapCode code = codes[static_cast<std::size_t>(x)];
            shown += code != kMapClean && code != static_cast<MapCode>(2);
            ASSERT_EQ(body.pixel(x, y), MapPixel(MapCodeColour(code)))
                << m.name << " pixel " << x << "," << y;
        }
    }
    EXPECT_GT(shown, body.width() * body.height() / 4) << m.name;
}

INSTANTIATE_TEST_SUITE_P(
    Maps, WholeRowMapTest,
    testing::Values(
        WholeRowMap{"BothBands", WithHarmonics(26), {{368, 1474}, {0, 368.64}, {}}},
        WholeRowMap{"IfBand", WithHarmonics(26), {{368, 1474}, {0, 368.64}, {Against::kIf, 0}}},
        WholeRowMap{"Modelled",
                    WithHarmonics(26),
                    {{368, 1474},
                     {0, 368.64},
                     {Against::kIf, 0, {8, 2, true, 10, 1, {{2400, 80, 2}, {900, 20, 1}}}}}},
        WholeRowMap{"FewHarmonicsAndAMargin",
                    WithHarmonics(6),
                    {{-300, 2500}, {0, 900}, {Against::kBoth, 1.5, {4, 1, true, 70, 2, {}}}}}),
    [](const auto& row) { return std::string(row.param.name); });

struct ComposedMap {
    const char* name;
    PlanFields plan;
    CleanMapView view;
    QSize size;
    FinderStatus status;
};

void PrintTo(const ComposedMap& m, std::ostream* out) {
    *out << m.name;
}

class ComposedMapTest : public testing::TestWithParam<ComposedMap> {};

// The map draws its frame while its rows are being drawn, and a refused body after them:
// the pixels are those of the chart drawn in its own order, the body first and the frame
// over it.
TEST_P(ComposedMapTest, IsTheChartDrawnInItsOwnOrder) {
    const ComposedMap& m = GetParam();
    const CleanMapImage map = ComposeCleanMapFrame(m.plan, m.view, m.size.width(), m.size.height());
    ASSERT_EQ(map.status, m.status);
    const CleanMapGeometry g = LayOutCleanMap(m.view, m.size.width(), m.size.height());
    QImage chart(m.size, QImage::Format_RGB32);
    if (m.status == FinderStatus::kOk && g.HasBody()) {
        QImage body(g.bodyWidth(), g.bodyHeight(), QImage::Format_RGB32);
        ASSERT_EQ(FillCleanMapBody(m.plan, m.view, body), FinderStatus::kOk);
        for (int y = 0; y < body.height(); ++y) {
            std::copy_n(reinterpret_cast<const QRgb*>(body.constScanLine(y)), body.width(),
                        reinterpret_cast<QRgb*>(chart.scanLine(g.body.top + y)) + g.body.left);
        }
    }
    DrawCleanMapChart(*MakeRasterSurface(chart), m.plan, g, {{}, m.status});
    ASSERT_EQ(map.image.size(), chart.size());
    for (int y = 0; y < chart.height(); ++y) {
        for (int x = 0; x < chart.width(); ++x) {
            ASSERT_EQ(map.image.pixel(x, y), chart.pixel(x, y))
                << m.name << " pixel " << x << "," << y;
        }
    }
}

PlanFields Unresolvable() {
    PlanFields plan;
    plan.m_if = 1000;
    plan.m_ifBw = 1e-6;
    plan.m_rfBw = 1e-6;
    return plan;
}

INSTANTIATE_TEST_SUITE_P(
    Maps, ComposedMapTest,
    testing::Values(ComposedMap{"Harmonics",
                                WithHarmonics(26),
                                {{368, 1474}, {0, 368.64}, {}},
                                {640, 400},
                                FinderStatus::kOk},
                    ComposedMap{"Modelled",
                                WithHarmonics(4),
                                {{200, 2000},
                                 {0, 600},
                                 {Against::kIf, 1, {8, 2, true, 10, 1, {{2400, 80, 2}}}}},
                                {500, 333},
                                FinderStatus::kOk},
                    ComposedMap{"TooManyIntervals",
                                Unresolvable(),
                                {{1e-3, 1e6}, {999, 1000}, {}},
                                {200, 150},
                                FinderStatus::kTooManyIntervals},
                    ComposedMap{"TooLargeAtThisSize",
                                WithHarmonics(3),
                                {{1e20, 1e21}, {1e25, 1e25 + 4.3e9}, {}},
                                {400, 300},
                                FinderStatus::kTooLargeAtThisSize},
                    ComposedMap{"NoBody",
                                WithHarmonics(5),
                                {{368, 1474}, {0, 368.64}, {}},
                                {150, 70},
                                FinderStatus::kOk}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
