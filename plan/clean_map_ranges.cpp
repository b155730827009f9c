#include "plan/clean_map_ranges.h"

#include <cmath>

#include "plan/slider_rules.h"

namespace quorvel {

namespace {

// Where nothing better is known: the slider's own Fs scale, and an IF up to half of it.
constexpr FrequencyInterval kFallbackFs{1, 2000};

bool Usable(FrequencyInterval range) {
    return std::isfinite(range.lo) && std::isfinite(range.hi) && range.lo < range.hi &&
           std::abs(range.lo) < kFinderFrequencyLimit && std::abs(range.hi) < kFinderFrequencyLimit;
}

}  // namespace

CleanMapRanges DefaultCleanMapRanges(const PlanFields& plan) {
    const SliderSetup slider = *SliderSetupFor(plan, kSliderDrivesFs);
    FrequencyInterval fs{static_cast<double>(slider.minimum), static_cast<double>(slider.maximum)};
    if (!Usable(fs)) {
        // The slider's whole-MHz ends can meet (an Fs below 1 MHz): the unrounded span.
        fs = HalfToTwice(plan.m_fs);
    }
    if (!Usable(fs) || fs.lo < 0) {
        fs = kFallbackFs;
    }
    const double half = plan.m_fs / 2;
    // An IF band above Fs/2 would sit off a map that stops at Fs/2: reach up to it.
    const double top = plan.m_if - plan.m_ifBw / 2 > half ? plan.m_if + plan.m_ifBw : half;
    FrequencyInterval ifc{0, top};
    if (!Usable(ifc)) {
        ifc = {0, fs.hi / 2};
    }
    return {fs, ifc};
}

}  // namespace quorvel
