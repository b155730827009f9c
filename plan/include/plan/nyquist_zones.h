// Which Nyquist zones a harmonic of the IF band occupies before it is folded: zone k is
// (k - 1) x Fs/2 .. k x Fs/2, the first being 0..Fs/2.
#pragma once

#include <optional>

namespace quorvel {

/// The lowest and highest zone the n-fold band reaches, as the fold counts them: an edge
/// exactly on a fold point belongs to the zone below it, and an edge below 0, which the
/// fold leaves where it is, counts in the first zone. Whole numbers, held as doubles
/// because an absurd plan can reach zones beyond any int.
struct NyquistZoneSpan {
    double first = 1;
    double last = 1;
    friend bool operator==(const NyquistZoneSpan&, const NyquistZoneSpan&) = default;
};

/// The zones of harmonic n of the band ifCentre +- ifBw/2 at sample rate fs. Empty when
/// fs is not above 0 or an edge has no image (it folds to NaN).
std::optional<NyquistZoneSpan> HarmonicZoneSpan(double fs, double ifCentre, double ifBw, int n);

}  // namespace quorvel
