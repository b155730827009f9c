// The baseline every benchmark here divides by: what any paint of a W x H chart area pays
// at least, a new bitmap filled black and copied once into the window below the strip.
#pragma once

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "paint/paint_cycle.h"

namespace quorvel::bench {

inline void PaintBaseline(QImage& window, int width, int height) {
    QImage area(width, height, QImage::Format_RGB32);
    area.fill(Qt::black);
    QPainter painter(&window);
    painter.drawImage(0, kControlStripHeight, area);
}

/// Mean seconds per call of `work`, over at least `minSeconds` of repetitions.
template <typename Work>
double MeanSeconds(Work&& work, double minSeconds) {
    using Clock = std::chrono::steady_clock;
    int reps = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    do {
        work();
        ++reps;
        elapsed = Clock::now() - start;
    } while (elapsed.count() < minSeconds);
    return elapsed.count() / reps;
}

/// Runs the benchmarks under a Qt application of type `App` (fonts and widgets need one),
/// on the offscreen platform unless another is asked for.
template <typename App>
int RunBenchmarks(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace quorvel::bench
