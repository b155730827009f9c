// The folded image of the IF band at each harmonic: where n times the band lands once
// sampled at Fs and folded into the first Nyquist zone, 0..Fs/2.
#pragma once

#include <array>

#include "plan/plan_fields.h"

namespace quorvel {

/// The image of the IF band's lower and upper edge at one harmonic. lo may exceed hi (a
/// reflection about Fs/2 reverses the band). An edge whose n-fold value is not finite,
/// or would need more wraps than a double can count, folds to NaN: readers skip it.
struct HarmonicBand {
    double lo = 0.0;
    double hi = 0.0;
};

/// Indexed by the harmonic number itself; entries 2..H are filled, 0 and 1 never.
inline constexpr int kHarmonicBandTableSize = kHarmonicCap + 1;
using HarmonicBandTable = std::array<HarmonicBand, kHarmonicBandTableSize>;

/// An edge needing at most this many wraps is wrapped by repeated subtraction, exactly
/// as the folding rule reads; beyond it the rest of the wraps are taken in one step
/// (fmod), which keeps the work bounded for any input.
inline constexpr int kStepwiseWrapLimit = 4096;

/// Where the folded image of a band lies against the edges of 0..Fs/2.
enum class Straddle {
    kWholeZone,    ///< the band spans two fold points or more: its image is all of 0..Fs/2
    kThroughZero,  ///< the edges wrapped a different number of times: the image passes 0
    kThroughHalf,  ///< reflected a different number of times: it passes Fs/2
    kNeither,
};

/// Everything the fold decided, for callers that need to know why.
struct HarmonicFold {
    HarmonicBand band;
    double wrapsLo = 0;  ///< how often Fs was subtracted from each edge (whole numbers)
    double wrapsHi = 0;
    int reflectionsLo = 0;  ///< how often each edge was reflected about Fs/2
    int reflectionsHi = 0;
    /// Zone index of the upper edge less that of the lower, the zone index of an edge being
    /// 2 x wraps + reflections (zone k of 1, 2, ... has index k - 1). NaN when an edge has
    /// no image.
    double zoneGap = 0;
    Straddle straddle = Straddle::kNeither;
};

/// Folds the IF band (centre ifCentre, width ifBw) at harmonic n for sample rate fs.
/// Meant for fs > 0; for any other fs the edges are not wrapped (there is no period to
/// wrap by) and the result is still defined.
HarmonicFold FoldHarmonicBandTraced(double fs, double ifCentre, double ifBw, int n);

/// The same fold for any two edges, lo's image first.
HarmonicFold FoldEdgesTraced(double fs, double lo, double hi);

/// The fold of frequencies lo..hi, a negative frequency folding as its mirror: an interval
/// through 0 folds as one through a multiple of Fs, from 0 up.
HarmonicBand FoldFrequencyInterval(double fs, double lo, double hi);

inline HarmonicBand FoldHarmonicBand(double fs, double ifCentre, double ifBw, int n) {
    return FoldHarmonicBandTraced(fs, ifCentre, ifBw, n).band;
}

/// Fills entries 2..H of the table, in increasing order, from the plan. Nothing for
/// H < 2; entries above 26 do not exist, so H is never taken beyond 26.
void ComputeHarmonicBands(const PlanFields& plan, HarmonicBandTable& table);

}  // namespace quorvel
