// Each way a harmonic of the IF band can land on a reference band, written as one window
// that some whole multiple of Fs must fall into. Both the point verdict and the interval
// finder evaluate these, in this one order of operations, so they agree to the last bit.
#pragma once

#include "plan/spur_query.h"

namespace quorvel {

/// The IF band [ifLo, ifHi] and the RF band [rfLo, rfHi] for one IF centre. A negative
/// width spans the same band as its magnitude, as the band table reads it.
struct SpurEdges {
    double ifLo = 0.0;
    double ifHi = 0.0;
    double rfLo = 0.0;
    double rfHi = 0.0;
};

SpurEdges EdgesAt(double ifCentre, double ifBw, double rfBw);

enum class RefBand { kIf, kRf };

inline bool AsksAbout(Against against, RefBand x) {
    return against == Against::kBoth || (x == RefBand::kIf) == (against == Against::kIf);
}

/// f1 from the harmonic band and f2 from the reference band fold together when f1 - f2
/// (kDifference) or f1 + f2 (kSum) is a whole multiple of Fs.
enum class Fold { kDifference, kSum };

/// "Some multiple k * Fs lies in [lo, hi]", k >= 1, or k >= 0 when zeroCounts.
struct MultipleWindow {
    double lo = 0.0;
    double hi = 0.0;
    bool zeroCounts = true;
};

/// Harmonic n (>= 2) against band x widened by margin on each side.
MultipleWindow HarmonicWindow(const SpurEdges& e, int n, RefBand x, Fold fold, double margin);

/// The IF band straddles a multiple of Fs/2: some k * Fs (k >= 1) lies in [2 ifLo, 2 ifHi].
MultipleWindow SelfFoldWindow(const SpurEdges& e);

/// Whether an allowed multiple of fs lies in the window, products rounded as doubles.
/// False for fs not in (0, inf) and for an empty or NaN window.
bool MultipleInWindow(const MultipleWindow& w, double fs);

/// The same for one multiple k (a whole number >= 0).
inline bool MultipleInWindowAt(const MultipleWindow& w, double fs, double k) {
    const double m = k * fs;
    return w.lo <= m && m <= w.hi;
}

/// The smallest widening of the window on both sides at which an allowed multiple of fs
/// lies in it: 0 when one already does. NaN for fs not in (0, inf) or a NaN window.
double WindowDistance(const MultipleWindow& w, double fs);

}  // namespace quorvel
