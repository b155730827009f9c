// Each way a harmonic of the IF band can land on a reference band, written as one window
// that some whole multiple of Fs must fall into. Both the point verdict and the interval
// finder evaluate these, in this one order of operations, so they agree to the last bit.
#pragma once

#include <array>

#include "plan/plan_fields.h"
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

/// What makes a window, and how it moves with the IF. The verdict, the distances and the
/// finder's rows take every window from `SpurWindowsOf` and file what they find by its
/// harmonic and band: another kind of spur is another source here, not another loop there.
struct SpurWindowSource {
    int harmonic = 0;  ///< 2..26; kSelfFold (0) for the IF band folding onto itself
    RefBand band = RefBand::kIf;
    Fold fold = Fold::kDifference;

    static constexpr int kSelfFold = 0;
    bool SelfFold() const { return harmonic == kSelfFold; }

    /// The window for the bands `e`, exactly as the point verdict computes it. The self
    /// fold takes no margin.
    MultipleWindow At(const SpurEdges& e, double margin) const;
    /// The window's ends move with the IF at Slope() times its speed, Spread() either
    /// side of Slope() * IF (as real numbers; the ends At() computes are rounded).
    double Slope() const;
    double Spread(double ifBw, double rfBw, double margin) const;
};

/// The self fold, then two bands and two folds for each harmonic 2..26.
inline constexpr int kMaxSpurWindows = 1 + 2 * 2 * (kHarmonicCap - 1);

/// A plan's windows, in a fixed order: the self fold first, then harmonics in increasing
/// order, the IF band before the RF band, the difference before the sum.
class SpurWindowList {
  public:
    void Add(const SpurWindowSource& source) {
        items_[static_cast<std::size_t>(count_++)] = source;
    }
    const SpurWindowSource* begin() const { return items_.data(); }
    const SpurWindowSource* end() const { return items_.data() + count_; }
    int size() const { return count_; }

  private:
    std::array<SpurWindowSource, kMaxSpurWindows> items_{};
    int count_ = 0;
};

/// The self fold and every window of harmonics 2..min(H, 26) against the bands `against`
/// asks about.
SpurWindowList SpurWindowsOf(const PlanFields& plan, Against against);

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
