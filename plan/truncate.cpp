#include "plan/truncate.h"

#include <limits>

namespace quorvel {

int TruncToInt(double v) noexcept {
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
