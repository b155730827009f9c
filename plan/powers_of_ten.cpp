#include "plan/powers_of_ten.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr int kLeast = -324;  // 1e-324 is nearer 0 than the least subnormal
constexpr int kMost = 308;

// Each power read from its decimal text: reading is exact, so each is the nearest double.
std::array<double, kMost - kLeast + 1> MakePowers() {
    std::array<double, kMost - kLeast + 1> powers{};
    for (int k = kLeast; k <= kMost; ++k) {
        const std::string text = "1e" + std::to_string(k);
        double& power = powers[static_cast<std::size_t>(k - kLeast)];
        const auto result = std::from_chars(text.data(), text.data() + text.size(), power);
        if (result.ec != std::errc{}) {
            power = 0;  // below the least subnormal
        }
    }
    return powers;
}

}  // namespace

double PowerOfTen(int k) {
    static const auto powers = MakePowers();
    if (k < kLeast) {
        return 0;
    }
    if (k > kMost) {
        return std::numeric_limits<double>::infinity();
    }
    return powers[static_cast<std::size_t>(k - kLeast)];
}

double DecimalExponent(double x) {
    if (std::isnan(x) || x < 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (x == 0 || std::isinf(x)) {
        return x == 0 ? -std::numeric_limits<double>::infinity() : x;
    }
    // log10(2) times the binary exponent lands within one of the answer.
    int binary = 0;
    std::frexp(x, &binary);
    constexpr double kLog10Of2 = 0.30102999566398120;
    int k = TruncToInt(std::floor((binary - 1) * kLog10Of2));
    while (k < kMost && PowerOfTen(k + 1) <= x) {
        ++k;
    }
    while (k > kLeast && PowerOfTen(k) > x) {
        --k;
    }
    return k;
}

}  // namespace quorvel
