// The chart composition at three window sizes, each reported as a ratio to the baseline
// that any paint pays at the same size: a new W x H bitmap filled black and copied once
// onto the window at (0, 50). Both are measured in the same run, so the ratio holds from
// one machine to the next where absolute times do not. Beside the paint, the same charts
// drawn through QPainter primitive by primitive, which the paint must match pixel for
// pixel, show what the paint's own span code saves.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "baseline.h"
#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Size {
    int width;
    int height;
};

// What a paint draws from: the window's plan and its marker.
struct Scene {
    quorvel::PlanFields plan;
    quorvel::MarkerPoint marker;
};

// At a scale above 1 the window has that many device pixels to its pixel, and the baseline
// is paid on all of them.
template <typename Compose>
void MeasureAgainstBaseline(benchmark::State& state, const Scene& scene, Compose&& compose,
                            int scale = 1) {
    const Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    QImage window(size.width * scale, (size.height + quorvel::kControlStripHeight) * scale,
                  QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, size.width * scale, size.height * scale); },
        0.3);
    window.setDevicePixelRatio(scale);
    auto paint = [&] {
        quorvel::PlanFields p = scene.plan;
        const QImage area = compose(p, scene.marker, size.width, size.height);
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, area);
    };

    const auto start = Clock::now();
    for (auto _ : state) {
        paint();
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perPaint = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["paint_ms"] = perPaint * 1e3;
    state.counters["ratio"] = perPaint / baseline;
}

void BM_Compose(benchmark::State& state, Scene scene) {
    MeasureAgainstBaseline(state, scene,
                           [](quorvel::PlanFields& p, quorvel::MarkerPoint marker, int w, int h) {
                               return quorvel::ComposeChartArea(p, w, h, marker);
                           });
}

// The window's paint on a screen of two device pixels to the pixel.
void BM_ComposeAtRatio2(benchmark::State& state, Scene scene) {
    MeasureAgainstBaseline(
        state, scene,
        [](quorvel::PlanFields& p, quorvel::MarkerPoint marker, int w, int h) {
            return quorvel::ComposeChartArea(p, w, h, marker, std::nullopt, {.scale = 2});
        },
        2);
}

void BM_ComposeThroughQPainter(benchmark::State& state, Scene scene) {
    MeasureAgainstBaseline(state, scene,
                           [](quorvel::PlanFields& p, quorvel::MarkerPoint marker, int w, int h) {
                               return quorvel::ComposeChartAreaThroughQPainter(p, w, h, marker);
                           });
}

// A window dragged wider a pixel per paint: every paint needs a bitmap larger than the one
// let go, so the pool's memory comes new from the system each time.
void BM_ComposeGrowing(benchmark::State& state) {
    const Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    constexpr int kDragPixels = 64;
    QImage window(size.width + kDragPixels, size.height + quorvel::kControlStripHeight,
                  QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, size.width, size.height); }, 0.3);
    int step = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        quorvel::PlanFields plan;
        const QImage area = quorvel::ComposeChartArea(plan, size.width + step, size.height, {});
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, area);
        step = (step + 1) % kDragPixels;
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perPaint = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["paint_ms"] = perPaint * 1e3;
    state.counters["ratio"] = perPaint / baseline;
}

Scene DefaultScene() {
    return {};
}

Scene BusyScene() {
    Scene scene;
    scene.plan.m_harmonics = 26;
    scene.marker = {400, 300};
    return scene;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({800, 550})->Args({1920, 1030})->Args({3840, 2110});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK_CAPTURE(BM_Compose, default_plan, DefaultScene())->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Compose, h26_marker, BusyScene())->Apply(Sizes);
BENCHMARK(BM_ComposeGrowing)->Apply(Sizes);
// The window's size in its own pixels: 1920 x 1030 fills a 4K screen at ratio 2.
BENCHMARK_CAPTURE(BM_ComposeAtRatio2, default_plan, DefaultScene())
    ->Args({1920, 1030})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ComposeAtRatio2, h26_marker, BusyScene())
    ->Args({1920, 1030})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ComposeThroughQPainter, default_plan, DefaultScene())->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ComposeThroughQPainter, h26_marker, BusyScene())->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
    return quorvel::bench::RunBenchmarks<QGuiApplication>(argc, argv);
}
