// The paint as the program composes it against the straightforward rendering of the same
// chart calls: every primitive drawn in full, in order, through QPainter. Random plans and
// sizes, realistic and absurd, must give the same image pixel for pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <climits>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "paint/paint_cycle.h"

namespace quorvel {
namespace {

// A plan and the marker the window would show with it.
struct Scene {
    PlanFields plan;
    MarkerPoint marker;
};

std::string Describe(const Scene& scene, int w, int h) {
    const PlanFields& p = scene.plan;
    std::ostringstream out;
    out.precision(17);
    out << w << "x" << h << " fs=" << p.m_fs << " if=" << p.m_if << " ifBw=" << p.m_ifBw
        << " rfBw=" << p.m_rfBw << " H=" << p.m_harmonics << " marker=" << scene.marker.x << ","
        << scene.marker.y;
    return out.str();
}

class PaintIdentity : public testing::Test {
  protected:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }

    // Mostly plans a user would make; now and then a value nobody should type.
    double Value(double lo, double hi) {
        constexpr double kInf = std::numeric_limits<double>::infinity();
        static constexpr std::array<double, 12> kWild = {
            0.0,    -0.0, 1e308, -1e308, kInf, -kInf, std::numeric_limits<double>::quiet_NaN(),
            5e-324, 1e-9, 4e9,   -3e9,   1e300};
        if (Int(0, 9) == 0) {
            return kWild[static_cast<std::size_t>(Int(0, kWild.size() - 1))];
        }
        return Real(lo, hi);
    }

    Scene AnyScene(int width, int height) {
        Scene scene;
        PlanFields& plan = scene.plan;
        MarkerPoint& marker = scene.marker;
        plan.m_fs = Value(1.0, 4000.0);
        plan.m_if = Value(-0.2 * plan.m_fs, 1.5 * plan.m_fs);
        plan.m_ifBw = Value(-10.0, 0.6 * plan.m_fs);
        plan.m_rfBw = Value(-10.0, plan.m_fs);
        plan.m_harmonics = Int(0, 6) == 0 ? Int(-3, 40) : Int(20, 26);
        switch (Int(0, 3)) {
            case 0:
                break;  // no marker
            case 1:
                marker.x = Int(-5, width + 5);
                marker.y = Int(-5, height + kControlStripHeight + 5);
                break;
            case 2:
                marker.x = Int(INT_MIN, INT_MAX);
                marker.y = Int(INT_MIN, INT_MAX);
                break;
            default:
                marker.x = Int(1, std::max(1, width));
                marker.y = Int(kControlStripHeight, kControlStripHeight + height);
        }
        return scene;
    }

    void ExpectIdentical(int width, int height, std::optional<int> highlight = std::nullopt) {
        const Scene scene = AnyScene(width, height);
        const QImage expected =
            ComposeChartAreaThroughQPainter(scene.plan, width, height, scene.marker, highlight);
        const QImage fast = ComposeChartArea(scene.plan, width, height, scene.marker, highlight);
        ASSERT_EQ(expected, fast) << Describe(scene, width, height) << " highlight "
                                  << highlight.value_or(0);
    }

    std::mt19937_64 random_{20261208};
};

TEST_F(PaintIdentity, BandsFromNothingToNarrowAndShort) {
    for (int i = 0; i < 1500; ++i) {
        ExpectIdentical(Int(0, 120), Int(0, 130));
    }
}

TEST_F(PaintIdentity, WindowSizes) {
    for (int i = 0; i < 300; ++i) {
        ExpectIdentical(Int(100, 1000), Int(100, 800));
    }
}

TEST_F(PaintIdentity, WithAHarmonicPickedOut) {
    for (int i = 0; i < 200; ++i) {
        ExpectIdentical(Int(0, 1000), Int(0, 800), Int(2, 26));
    }
}

TEST_F(PaintIdentity, LargeWindows) {
    for (int i = 0; i < 40; ++i) {
        ExpectIdentical(Int(1000, 2000), Int(600, 1200));
    }
}

}  // namespace
}  // namespace quorvel
