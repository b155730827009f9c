// One slider step in the main dialog, as a drag with tracking reports it: the new position
// reaches the dialog, the plan takes it, and the event loop runs the repaint to its end.
// Reported beside the baseline any paint pays at the same size (a new chart-area bitmap
// filled black and copied once onto the window at (0, 50)), and as a ratio to it.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "baseline.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

// Runs the event loop until the dialog has completed the paint after `before`.
bool RunUntilPainted(const quorvel::CSpurPlanDlg& dlg, int before) {
    for (int round = 0; round < 100000; ++round) {
        if (dlg.PaintCount() > before) {
            return true;
        }
        QCoreApplication::processEvents();
    }
    return false;
}

void BM_SliderStep(benchmark::State& state, quorvel::PlanFields plan) {
    quorvel::CSpurPlanDlg dlg(nullptr, plan);
    dlg.resize(kWindowWidth, kWindowHeight);
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg) || dlg.size() != QSize(kWindowWidth, kWindowHeight)) {
        state.SkipWithError("the dialog did not come up at 1920 x 1080");
        return;
    }
    QCoreApplication::processEvents();
    // Under QT_SCALE_FACTOR=2 the window has two device pixels to its pixel, which the paint
    // draws on and the baseline pays for.
    const int scale = quorvel::ChartScaleFor(dlg.devicePixelRatioF());
    const int chartHeight = kWindowHeight - quorvel::kControlStripHeight;
    QImage window(kWindowWidth * scale, kWindowHeight * scale, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, kWindowWidth * scale, chartHeight * scale); },
        0.3);

    QSlider& slider = *dlg.Slider();
    const int positions[2] = {slider.value() + 1, slider.value()};
    std::chrono::duration<double> spent{};
    int step = 0;
    for (auto _ : state) {
        const int before = dlg.PaintCount();
        const auto start = Clock::now();
        slider.setValue(positions[step++ % 2]);
        const bool painted = RunUntilPainted(dlg, before);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        if (!painted) {
            state.SkipWithError("no repaint followed the slider step");
            return;
        }
        state.SetIterationTime(elapsed.count());
        spent += elapsed;
    }
    const double perStep = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["step_ms"] = perStep * 1e3;
    state.counters["ratio"] = perStep / baseline;
    state.counters["scale"] = scale;
}

quorvel::PlanFields DefaultPlan() {
    return {};
}

// Every harmonic drawn. A slider step clears any marker, so no marker here.
quorvel::PlanFields BusyPlan() {
    quorvel::PlanFields plan;
    plan.m_harmonics = 26;
    return plan;
}

BENCHMARK_CAPTURE(BM_SliderStep, default_plan, DefaultPlan())
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_SliderStep, h26, BusyPlan())->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
    return quorvel::bench::RunBenchmarks<QApplication>(argc, argv);
}
