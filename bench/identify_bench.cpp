// A bench measurement of a million rows: the text parsed and its peaks labelled with the
// members of a plan with every family, as --export-peaks does after reading the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "plan/spur_identify.h"

namespace {

std::string MillionRowTrace() {
    std::string text = "frequency_mhz,level_dbfs\n";
    char row[64];
    unsigned noise = 1;
    for (int i = 0; i < 1000000; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double f = i * 0.0015;
        double level = -110.0 + static_cast<double>(noise >> 16 & 0xFF) / 64.0;
        if (i % 50000 == 25000) {
            level = -60.0;  // a tone every 75 MHz
        }
        std::snprintf(row, sizeof row, "%.4f,%.2f\n", f, level);
        text += row;
    }
    return text;
}

void BM_ReadAndLabelMillionRows(benchmark::State& state) {
    const std::string text = MillionRowTrace();
    quorvel::PlanFields plan;
    plan.m_fs = 3000;
    plan.m_if = 1850;
    plan.m_harmonics = 26;
    quorvel::SpurModel model{.interleave = 8,
                             .interleaveOrders = 2,
                             .hasClockSpur = true,
                             .clockSpur = 12.5,
                             .interferers = {{2400, 80, 3}, {900, 20, 2}}};
    const std::vector<quorvel::TonePosition> tones = quorvel::TonePositions(plan, model);
    std::size_t peaks = 0;
    for (auto _ : state) {
        quorvel::MeasuredProblem problem;
        const auto trace = quorvel::ParseMeasuredSpectrum(text, problem);
        peaks = quorvel::FindPeaks(*trace, tones, 0.1, 10).size();
        benchmark::DoNotOptimize(peaks);
    }
    state.counters["rows"] = 1e6;
    state.counters["peaks"] = static_cast<double>(peaks);
}
BENCHMARK(BM_ReadAndLabelMillionRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
