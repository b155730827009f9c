// What a spur search asks and how it answers: the bands a plan must keep clear, the guard
// margin, and ranges and intervals of frequency in MHz.
#pragma once

#include <array>
#include <utility>

#include "plan/spur_model.h"

namespace quorvel {

/// Which reference bands a harmonic must not meet.
enum class Against { kIf, kRf, kBoth };

/// How the command line and plan files name each choice of bands.
inline constexpr std::array<std::pair<Against, const char*>, 3> kAgainstNames{
    {{Against::kIf, "if"}, {Against::kRf, "rf"}, {Against::kBoth, "both"}}};

/// A plan is judged against `against`, each band widened by `margin` MHz on both sides, for
/// the harmonics and every member of `model`.
struct SpurQuery {
    // Written {against, margin} wherever the model is left empty.
    SpurQuery() = default;
    SpurQuery(Against againstBands, double guardMargin, SpurModel spurModel = {})
        : against(againstBands), margin(guardMargin), model(std::move(spurModel)) {}

    Against against = Against::kBoth;
    double margin = 0.0;
    SpurModel model;
};

/// A closed range or interval of frequency, lo <= hi, in MHz.
struct FrequencyInterval {
    double lo = 0.0;
    double hi = 0.0;
    friend bool operator==(const FrequencyInterval&, const FrequencyInterval&) = default;
};

enum class FinderStatus {
    kOk,
    kBadInput,          ///< a non-finite or out-of-bounds value, lo >= hi, a negative margin
    kTooManyIntervals,  ///< the range holds more intervals than the finder will generate
    /// A picture of the plane: each of its rows would do on its own, but not all of them
    /// at its size.
    kTooLargeAtThisSize,
};

/// Beyond this magnitude (MHz) a value is refused: it keeps every product and sum of the
/// finder finite, and no sampled chain comes anywhere near it.
inline constexpr double kFinderFrequencyLimit = 1e100;

/// The most meet intervals one search generates before it refuses.
inline constexpr double kMaxMeetIntervals = 2e6;

}  // namespace quorvel
