// The plan: the handful of values the user edits and every chart is drawn from.
// Plain data; the main dialog owns one and every paint reads it afresh. What the window
// shows beside it (the slider's last position, the marker) is the window's own.
#pragma once

namespace quorvel {

/// Which plan field the slider drives (the selector's index as reported; any other value
/// means the slider drives nothing).
inline constexpr int kSliderDrivesFs = 0;
inline constexpr int kSliderDrivesIf = 1;

/// The highest harmonic count that is ever drawn; the paint lowers larger counts to it.
inline constexpr int kHarmonicCap = 26;

/// The plan fields, named and defaulted as the dialog knows them. Frequencies in MHz.
/// Nothing keeps them within a range: the readers apply their own limits.
struct PlanFields {
    double m_fs = 737.28;   ///< sample rate Fs
    double m_if = 184.32;   ///< centre of the IF band
    double m_ifBw = 20.0;   ///< full width of the IF band
    int m_harmonics = 15;   ///< H, the highest harmonic shown
    double m_rfBw = 100.0;  ///< full width of the RF band, centred on the IF
    int m_sliderVariable = kSliderDrivesFs;

    friend bool operator==(const PlanFields&, const PlanFields&) = default;
};

/// The highest harmonic that is drawn, tabled and judged: H, lowered to the cap.
inline int HighestDrawnHarmonic(const PlanFields& plan) {
    return plan.m_harmonics < kHarmonicCap ? plan.m_harmonics : kHarmonicCap;
}

/// From this many multiples of Fs on, neighbouring whole numbers are no longer all
/// doubles: adding 1 to a count may leave it where it was.
inline constexpr double kWholeDoubleLimit = 4503599627370496.0;  // 2^52

}  // namespace quorvel
