// One row per harmonic of everything the program can say about it: its folded image, the
// bands it meets, how far it stays from them and the zones it comes from. The spur table
// shows these rows and copies them as CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/harmonic_band.h"
#include "plan/nyquist_zones.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// The band table's CSV columns, which every table of the folded bands starts with.
inline constexpr std::string_view kBandTableCsvColumns =
    "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band";

struct SpurRow {
    int harmonic = 0;
    HarmonicBand image;  ///< as folded: lo may exceed hi when the band is reflected
    bool meetsIf = false;
    bool meetsRf = false;
    double distanceToIf = 0;  ///< MHz, 0 when it meets; NaN when the plan has no verdict
    double distanceToRf = 0;
    std::optional<NyquistZoneSpan> zones;
};

/// Rows for harmonics 2..H, H capped at 26 as every chart caps it. Meant for plans whose
/// charts show data (Fs > 0, RF BW > 0).
std::vector<SpurRow> BuildSpurRows(const PlanFields& plan);

/// The rows as CSV: the band table's columns (harmonic, edges, flags) written exactly as
/// its export writes them, then the distances and the zones. Numbers in their shortest
/// exact form; an empty field where a value is unknown.
std::string SpurRowsCsv(const std::vector<SpurRow>& rows);

}  // namespace quorvel
