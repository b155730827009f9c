// Each way a harmonic of the IF band can land on a reference band, written as one window
// that some whole multiple of Fs must fall into. Both the point verdict and the interval
// finder evaluate these, in this one order of operations, so they agree to the last bit.
#pragma once

#include <vector>

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
    double ifHalf = 0.0;  ///< the half widths, as the edges were made from them
    double rfHalf = 0.0;
};

SpurEdges EdgesAt(double ifCentre, double ifBw, double rfBw);

enum class RefBand { kIf, kRf };

inline bool AsksAbout(Against against, RefBand x) {
    return against == Against::kBoth || (x == RefBand::kIf) == (against == Against::kIf);
}

/// f1 from the harmonic band and f2 from the reference band fold together when f1 - f2
/// (kDifference) or f1 + f2 (kSum) is a whole multiple of Fs.
enum class Fold { kDifference, kSum };

/// "Some lattice point lies in [lo, hi]": the points are j * Fs / period for the whole
/// numbers j = residue + t * period, t = 0, 1, ..., j >= 1, or j >= 0 when zeroCounts. With
/// period 1 these are the multiples k * Fs, k >= 1 (or >= 0). A lattice with negative j
/// is two windows: its mirror [-hi, -lo] takes the negative points as positive ones.
struct MultipleWindow {
    double lo = 0.0;
    double hi = 0.0;
    bool zeroCounts = true;
    int period = 1;   ///< M: the points step Fs / M apart within a period
    int residue = 0;  ///< 0 <= residue < period
};

/// The t-th point of the window's lattice at fs, rounded as the verdict rounds it.
inline double LatticePoint(const MultipleWindow& w, double fs, double t) {
    return w.period == 1 ? t * fs : ((w.residue + t * w.period) * fs) / w.period;
}

/// The real t at which the lattice reaches v for this fs (not rounded to a whole number).
inline double LatticeIndex(const MultipleWindow& w, double v, double fs) {
    return w.period == 1 ? v / fs : ((v * w.period) / fs - w.residue) / w.period;
}

/// The fs at which point t stands at v: v * period / (residue + t * period).
inline double LatticeFs(const MultipleWindow& w, double v, double t) {
    return w.period == 1 ? v / t : (v * w.period) / (w.residue + t * w.period);
}

/// The first t whose point is positive; t = 0 is the point 0 itself when residue is 0.
inline double FirstPositiveIndex(const MultipleWindow& w) {
    return w.residue == 0 ? 1 : 0;
}

/// Harmonic n (>= 2) against band x widened by margin on each side.
MultipleWindow HarmonicWindow(const SpurEdges& e, int n, RefBand x, Fold fold, double margin);

/// The IF band straddles a multiple of Fs/2: some k * Fs (k >= 1) lies in [2 ifLo, 2 ifHi].
MultipleWindow SelfFoldWindow(const SpurEdges& e);

/// What makes a window, and how it moves with the IF. The verdict, the distances and the
/// finder's rows take every window from `SpurWindowsOf` and file what they find by its
/// harmonic and band, or by its modelled member: a family is a source here, not another
/// loop there.
struct SpurWindowSource {
    int harmonic = 0;  ///< 2..26; kSelfFold (0) for the IF band folding onto itself;
                       ///< kModelled for a member of the converter model
    RefBand band = RefBand::kIf;
    Fold fold = Fold::kDifference;

    // A modelled member's window: the member's frequencies are `order` times the IF band
    // (an offset tone is order 0), or the fixed interval [toneLo, toneHi]; `shift` is added
    // to both ends, and the lattice is j * Fs / period with j = residue mod period.
    int modelled = -1;  ///< its index in ModelledMembersOf
    int order = 0;
    bool fixedTone = false;
    double toneLo = 0.0;
    double toneHi = 0.0;
    double shift = 0.0;
    int period = 1;
    int residue = 0;
    bool mirrored = false;  ///< the negative lattice points, as [-hi, -lo]

    static constexpr int kSelfFold = 0;
    static constexpr int kModelled = -1;
    bool SelfFold() const { return harmonic == kSelfFold; }
    bool Modelled() const { return harmonic == kModelled; }

    /// The window for the bands `e`, exactly as the point verdict computes it. The self
    /// fold takes no margin. A window that does not move with the IF (Slope() 0) is
    /// computed from the widths alone, so that it is the same at every IF to the bit.
    MultipleWindow At(const SpurEdges& e, double margin) const;
    /// The window's ends move with the IF at Slope() times its speed, Spread() either
    /// side of Slope() * IF + Offset() (as real numbers; the ends At() computes are rounded).
    double Slope() const;
    double Offset() const;
    double Spread(double ifBw, double rfBw, double margin) const;
    double SpreadOfHalves(double ifHalf, double rfHalf, double margin) const;
};

/// The self fold, then two bands and two folds for each harmonic 2..26.
inline constexpr int kMaxSpurWindows = 1 + 2 * 2 * (kHarmonicCap - 1);

/// A plan's windows, in a fixed order: the self fold first, then harmonics in increasing
/// order, the IF band before the RF band, the difference before the sum; then the modelled
/// members in ledger order, each likewise, a window before its mirror.
class SpurWindowList {
  public:
    SpurWindowList() { items_.reserve(kMaxSpurWindows); }
    void Add(const SpurWindowSource& source) { items_.push_back(source); }
    const SpurWindowSource* begin() const { return items_.data(); }
    const SpurWindowSource* end() const { return items_.data() + items_.size(); }
    int size() const { return static_cast<int>(items_.size()); }
    /// How many modelled members the windows come from.
    int modelledMembers() const { return modelledMembers_; }
    void SetModelledMembers(int count) { modelledMembers_ = count; }

  private:
    std::vector<SpurWindowSource> items_;
    int modelledMembers_ = 0;
};

/// Which members give windows: those that count (MemberCounts), as clean means, or every
/// member, as the table's flags and distances are geometric.
enum class Members { kCounting, kEvery };

/// The self fold and every window of harmonics 2..min(H, 26), then of the model's members,
/// against the bands `against` asks about.
SpurWindowList SpurWindowsOf(const PlanFields& plan, Against against, const SpurModel& model = {},
                             Members members = Members::kCounting);

/// True when every frequency of the model is finite and within kFinderFrequencyLimit.
bool ModelBounded(const SpurModel& model);

/// Whether an allowed lattice point lies in the window, products rounded as doubles.
/// False for fs not in (0, inf) and for an empty or NaN window.
bool MultipleInWindow(const MultipleWindow& w, double fs);

/// The same for the point t (a whole number >= 0).
inline bool MultipleInWindowAt(const MultipleWindow& w, double fs, double t) {
    const double m = LatticePoint(w, fs, t);
    return w.lo <= m && m <= w.hi;
}

/// The smallest widening of the window on both sides at which an allowed lattice point
/// lies in it: 0 when one already does. NaN for fs not in (0, inf) or a NaN window.
double WindowDistance(const MultipleWindow& w, double fs);

}  // namespace quorvel
