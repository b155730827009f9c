// The one conversion from double to int used everywhere: truncation toward zero,
// defined for every double. Inline: the clean map converts two ends for every interval.
#pragma once

#include <limits>

namespace quorvel {

/// Truncates toward zero (368.64 -> 368, -0.5 -> 0). NaN gives 0; values beyond the int
/// range saturate to INT_MIN or INT_MAX. Never undefined behaviour.
inline int TruncToInt(double v) noexcept {
    // Every double strictly between these two truncates to a representable int.
    constexpr double kAboveMax = 2147483648.0;   // INT_MAX + 1
    constexpr double kBelowMin = -2147483649.0;  // INT_MIN - 1
    if (v > kBelowMin && v < kAboveMax) {
        return static_cast<int>(v);
    }
    if (v >= kAboveMax) {
        return std::numeric_limits<int>::max();
    }
    if (v <= kBelowMin) {
        return std::numeric_limits<int>::min();
    }
    return 0;  // NaN
}

}  // namespace quorvel
