// The folded spectrum at 1920 x 1080 with every family of spurs: a whole redraw, as the
// window makes one after every plan or model change (the ledger, the layout, the chart on
// the fast surface, the copy into the window), as a ratio to the baseline any paint of that
// size pays, measured in the same run; and a repaint with a million-point trace over it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "baseline.h"
#include "charts/measured_overlay.h"
#include "paint/paint_cycle.h"
#include "paint/spectrum_image.h"
#include "plan/plan_fields.h"
#include "plan/spur_identify.h"
#include "plan/spur_model.h"

namespace {

using Clock = std::chrono::steady_clock;

quorvel::PlanFields BusyPlan() {
    quorvel::PlanFields plan;
    plan.m_harmonics = 26;
    return plan;
}

// Every family: 8 cores with images of orders 1 and 2, a clock spur with two orders of
// sidebands, two interferers with their harmonics; with `levels`, every level and a floor.
quorvel::SpurModel BusyModel(bool levels) {
    quorvel::SpurModel model;
    model.interleave = 8;
    model.interleaveOrders = 2;
    model.hasClockSpur = true;
    model.clockSpur = 12.5;
    model.clockSpurOrders = 2;
    model.interferers = {{455.0, 20.0, 3}, {610.0, 0.0, 2}};
    if (levels) {
        for (int n = 2; n <= quorvel::kHarmonicCap; ++n) {
            model.levels.harmonics.push_back(-60.0 - 2 * n);
        }
        model.levels.images = {-70.0, -84.0};
        model.levels.offset = -78.0;
        model.levels.sidebands = {-66.0, -80.0};
        model.levels.floor = -95.0;
        model.interferers[0].level = -12.0;
        model.interferers[1].level = -30.0;
    }
    return model;
}

void BM_SpectrumRedraw(benchmark::State& state, bool levels) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const quorvel::PlanFields plan = BusyPlan();
    const quorvel::SpurModel model = BusyModel(levels);

    QImage window(width, height + quorvel::kControlStripHeight, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, width, height); }, 0.3);

    const auto start = Clock::now();
    for (auto _ : state) {
        const QImage image = quorvel::ComposeSpectrum(plan, model, width, height);
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, image);
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perRedraw = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["redraw_ms"] = perRedraw * 1e3;
    state.counters["ratio"] = perRedraw / baseline;
}

// A million-point bench trace over the same spectrum: a repaint draws the overlay made once
// per layout, at most a few runs a column; making it again (after a plan change or a
// resize: the peaks found and every point put in its column) is counted apart.
void BM_SpectrumRedrawWithMillionPointTrace(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const quorvel::PlanFields plan = BusyPlan();
    const quorvel::SpurModel model = BusyModel(true);
    quorvel::MeasuredSpectrum trace;
    unsigned noise = 1;
    for (int i = 0; i < 1000000; ++i) {
        noise = noise * 1103515245u + 12345u;
        trace.mhz.push_back(i * plan.m_fs / 2 / 1e6);
        trace.dbfs.push_back(
            i % 20000 == 10000 ? -55.0 : -112.0 + static_cast<double>(noise >> 16 & 0xFF) / 32.0);
    }
    const std::vector<quorvel::TonePosition> tones = quorvel::TonePositions(plan, model);

    QImage window(width, height + quorvel::kControlStripHeight, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, width, height); }, 0.3);
    quorvel::SpectrumLayout layout;
    quorvel::MeasuredOverlay overlay;
    const double relayout = quorvel::bench::MeanSeconds(
        [&] {
            const auto peaks = quorvel::FindPeaks(trace, tones, quorvel::kDefaultTolerance,
                                                  quorvel::kDefaultPeakThreshold);
            layout =
                quorvel::LayOutSpectrum(plan, model, width, height, quorvel::TraceMedian(trace));
            overlay = quorvel::LayOutMeasured(layout, trace, peaks, model);
        },
        0.3);

    const auto start = Clock::now();
    for (auto _ : state) {
        const QImage image = quorvel::ComposeSpectrum(layout, &overlay);
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, image);
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perRedraw = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["redraw_ms"] = perRedraw * 1e3;
    state.counters["ratio"] = perRedraw / baseline;
    state.counters["relayout_ms"] = relayout * 1e3;
    state.counters["runs"] = static_cast<double>(overlay.trace.size());
}

BENCHMARK_CAPTURE(BM_SpectrumRedraw, levels_given, true)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SpectrumRedraw, levels_unknown, false)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_SpectrumRedrawWithMillionPointTrace)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return quorvel::bench::RunBenchmarks<QGuiApplication>(argc, argv);
}
