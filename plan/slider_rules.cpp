#include "plan/slider_rules.h"

#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr int kFsSliderMaximum = 2000;

// A slider whose range missed the value it takes over would pull that value to a range end
// at the next poll (an under-sampled plan lost its Fs that way): the range moves to the value
// instead. Truncation is monotonic, so trunc(value) lies within the truncated ends.
SliderSetup Reaching(int minimum, int maximum, double value) {
    const int position = TruncToInt(value);
    if (minimum <= position && position <= maximum) {
        return {minimum, maximum, position};
    }
    const FrequencyInterval around = HalfToTwice(value);
    return {TruncToInt(around.lo), TruncToInt(around.hi), position};
}

}  // namespace

FrequencyInterval HalfToTwice(double value) {
    const double half = value / 2;
    const double twice = value * 2;
    return twice < half ? FrequencyInterval{twice, half} : FrequencyInterval{half, twice};
}

std::optional<SliderSetup> SliderSetupFor(const PlanFields& plan, int sliderVariable) {
    if (sliderVariable == kSliderDrivesFs) {
        return Reaching(TruncToInt(2 * plan.m_if), kFsSliderMaximum, plan.m_fs);
    }
    if (sliderVariable == kSliderDrivesIf) {
        return Reaching(0, TruncToInt(plan.m_fs / 2), plan.m_if);
    }
    return std::nullopt;
}

int ClampSliderPosition(int position, int minimum, int maximum) {
    if (maximum < minimum) {
        return minimum;
    }
    if (position < minimum) {
        return minimum;
    }
    if (position > maximum) {
        return maximum;
    }
    return position;
}

SliderSetup InitialiseSliderState(PlanFields& plan, int& lastSliderPos, int& markerX,
                                  int& markerY) {
    const SliderSetup setup = *SliderSetupFor(plan, kSliderDrivesFs);
    // Remembering the position as the slider reports it keeps the start values as given,
    // fractions included, at the first poll.
    lastSliderPos = ReportedSliderPosition(setup);
    plan.m_sliderVariable = kSliderDrivesFs;
    markerX = 0;
    markerY = 0;
    return setup;
}

bool ApplySliderPosition(PlanFields& plan, int& lastSliderPos, int& markerX, int& markerY,
                         int reportedPosition) {
    if (reportedPosition == lastSliderPos) {
        return false;
    }
    if (plan.m_sliderVariable == kSliderDrivesFs) {
        plan.m_fs = reportedPosition;
    } else if (plan.m_sliderVariable == kSliderDrivesIf) {
        plan.m_if = reportedPosition;
    }
    markerX = 0;
    markerY = 0;
    lastSliderPos = reportedPosition;
    return true;
}

}  // namespace quorvel
