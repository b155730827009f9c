#include "app/export_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "charts/plot_frame.h"
#include "plan/alias_lines.h"
#include "plan/harmonic_band.h"
#include "plan/reference_bands.h"
#include "plan/slider_rules.h"
#include "plan/spur_rows.h"

namespace quorvel {

bool PlanHasChartData(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    return PlanPassesChartGate(capped);
}

std::string HarmonicBandCsv(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    HarmonicBandTable table{};
    ComputeHarmonicBands(capped, table);
    HarmonicMeetsTable meets{};
    ComputeHarmonicMeets(capped, table, meets);

    std::string csv = std::string(kBandTableCsvColumns) + '\n';
    for (int n = 2; n <= capped.m_harmonics; ++n) {
        const HarmonicBand& band = table[static_cast<std::size_t>(n)];
        csv += std::to_string(n) + ',' + ShortestNumberText(band.lo) + ',' +
               ShortestNumberText(band.hi) + ',' +
               (meets[static_cast<std::size_t>(n)].meetsIf ? '1' : '0') + ',' +
               (meets[static_cast<std::size_t>(n)].meetsRf ? '1' : '0') + '\n';
    }
    return csv;
}

std::string AliasLineCsv(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    const AliasLineSet set = BuildAliasLines(capped.m_fs, capped.m_harmonics);

    std::string csv = "harmonic,vertex,x_mhz,y_mhz,colour\n";
    for (int i = 0; i < set.count; ++i) {
        const AliasLine& line = set.lines[static_cast<std::size_t>(i)];
        std::array<char, 16> colour{};
        std::snprintf(colour.data(), colour.size(), "0x%08X", static_cast<unsigned>(line.colour));
        for (int k = 0; k < line.count; ++k) {
            const AliasPoint& point = line.points[static_cast<std::size_t>(k)];
            csv += std::to_string(line.harmonic) + ',' + std::to_string(k) + ',' +
                   ShortestNumberText(point.x) + ',' + ShortestNumberText(point.y) + ',' +
                   colour.data() + '\n';
        }
    }
    return csv;
}

}  // namespace quorvel
