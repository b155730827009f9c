// The one conversion from double to int used everywhere: truncation toward zero,
// defined for every double.
#pragma once

namespace quorvel {

/// Truncates toward zero (368.64 -> 368, -0.5 -> 0). NaN gives 0; values beyond the int
/// range saturate to INT_MIN or INT_MAX. Never undefined behaviour.
int TruncToInt(double v) noexcept;

}  // namespace quorvel
