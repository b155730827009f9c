#include "plan/reference_bands.h"

#include <algorithm>
#include <cmath>

#include "plan/number_text.h"

namespace quorvel {

namespace {

bool HasImage(const HarmonicBand& band) {
    return !std::isnan(band.lo) && !std::isnan(band.hi);
}

}  // namespace

HarmonicBand FirstZoneImage(double fs, double centre, double width) {
    return FoldHarmonicBand(fs, centre, width, 1);
}

ChartReferences PlaceChartReferences(const PlanFields& plan) {
    ChartReferences refs;
    // The same expressions the charts have always drawn with, so such plans keep their pixels.
    refs.ifLo = plan.m_if - plan.m_ifBw / 2.0;
    refs.ifHi = plan.m_ifBw / 2.0 + plan.m_if;
    refs.rfLo = plan.m_if - plan.m_rfBw / 2.0;
    refs.rfHi = plan.m_rfBw / 2.0 + plan.m_if;
    if (!(refs.ifLo > plan.m_fs / 2.0)) {
        return refs;
    }
    const HarmonicBand ifImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_ifBw);
    const HarmonicBand rfImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_rfBw);
    if (!HasImage(ifImage) || !HasImage(rfImage)) {
        return refs;
    }
    refs.atImages = true;
    refs.ifLo = std::min(ifImage.lo, ifImage.hi);
    refs.ifHi = std::max(ifImage.lo, ifImage.hi);
    refs.rfLo = std::min(rfImage.lo, rfImage.hi);
    refs.rfHi = std::max(rfImage.lo, rfImage.hi);
    return refs;
}

std::string NyquistZoneNote(const PlanFields& plan) {
    const HarmonicFold f = FoldHarmonicBandTraced(plan.m_fs, plan.m_if, plan.m_ifBw, 1);
    if (!HasImage(f.band) || std::isnan(f.zoneGap)) {
        return {};
    }
    // Zone k has index k - 1; a negative width puts the lower edge in the higher zone.
    const double zoneLo = f.wrapsLo * 2 + f.reflectionsLo + 1;
    const double zoneHi = f.wrapsHi * 2 + f.reflectionsHi + 1;
    if (f.zoneGap != 0) {
        return "IF band spans Nyquist zones " + FormatFixed(std::min(zoneLo, zoneHi), 0) + " to " +
               FormatFixed(std::max(zoneLo, zoneHi), 0);
    }
    const bool inverted = std::fmod(zoneLo, 2.0) == 0;
    return "IF band in Nyquist zone " + FormatFixed(zoneLo, 0) + ", spectrum " +
           (inverted ? "inverted" : "upright");
}

}  // namespace quorvel
