// Any plan and any chart area paint without a crash, a sanitizer report or a stall, and
// every paint releases what it made.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <climits>
#include <limits>
#include <random>

#include "paint/paint_cycle.h"
#include "paint/vector_charts.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinNormal = std::numeric_limits<double>::min();

constexpr std::array<double, 16> kExtremeReals = {0.0,  -0.0,   1e308,   -1e308,     kInf,   -kInf,
                                                  kNaN, 5e-324, -5e-324, kMinNormal, 737.28, 184.32,
                                                  1e-9, 4e9,    -3e9,    1.0};
constexpr std::array<int, 10> kExtremeInts = {INT_MIN, -1, 0, 1, 2, 3, 26, 27, 1000, INT_MAX};
constexpr std::array<int, 14> kSizes = {1, 2, 29, 41, 42, 43, 49, 50, 51, 84, 85, 301, 640, 1201};

class ExtremePlans : public testing::Test {
  protected:
    double AnyReal() {
        if (Pick(3) == 0) {
            return std::uniform_real_distribution<double>(-2000.0, 2000.0)(random_);
        }
        return kExtremeReals[Pick(kExtremeReals.size())];
    }
    int AnyInt() {
        if (Pick(3) == 0) {
            return std::uniform_int_distribution<int>(-100, 1100)(random_);
        }
        return kExtremeInts[Pick(kExtremeInts.size())];
    }
    struct Scene {
        PlanFields plan;
        MarkerPoint marker;
    };
    Scene AnyScene() {
        Scene scene;
        scene.plan.m_fs = AnyReal();
        scene.plan.m_if = AnyReal();
        scene.plan.m_ifBw = AnyReal();
        scene.plan.m_rfBw = AnyReal();
        scene.plan.m_harmonics = AnyInt();
        scene.marker.x = AnyInt();
        scene.marker.y = AnyInt();
        return scene;
    }
    int AnySize() { return kSizes[Pick(kSizes.size())]; }
    std::size_t Pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    std::mt19937_64 random_{20261208};
};

TEST_F(ExtremePlans, ComposeAnyPlanAtAnySize) {
    for (int i = 0; i < 400; ++i) {
        const Scene scene = AnyScene();
        const int width = AnySize();
        const int height = AnySize();
        const QImage image = ComposeChartArea(scene.plan, width, height, scene.marker);
        ASSERT_EQ(image.size(), QSize(width, height));
    }
}

TEST_F(ExtremePlans, EveryPaintReleasesWhatItMade) {
    for (int i = 0; i < 400; ++i) {
        const Scene scene = AnyScene();
        RecordingSurface dc;
        PaintChartArea(dc, scene.plan, AnySize(), AnyInt(), scene.marker);
        EXPECT_EQ(dc.liveObjects(), 0);
        EXPECT_FALSE(dc.drewWithReleasedObject());
    }
}

// The looks and the vector surface take every coordinate the charts give, far-away and
// saturated ones included.
TEST_F(ExtremePlans, ComposeAnyPlanInAnyLookAndAsShapes) {
    for (int i = 0; i < 30; ++i) {
        const Scene scene = AnyScene();
        const int width = kSizes[Pick(kSizes.size() - 2)];
        const int height = kSizes[Pick(kSizes.size() - 2)];
        const ChartLook look{static_cast<int>(Pick(kMostChartScale)) + 1,
                             Pick(2) == 0 ? Theme::kDark : Theme::kLight};
        const QImage image =
            ComposeChartArea(scene.plan, width, height, scene.marker, std::nullopt, look);
        ASSERT_EQ(image.size(), QSize(width, height) * look.scale);
        QImage shapes(width, height, QImage::Format_RGB32);
        QPainter painter(&shapes);
        PaintChartAreaOn(painter, scene.plan, width, height, scene.marker, look.theme);
    }
}

TEST_F(ExtremePlans, HugePlotCoordinatesOnASmallArea) {
    // Finite values whose pixels saturate: the lines run far outside and are clipped.
    PlanFields plan;
    plan.m_fs = 1e-300;
    plan.m_if = 1e300;
    plan.m_ifBw = -1e300;
    plan.m_rfBw = 1e300;
    plan.m_harmonics = 26;
    EXPECT_FALSE(ComposeChartArea(plan, 200, 200, MarkerPoint{1, 60}).isNull());
}

}  // namespace
}  // namespace quorvel::test
