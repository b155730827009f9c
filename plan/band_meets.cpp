#include "plan/band_meets.h"

#include <algorithm>
#include <cmath>

#include "plan/reference_bands.h"

namespace quorvel {

bool ClosedIntervalsMeet(double a, double b, double c, double d) {
    if (std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d)) {
        return false;
    }
    return std::max(a, b) >= std::min(c, d) && std::min(a, b) <= std::max(c, d);
}

void ComputeHarmonicMeets(const PlanFields& plan, const HarmonicBandTable& bands,
                          HarmonicMeetsTable& table) {
    const HarmonicBand ifImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_ifBw);
    const HarmonicBand rfImage = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_rfBw);
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        const auto i = static_cast<std::size_t>(n);
        const HarmonicBand& band = bands[i];
        table[i] = {ClosedIntervalsMeet(band.lo, band.hi, ifImage.lo, ifImage.hi),
                    ClosedIntervalsMeet(band.lo, band.hi, rfImage.lo, rfImage.hi)};
    }
}

}  // namespace quorvel
