// The folded spectrum as the window composes it against every primitive drawn in full and in
// order through QPainter: random plans, models and sizes, realistic and absurd, must give the
// same image pixel for pixel.
#include "paint/spectrum_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace quorvel {
namespace {

constexpr std::optional<double> kNoLevel;

class SpectrumIdentity : public testing::Test {
  protected:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }
    // Mostly values a user would type; now and then one nobody should.
    double Value(double lo, double hi) {
        static constexpr std::array<double, 9> kWild = {0.0,
                                                        -0.0,
                                                        1e308,
                                                        -1e308,
                                                        std::numeric_limits<double>::infinity(),
                                                        std::numeric_limits<double>::quiet_NaN(),
                                                        5e-324,
                                                        1e-9,
                                                        4e9};
        if (Int(0, 9) == 0) {
            return kWild[static_cast<std::size_t>(Int(0, kWild.size() - 1))];
        }
        return Real(lo, hi);
    }
    std::optional<double> Level() {
        return Int(0, 3) == 0 ? std::nullopt : std::optional(Real(-150.0, 0.0));
    }
    std::vector<double> Levels() {
        std::vector<double> levels(static_cast<std::size_t>(Int(0, 4)));
        for (double& level : levels) {
            level = Real(-120.0, -20.0);
        }
        return levels;
    }

    void ExpectIdentical(int width, int height) {
        PlanFields plan;
        plan.m_fs = Value(1.0, 4000.0);
        plan.m_if = Value(-0.2 * plan.m_fs, 1.5 * plan.m_fs);
        plan.m_ifBw = Value(0.0, 0.3 * plan.m_fs);
        plan.m_rfBw = Value(0.0, plan.m_fs);
        plan.m_harmonics = Int(-2, 30);
        SpurModel model;
        model.interleave = Int(1, 8);
        model.interleaveOrders = Int(1, 3);
        model.hasClockSpur = Int(0, 1) != 0;
        model.clockSpur = Value(-50.0, 50.0);
        for (int i = Int(0, 2); i > 0; --i) {
            model.interferers.push_back(
                {Value(0.0, 2000.0), Int(0, 1) * Real(0.0, 50.0), Int(1, 3), Level()});
        }
        model.levels.signal = Real(-30.0, 0.0);
        model.levels.harmonics = Levels();
        model.levels.images = Levels();
        model.levels.sidebands = Levels();
        model.levels.offset = Level();
        model.levels.floor = Int(0, 1) != 0 ? Level() : std::nullopt;

        // Every other scene with a measured trace over it, its peaks marked and named.
        const std::size_t points = Int(0, 1) != 0 ? static_cast<std::size_t>(Int(0, 600)) : 0;
        MeasuredSpectrum trace;
        const double span = std::isfinite(plan.m_fs) && plan.m_fs > 0 ? plan.m_fs : 1000.0;
        for (std::size_t i = 0; i < points; ++i) {
            trace.mhz.push_back(-0.05 * span +
                                0.6 * span * static_cast<double>(i) / static_cast<double>(points));
            trace.dbfs.push_back(Int(0, 8) == 0 ? Real(-80.0, 5.0) : Real(-130.0, -100.0));
        }
        const std::vector<TonePosition> tones = TonePositions(plan, model);
        const std::vector<SpectrumPeak> peaks = FindPeaks(trace, tones, 0.01 * span, 10.0);
        const SpectrumLayout layout =
            LayOutSpectrum(plan, model, width, height, points > 0 ? TraceMedian(trace) : kNoLevel);
        const MeasuredOverlay overlay = LayOutMeasured(layout, trace, peaks, model);
        const MeasuredOverlay* measured = points > 0 ? &overlay : nullptr;
        const QImage expected = ComposeSpectrumThroughQPainter(layout, measured);
        const QImage fast = ComposeSpectrum(layout, measured);
        std::ostringstream scene;
        scene.precision(17);
        scene << width << "x" << height << " fs=" << plan.m_fs << " if=" << plan.m_if
              << " ifBw=" << plan.m_ifBw << " rfBw=" << plan.m_rfBw << " H=" << plan.m_harmonics
              << " M=" << model.interleave << " trace of " << points;
        ASSERT_EQ(expected, fast) << scene.str();
    }

    std::mt19937_64 random_{20261208};
};

TEST_F(SpectrumIdentity, SmallAndTinySizes) {
    for (int i = 0; i < 300; ++i) {
        ExpectIdentical(Int(0, 200), Int(0, 160));
    }
}

TEST_F(SpectrumIdentity, WindowSizes) {
    for (int i = 0; i < 40; ++i) {
        ExpectIdentical(Int(300, 1400), Int(200, 900));
    }
}

TEST(SpectrumImage, IsOfTheAskedSizeOrNull) {
    EXPECT_EQ(ComposeSpectrum(PlanFields{}, SpurModel{}, 300, 200).size(), QSize(300, 200));
    EXPECT_TRUE(ComposeSpectrum(PlanFields{}, SpurModel{}, 0, 200).isNull());
    EXPECT_TRUE(ComposeSpectrum(PlanFields{}, SpurModel{}, 300, -1).isNull());
}

}  // namespace
}  // namespace quorvel
