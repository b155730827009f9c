// Integer pixel arithmetic that cannot overflow: positions derived from extreme plan values
// may sit at the ends of the int range, and adding a margin to them must stay defined.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quorvel {

inline int SaturateToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

inline int AddPixels(int a, int b) {
    return SaturateToInt(std::int64_t{a} + b);
}

inline int SubtractPixels(int a, int b) {
    return SaturateToInt(std::int64_t{a} - b);
}

}  // namespace quorvel
