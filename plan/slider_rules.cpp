#include "plan/slider_rules.h"

#include "plan/truncate.h"

namespace quorvel {

namespace {
constexpr int kFsSliderMaximum = 2000;
}

std::optional<SliderSetup> SliderSetupFor(const PlanFields& plan, int sliderVariable) {
    if (sliderVariable == kSliderDrivesFs) {
        SliderSetup s;
        s.position = TruncToInt(plan.m_fs);
        s.minimum = TruncToInt(2 * plan.m_if);
        s.maximum = kFsSliderMaximum;
        return s;
    }
    if (sliderVariable == kSliderDrivesIf) {
        SliderSetup s;
        s.minimum = 0;
        s.maximum = TruncToInt(plan.m_fs / 2);
        s.position = TruncToInt(plan.m_if);
        return s;
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

SliderSetup InitialiseSliderState(PlanFields& plan) {
    const SliderSetup setup = *SliderSetupFor(plan, kSliderDrivesFs);
    // Remembering the position as the slider holds it, clamped, keeps a start value
    // outside the range as given instead of pulling it in at the first poll.
    plan.m_lastSliderPos = ReportedSliderPosition(setup);
    plan.m_sliderVariable = kSliderDrivesFs;
    plan.m_markerX = 0;
    plan.m_markerY = 0;
    return setup;
}

bool ApplySliderPosition(PlanFields& plan, int reportedPosition) {
    if (reportedPosition == plan.m_lastSliderPos) {
        return false;
    }
    if (plan.m_sliderVariable == kSliderDrivesFs) {
        plan.m_fs = reportedPosition;
    } else if (plan.m_sliderVariable == kSliderDrivesIf) {
        plan.m_if = reportedPosition;
    }
    plan.m_markerX = 0;
    plan.m_markerY = 0;
    plan.m_lastSliderPos = reportedPosition;
    return true;
}

}  // namespace quorvel
