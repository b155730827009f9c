#include "plan/nyquist_zones.h"

#include <algorithm>
#include <cmath>

#include "plan/harmonic_band.h"

namespace quorvel {

std::optional<NyquistZoneSpan> HarmonicZoneSpan(double fs, double ifCentre, double ifBw, int n) {
    if (!(fs > 0)) {
        return std::nullopt;
    }
    // The fold's own wrap and reflection counts, so the span and the image always agree on
    // whether the band straddles a fold point.
    const HarmonicFold f = FoldHarmonicBandTraced(fs, ifCentre, ifBw, n);
    if (std::isnan(f.band.lo) || std::isnan(f.band.hi) || std::isinf(f.wrapsLo) ||
        std::isinf(f.wrapsHi)) {
        return std::nullopt;
    }
    const double zoneLo = f.wrapsLo * 2 + f.reflectionsLo + 1;
    const double zoneHi = f.wrapsHi * 2 + f.reflectionsHi + 1;
    // A negative width puts the lower edge in the higher zone.
    return NyquistZoneSpan{std::min(zoneLo, zoneHi), std::max(zoneLo, zoneHi)};
}

}  // namespace quorvel
