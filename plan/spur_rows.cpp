#include "plan/spur_rows.h"

#include <cmath>

#include "plan/band_meets.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"
#include "plan/spur_verdict.h"

namespace quorvel {

namespace {

std::string Flag(bool on) {
    return on ? "1" : "0";
}

std::string Distance(double mhz) {
    return std::isnan(mhz) ? std::string() : ShortestNumberText(mhz);
}

}  // namespace

std::vector<SpurRow> BuildSpurRows(const PlanFields& plan) {
    PlanFields capped = plan;
    ApplyHarmonicCap(capped);
    HarmonicBandTable bands{};
    ComputeHarmonicBands(capped, bands);
    HarmonicMeetsTable meets{};
    ComputeHarmonicMeets(capped, bands, meets);
    HarmonicDistanceTable distances{};
    ComputeHarmonicDistances(capped, distances);

    std::vector<SpurRow> rows;
    for (int n = 2; n <= capped.m_harmonics; ++n) {
        const auto i = static_cast<std::size_t>(n);
        rows.push_back({n, bands[i], meets[i].meetsIf, meets[i].meetsRf, distances[i].toIf,
                        distances[i].toRf,
                        HarmonicZoneSpan(capped.m_fs, capped.m_if, capped.m_ifBw, n)});
    }
    return rows;
}

std::string SpurRowsCsv(const std::vector<SpurRow>& rows) {
    std::string csv = std::string(kBandTableCsvColumns) +
                      ",if_distance_mhz,rf_distance_mhz,first_zone,last_zone\n";
    for (const SpurRow& row : rows) {
        csv += std::to_string(row.harmonic) + ',' + ShortestNumberText(row.image.lo) + ',' +
               ShortestNumberText(row.image.hi) + ',' + Flag(row.meetsIf) + ',' +
               Flag(row.meetsRf) + ',' + Distance(row.distanceToIf) + ',' +
               Distance(row.distanceToRf) + ',';
        if (row.zones) {
            csv += FormatFixed(row.zones->first, 0) + ',' + FormatFixed(row.zones->last, 0);
        } else {
            csv += ',';
        }
        csv += '\n';
    }
    return csv;
}

}  // namespace quorvel
