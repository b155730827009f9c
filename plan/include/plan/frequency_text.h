// A frequency as an engineer types it: a number of MHz, or a number with its unit (Hz,
// kHz, MHz, GHz, or a sample rate in S/s, kS/s, MS/s, GS/s or sps), or a product or
// quotient of such numbers ("245.76*12", "3e3/4", "2.4 GHz/2").
#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

/// The value in MHz, or nothing when the text does not convert. A plain number reads
/// exactly as ParsePlanNumber reads it. Units are case-insensitive, with or without a space
/// before them; at most one factor carries a unit, and not a divisor. A result that is not
/// finite (a division by zero, an overflow) does not convert either.
std::optional<double> ParseFrequencyText(std::string_view text);

}  // namespace quorvel
