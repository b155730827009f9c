// How the slider and the plan drive each other: range and position for the field the
// slider takes over, and what a reported slider position does to the plan.
#pragma once

#include <optional>

#include "plan/plan_fields.h"
#include "plan/spur_query.h"

namespace quorvel {

/// The range and position the program gives the slider when it takes over a field.
/// The range is kept as computed, even when its minimum exceeds its maximum.
struct SliderSetup {
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    friend bool operator==(const SliderSetup&, const SliderSetup&) = default;
};

/// Half to twice `value`, lower end first (a negative value gives 2v..v/2; NaN gives NaN
/// ends): the span around a value that the slider and the clean map fall back to when
/// their usual range does not hold it.
FrequencyInterval HalfToTwice(double value);

/// Fs driven: range trunc(2 x IF)..2000, position trunc(Fs). IF driven: range
/// 0..trunc(Fs / 2), position trunc(IF). Where that range does not hold the position
/// (or is empty), trunc of HalfToTwice(value) instead, so the range always holds the
/// position. Any other variable: nothing (the slider keeps its range and position).
std::optional<SliderSetup> SliderSetupFor(const PlanFields& plan, int sliderVariable);

/// Where the slider control puts a requested position: clamped to the nearer end of its
/// range. A range whose minimum exceeds its maximum holds the minimum only, as Qt's
/// slider does.
int ClampSliderPosition(int position, int minimum, int maximum);

/// The position a slider set up with `setup` reports.
inline int ReportedSliderPosition(const SliderSetup& setup) {
    return ClampSliderPosition(setup.position, setup.minimum, setup.maximum);
}

// The window keeps beside the plan the slider position it last acted upon
// (`lastSliderPos`) and the marker point (`markerX`, `markerY`; x 0: none); the rules below
// read and write them in place.

/// Dialog start-up: the slider drives Fs, no marker, and the remembered position is the
/// one the slider reports once set up (clamped to its range), so the first poll leaves the
/// start values as given, fractions included. Returns the slider's setup.
SliderSetup InitialiseSliderState(PlanFields& plan, int& lastSliderPos, int& markerX, int& markerY);

/// A slider poll with the position the slider reports. When it differs from the
/// remembered one, the driven field (if any) takes it as a whole number of MHz, the
/// marker is cleared and the position is remembered; returns true, and the caller then
/// writes the fields back and redraws. An unchanged position changes nothing.
bool ApplySliderPosition(PlanFields& plan, int& lastSliderPos, int& markerX, int& markerY,
                         int reportedPosition);

/// Caps the harmonic count as the paint does before drawing: above 26 becomes 26.
inline void ApplyHarmonicCap(PlanFields& plan) {
    if (plan.m_harmonics > kHarmonicCap) {
        plan.m_harmonics = kHarmonicCap;
    }
}

}  // namespace quorvel
