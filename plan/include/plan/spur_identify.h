// Which spur is this? Where each member of a single test tone at the IF centre lands in
// 0..Fs/2, the members that could be behind an observed frequency, and the peaks of a
// measured spectrum labelled with them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// The tolerance an observed frequency is matched within, MHz.
inline constexpr double kDefaultTolerance = 0.1;
/// How far above the trace's median a peak must stand, dB.
inline constexpr double kDefaultPeakThreshold = 10.0;
/// A peak measured this far above its planned level is flagged, dB.
inline constexpr double kPeakAbovePlanFlag = 6.0;

/// One member of the test tone: the signal itself first, then the harmonics 2..H and the
/// model's members in ledger order.
struct TonePosition {
    bool signal = false;          ///< the test tone's own image, family "signal"
    SpurMember member;            ///< meaningful when not the signal
    double position = 0;          ///< MHz, in 0..Fs/2
    std::optional<double> level;  ///< dBFS; unknown when the levels do not give it
};

/// Every member's tone position for the plan's Fs and IF (the IF BW plays no part, and the
/// interferers are tones at their centres). Empty when Fs is not above 0 or a value is not
/// finite.
std::vector<TonePosition> TonePositions(const PlanFields& plan, const SpurModel& model);

/// The tone as the folded spectrum names it: "signal", "H3", "2f + Fs/4" (UTF-8).
std::string ToneLabel(const TonePosition& tone, const SpurModel& model);

/// The family, order and term columns of a tone: "signal,1," for the signal.
std::string ToneMemberColumns(const TonePosition& tone, const SpurModel& model);

/// The members within `tolerance` of `observed`: nearest first, then the stronger level
/// (unknown last), then in ledger order.
std::vector<const TonePosition*> CandidatesFor(const std::vector<TonePosition>& tones,
                                               double observed, double tolerance);

/// The `--identify` table: a row per observed frequency and candidate, or one with the
/// member columns empty when there is none.
std::string IdentifyCsv(const std::vector<TonePosition>& tones, const SpurModel& model,
                        const std::vector<double>& observed, double tolerance);

/// A measured trace: frequencies in MHz, strictly ascending, and levels in dBFS.
struct MeasuredSpectrum {
    std::vector<double> mhz;
    std::vector<double> dbfs;
};

/// Why a measured file cannot be read, with the line it stops at (from 1; 0 for the file
/// as a whole).
struct MeasuredProblem {
    int line = 0;
    std::string reason;
};

/// Reads CSV text of frequency and level: a header line or none, commas, semicolons or
/// tabs between the two, blank lines and '#' comments. Whole or not at all.
std::optional<MeasuredSpectrum> ParseMeasuredSpectrum(std::string_view text,
                                                      MeasuredProblem& problem);

/// The median of the trace's levels, the floor its peaks stand above; NaN for no level.
double TraceMedian(const MeasuredSpectrum& trace);

struct SpectrumPeak {
    double mhz = 0;
    double dbfs = 0;
    const TonePosition* candidate = nullptr;  ///< the nearest within the tolerance, if any
};

/// The bins strictly above both neighbours and at least `threshold` dB above the trace's
/// median, each with its nearest candidate (ties to the stronger level, then ledger
/// order).
std::vector<SpectrumPeak> FindPeaks(const MeasuredSpectrum& trace,
                                    const std::vector<TonePosition>& tones, double tolerance,
                                    double threshold);

/// `--export-peaks`: frequency_mhz,level_dbfs,family,order,term,predicted_mhz,offset_mhz.
std::string PeaksCsv(const std::vector<SpectrumPeak>& peaks, const SpurModel& model);

/// What a review wants of the peaks: how many are explained, the worst unexplained one,
/// and each explained peak against its planned level, flagged more than 6 dB above it.
std::string PeakSummary(const std::vector<SpectrumPeak>& peaks, const SpurModel& model);

}  // namespace quorvel
