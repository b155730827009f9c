// The charts composed in another look: the light theme's ground where the dark one's is, and
// the clean map's rows on a scaled bitmap, worked out on every core as at one to one.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "charts/clean_map_geometry.h"
#include "paint/clean_map_image.h"
#include "paint/paint_cycle.h"
#include "paint/spectrum_image.h"

namespace quorvel {
namespace {

constexpr QRgb kBlackPixel = 0xFF000000u;
constexpr QRgb kWhitePixel = 0xFFFFFFFFu;

// Every pixel the dark chart leaves black (its ground, and the gaps of its dots and hatches)
// is white in the light one, and no other.
::testing::AssertionResult PaperWhereGround(const QImage& dark, const QImage& light) {
    if (dark.size() != light.size()) {
        return ::testing::AssertionFailure() << "the sizes differ";
    }
    int ground = 0;
    for (int y = 0; y < dark.height(); ++y) {
        for (int x = 0; x < dark.width(); ++x) {
            const bool isGround = dark.pixel(x, y) == kBlackPixel;
            ground += isGround ? 1 : 0;
            if (isGround != (light.pixel(x, y) == kWhitePixel)) {
                return ::testing::AssertionFailure() << "at " << x << "," << y;
            }
        }
    }
    return ground > dark.width() * dark.height() / 4
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "little ground";
}

const ChartLook kLight{.theme = Theme::kLight};

TEST(LightTheme, ChartAreaIsPaperExactlyWhereItsGroundIs) {
    PlanFields plan;
    plan.m_harmonics = 26;
    EXPECT_TRUE(PaperWhereGround(ComposeChartArea(plan, 744, 532),
                                 ComposeChartArea(plan, 744, 532, {}, std::nullopt, kLight)));
}

TEST(LightTheme, SpectrumIsPaperExactlyWhereItsGroundIs) {
    SpurModel model;
    model.interleave = 4;
    model.levels.harmonics = {-60, -72};
    const SpectrumLayout layout = LayOutSpectrum(PlanFields{}, model, 960, 640);
    EXPECT_TRUE(PaperWhereGround(ComposeSpectrum(layout), ComposeSpectrum(layout, kLight)));
}

// The rows fill scale x scale squares of device pixels, each row on whichever thread takes
// it, as the map's own rows fill its pixels.
TEST(ScaledCleanMap, BodyIsTheMapsBodyInSquaresOfDevicePixels) {
    const CleanMapView view{{300, 2000}, {0, 400}, {}};
    PlanFields plan;
    plan.m_harmonics = 9;
    const CleanMapImage once = ComposeCleanMapFrame(plan, view, 480, 320);
    const CleanMapImage twice = ComposeCleanMapFrame(plan, view, 480, 320, {.scale = 2});
    ASSERT_EQ(twice.image.size(), QSize(960, 640));
    EXPECT_EQ(twice.image.devicePixelRatio(), 2.0);
    const PixelRect body = LayOutCleanMap(view, 480, 320).body;
    for (int y = body.top; y < body.bottom; ++y) {
        for (int x = body.left; x < body.right; ++x) {
            const QRgb expected = once.image.pixel(x, y);
            for (int k = 0; k < 4; ++k) {
                ASSERT_EQ(twice.image.pixel(2 * x + k % 2, 2 * y + k / 2), expected)
                    << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
