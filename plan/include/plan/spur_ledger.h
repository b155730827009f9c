// The spur ledger: one row for every member of every family, in ledger order, with where
// it lands in 0..Fs/2, the bands it meets and how far it stays from them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// The ledger's columns; columns added later come after these.
inline constexpr std::string_view kSpurLedgerCsvColumns =
    "family,order,term,lo_mhz,hi_mhz,in_if_band,in_rf_band,if_distance_mhz,rf_distance_mhz";
/// Appended when the model gives levels (LevelsGiven).
inline constexpr std::string_view kSpurLevelCsvColumns = "level_dbfs,level_dbc,counts";

struct SpurLedgerRow {
    SpurMember member;
    HarmonicBand image;  ///< the member's frequencies folded into 0..Fs/2; lo may exceed hi
    bool meetsIf = false;
    bool meetsRf = false;
    double distanceToIf = 0;  ///< MHz, 0 when it meets; NaN when the plan has no verdict
    double distanceToRf = 0;
    std::optional<double> level;  ///< dBFS; unknown when the levels do not give it
    bool counts = true;           ///< MemberCounts
};

/// The row's level in dBc, relative to the signal's level; unknown with its level.
std::optional<double> LedgerRowDbc(const SpurLedgerRow& row, const SpurModel& model);

/// The harmonics' rows exactly as the spur table has them, then the model's members.
/// Meant for plans whose charts show data (Fs > 0, RF BW > 0).
std::vector<SpurLedgerRow> BuildSpurLedger(const PlanFields& plan, const SpurModel& model);

/// Numbers in their shortest exact form, an empty distance or level where it is unknown;
/// the level columns only when the model gives levels.
std::string SpurLedgerCsv(const std::vector<SpurLedgerRow>& rows, const SpurModel& model);

}  // namespace quorvel
