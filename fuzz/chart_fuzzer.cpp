// Turns arbitrary bytes into a plan, a chart-area size and a marker point, and composes
// the chart area: no input may crash, trip a sanitizer or stall the paint.
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"

namespace {

// Input layout, little-endian, zero-padded when short: Fs, IF, IF BW, RF BW (raw IEEE
// doubles, so NaN, infinities and subnormals all occur), harmonics, marker x, marker y
// (int32), width, height (uint16, taken modulo 4097).
struct FuzzInput {
    double fs, ifCentre, ifBw, rfBw;
    std::int32_t harmonics, markerX, markerY;
    std::uint16_t width, height;
};
constexpr std::size_t kInputSize = 4 * 8 + 3 * 4 + 2 * 2;

template <typename T>
T Take(const std::uint8_t* bytes, std::size_t& offset) {
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    offset += sizeof value;
    return value;
}

FuzzInput Decode(const std::uint8_t* data, std::size_t size) {
    std::uint8_t bytes[kInputSize] = {};
    std::memcpy(bytes, data, std::min(size, kInputSize));
    std::size_t at = 0;
    FuzzInput in{};
    in.fs = Take<double>(bytes, at);
    in.ifCentre = Take<double>(bytes, at);
    in.ifBw = Take<double>(bytes, at);
    in.rfBw = Take<double>(bytes, at);
    in.harmonics = Take<std::int32_t>(bytes, at);
    in.markerX = Take<std::int32_t>(bytes, at);
    in.markerY = Take<std::int32_t>(bytes, at);
    in.width = Take<std::uint16_t>(bytes, at);
    in.height = Take<std::uint16_t>(bytes, at);
    return in;
}

// Every input must compose within this; slower ones are reported with their values.
constexpr double kSlowMs = 100.0;
double g_slowestMs = 0;

void ReportSlowest() {
    std::fprintf(stderr, "chart_fuzzer: slowest input took %.1f ms\n", g_slowestMs);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    // One paint up front: loading the fonts and mapping the first large image are costs
    // of the process, not of any input, and would otherwise count as the slowest input.
    quorvel::PlanFields warmUp;
    (void)quorvel::ComposeChartArea(warmUp, 4096, 4096);
    std::atexit(ReportSlowest);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput in = Decode(data, size);
    quorvel::PlanFields plan;
    plan.m_fs = in.fs;
    plan.m_if = in.ifCentre;
    plan.m_ifBw = in.ifBw;
    plan.m_rfBw = in.rfBw;
    plan.m_harmonics = in.harmonics;
    const int width = in.width % 4097;
    const int height = in.height % 4097;

    const auto start = std::chrono::steady_clock::now();
    const QImage image = quorvel::ComposeChartArea(plan, width, height,
                                                   quorvel::MarkerPoint{in.markerX, in.markerY});
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    g_slowestMs = std::max(g_slowestMs, took.count());
    if (took.count() > kSlowMs) {
        std::fprintf(stderr,
                     "chart_fuzzer: slow input, %.1f ms: fs %.17g if %.17g ifbw %.17g rfbw %.17g "
                     "h %d marker %d,%d size %dx%d\n",
                     took.count(), in.fs, in.ifCentre, in.ifBw, in.rfBw, in.harmonics, in.markerX,
                     in.markerY, width, height);
    }

    if (width > 0 && height > 0 && (image.width() != width || image.height() != height)) {
        std::abort();
    }
    return 0;
}
