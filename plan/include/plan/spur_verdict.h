// The verdict on one operating point: whether the IF band folds onto itself, which
// harmonics meet which band, how far each harmonic stays from each band, and the plan's
// spur margin.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"
#include "plan/spur_query.h"

namespace quorvel {

/// Which bands one modelled member meets.
struct MemberMeets {
    bool meetsIf = false;
    bool meetsRf = false;
};

/// Indexed by the harmonic number itself; entries 2..min(H, 26) are meaningful.
struct SpurVerdict {
    bool valid = false;  ///< every value finite, Fs > 0, margin >= 0: otherwise nothing is clean
    bool foldsOntoItself = false;
    std::array<bool, kHarmonicBandTableSize> meetsIf{};
    std::array<bool, kHarmonicBandTableSize> meetsRf{};
    int lowestMeeting = 0;  ///< lowest harmonic meeting a band asked about; 0 when none
    /// [i]: modelled member i of the query's model (ModelledMembersOf), both bands judged.
    std::vector<MemberMeets> modelled;
    /// The first modelled member, in ledger order, meeting a band asked about.
    std::optional<int> firstModelled;
    bool clean = false;
};

/// Judges the plan's Fs, IF, widths and H (above 26 counts as 26), and every member of the
/// query's model, against the query. A model frequency beyond the finder's limit leaves
/// no verdict.
SpurVerdict JudgeSpurs(const PlanFields& plan, const SpurQuery& query);

/// Whether harmonic n meets a band that `against` asks about.
bool MeetsAskedBand(const SpurVerdict& verdict, int n, Against against);

/// The verdict on the plan in a few words: "no sampling", "clean, spur margin 1.250 MHz",
/// or what spoils it ("the IF band folds onto itself, H3 meets IF and RF, H5 meets RF,
/// 2f + Fs/4 meets IF"): the harmonics by number, the model's members by their labels.
std::string SpurVerdictText(const PlanFields& plan, const SpurQuery& query);

/// How far harmonic n stays from each band: the smallest guard margin (MHz) at which it
/// meets the band, 0 when it meets it already. NaN when the plan has no verdict.
struct HarmonicDistance {
    double toIf = 0.0;
    double toRf = 0.0;
};
using HarmonicDistanceTable = std::array<HarmonicDistance, kHarmonicBandTableSize>;

/// Fills entries 2..min(H, 26); the others are left alone.
void ComputeHarmonicDistances(const PlanFields& plan, HarmonicDistanceTable& table);

/// The same for each modelled member of `model`, in ledger order: the nearest of all its
/// windows to each band.
std::vector<HarmonicDistance> ComputeModelledDistances(const PlanFields& plan,
                                                       const SpurModel& model);

/// The largest guard margin at which the plan stays clean against `against`: the smallest
/// harmonic or modelled member's distance to those bands. 0 when the plan is not clean at
/// margin 0 (the IF band folding onto itself included) or has no verdict; infinite when
/// there is nothing to meet (H < 2 and no model).
double SpurMargin(const PlanFields& plan, Against against, const SpurModel& model = {});

/// True when the plan's values give a verdict at all (see SpurVerdict::valid).
bool PlanHasSpurVerdict(const PlanFields& plan, double margin);

}  // namespace quorvel
