// Where the IF and RF bands stand in the first Nyquist zone, the one both charts show and
// every harmonic's image lands in: the bands as typed, or their images when the IF band is
// sampled from a higher zone.
#pragma once

#include <string>

#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// The band centre - width/2 .. width/2 + centre as it shows in 0..Fs/2: its fold at
/// n = 1. A band within 0..Fs/2 is its own image, edges and bits.
HarmonicBand FirstZoneImage(double fs, double centre, double width);

/// The IF and RF bands where the charts draw them.
struct ChartReferences {
    /// Set when the IF band starts above Fs/2 and both bands have an image: each pair is
    /// then its image, low edge first. Otherwise each pair is the band as typed.
    bool atImages = false;
    double ifLo = 0;
    double ifHi = 0;
    double rfLo = 0;
    double rfHi = 0;
};

ChartReferences PlaceChartReferences(const PlanFields& plan);

/// The line the charts add when the references stand at their images: the IF band's
/// Nyquist zone (the first being 0..Fs/2) and whether its spectrum is inverted there, as
/// it is in every even zone. Empty when the IF band has no image.
std::string NyquistZoneNote(const PlanFields& plan);

}  // namespace quorvel
