// The clean map at 1920 x 1080 with 26 harmonics: a slider step with the map open, a
// whole redraw with the harmonics alone and with a converter model beside them, and the
// meet intervals of every row (one IF per pixel row, Fs across) alone, each reported as a
// ratio to the baseline any paint of that size pays, measured in the same run.
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "baseline.h"
#include "paint/clean_map_image.h"
#include "paint/paint_cycle.h"
#include "plan/clean_map_ranges.h"
#include "plan/meet_intervals.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"
#include "plan/truncate.h"

namespace {

using Clock = std::chrono::steady_clock;

// The window's busiest plan: the default with every harmonic drawn.
quorvel::PlanFields BusyPlan() {
    quorvel::PlanFields plan;
    plan.m_harmonics = 26;
    return plan;
}

// A busy converter beside the harmonics: an 8-way interleaved converter with images of
// orders 1 and 2 and its offset tones, a 10 MHz spur on the clock, and two interferers
// that fold into the view from above its Fs range, one with its second harmonic.
quorvel::SpurModel BusyModel() {
    quorvel::SpurModel model;
    model.interleave = 8;
    model.interleaveOrders = 2;
    model.hasClockSpur = true;
    model.clockSpur = 10;
    model.clockSpurOrders = 1;
    model.interferers = {{2400, 80, 2}, {900, 20, 1}};
    return model;
}

// The view the map window opens with for the plan: the slider's Fs range across, 0 to
// Fs/2 up.
quorvel::CleanMapView OpeningView(const quorvel::PlanFields& plan, quorvel::SpurQuery query) {
    const quorvel::CleanMapRanges ranges = quorvel::DefaultCleanMapRanges(plan);
    return {ranges.fs, ranges.ifc, query};
}

// The meet intervals of every row of the opening view, with nothing drawn.
void BM_CleanMapRows(benchmark::State& state, quorvel::Against against) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const quorvel::PlanFields plan = BusyPlan();
    const quorvel::CleanMapView view = OpeningView(plan, {against, 0});

    QImage window(width, height + quorvel::kControlStripHeight, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, width, height); }, 0.3);

    quorvel::MeetRow row;
    std::size_t intervals = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        intervals = 0;
        quorvel::PlanFields rowPlan = plan;
        for (int y = 0; y < height; ++y) {
            rowPlan.m_if = view.ifRange.hi * (height - 1 - y) / (height - 1);
            quorvel::MeetFsRow(rowPlan, view.fsRange, view.query, row);
            for (const auto& list : row.harmonic) {
                intervals += list.size();
            }
            intervals += row.selfFold.size();
        }
        benchmark::DoNotOptimize(intervals);
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perMap = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["rows_ms"] = perMap * 1e3;
    state.counters["ratio"] = perMap / baseline;
    state.counters["intervals"] = static_cast<double>(intervals);
}

// A whole redraw of the map at that size, as the window does it after every plan change:
// the body filled from the rows on every core, then the axes, legend and plan marked.
void BM_CleanMapRedraw(benchmark::State& state, quorvel::Against against, bool modelled) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const quorvel::PlanFields plan = BusyPlan();
    const quorvel::CleanMapView view =
        OpeningView(plan, {against, 0, modelled ? BusyModel() : quorvel::SpurModel{}});

    QImage window(width, height + quorvel::kControlStripHeight, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, width, height); }, 0.3);

    quorvel::FinderStatus status = quorvel::FinderStatus::kOk;
    const auto start = Clock::now();
    for (auto _ : state) {
        const quorvel::CleanMapImage map = quorvel::ComposeCleanMap(plan, view, width, height);
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, map.image);
        status = map.status;
        benchmark::DoNotOptimize(status);
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perMap = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["redraw_ms"] = perMap * 1e3;
    state.counters["ratio"] = perMap / baseline;
    // A refused map draws no body: its time would say nothing of the rows.
    state.counters["refused"] = status == quorvel::FinderStatus::kOk ? 0 : 1;
}

// A slider step with the map open: the plan's Fs moves, so the window shows the kept frame
// with the mark moved; the body is not composed again.
void BM_CleanMapSliderStep(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    quorvel::PlanFields plan = BusyPlan();
    const quorvel::CleanMapView view = OpeningView(plan, {});
    const int fsLo = quorvel::TruncToInt(view.fsRange.lo);
    const int fsSpan = quorvel::TruncToInt(view.fsRange.hi) - fsLo;

    QImage window(width, height + quorvel::kControlStripHeight, QImage::Format_RGB32);
    const double baseline = quorvel::bench::MeanSeconds(
        [&] { quorvel::bench::PaintBaseline(window, width, height); }, 0.3);

    quorvel::CleanMapCache cache;
    int step = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        plan.m_fs = fsLo + step++ % fsSpan;
        const quorvel::CleanMapImage& frame = cache.Frame(plan, view, width, height);
        QPainter painter(&window);
        painter.drawImage(0, quorvel::kControlStripHeight, frame.image);
        if (const auto mark = quorvel::ComposeCleanMapMark(frame, plan, view)) {
            painter.drawImage(mark->at + QPoint(0, quorvel::kControlStripHeight), mark->image);
        }
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    const double perStep = spent.count() / static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baseline * 1e3;
    state.counters["step_ms"] = perStep * 1e3;
    state.counters["ratio"] = perStep / baseline;
}

BENCHMARK(BM_CleanMapSliderStep)->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRedraw, both_bands, quorvel::Against::kBoth, false)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRedraw, if_band, quorvel::Against::kIf, false)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRedraw, modelled_both_bands, quorvel::Against::kBoth, true)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRedraw, modelled_if_band, quorvel::Against::kIf, true)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRows, both_bands, quorvel::Against::kBoth)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CleanMapRows, if_band, quorvel::Against::kIf)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return quorvel::bench::RunBenchmarks<QGuiApplication>(argc, argv);
}
