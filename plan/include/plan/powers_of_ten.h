// Powers of ten and decades exactly, the same on every system: a C runtime's pow and log10
// may be off by an ulp, and a tick step or a label's decimals with them.
#pragma once

namespace quorvel {

/// The double nearest 10^k: 0 below 1e-324, infinity above 1e308.
double PowerOfTen(int k);

/// The k with PowerOfTen(k) <= x < PowerOfTen(k + 1), for x > 0, as a double; -infinity
/// for 0, infinity for infinity, NaN for NaN or a negative x (as floor(log10(x)) gives).
double DecimalExponent(double x);

}  // namespace quorvel
