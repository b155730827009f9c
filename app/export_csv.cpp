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

namespace quorvel {

bool PlanHasChartData(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    return PlanPassesChartGate(capped);
}

std::string ShortestNumberText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

bool ClosedIntervalsMeet(double a, double b, double c, double d) {
    if (std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d)) {
        return false;
    }
    return std::max(a, b) >= std::min(c, d) && std::min(a, b) <= std::max(c, d);
}

std::string HarmonicBandCsv(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    HarmonicBandTable table{};
    ComputeHarmonicBands(capped, table);

    // Every image lies in the first zone, so it is met against the bands' own images there.
    const HarmonicBand ifImage = FirstZoneImage(capped.m_fs, capped.m_if, capped.m_ifBw);
    const HarmonicBand rfImage = FirstZoneImage(capped.m_fs, capped.m_if, capped.m_rfBw);

    std::string csv = "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n";
    for (int n = 2; n <= capped.m_harmonics; ++n) {
        const HarmonicBand& band = table[static_cast<std::size_t>(n)];
        csv += std::to_string(n) + ',' + ShortestNumberText(band.lo) + ',' +
               ShortestNumberText(band.hi) + ',' +
               (ClosedIntervalsMeet(band.lo, band.hi, ifImage.lo, ifImage.hi) ? '1' : '0') + ',' +
               (ClosedIntervalsMeet(band.lo, band.hi, rfImage.lo, rfImage.hi) ? '1' : '0') + '\n';
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
