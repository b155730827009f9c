// Numbers as the user types and reads them: written in the shortest plain form that shows
// the value, read in the C locale whatever the user's locale is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

/// "%.15g" in the C locale: 737.28, 20, 184, 1e+300.
std::string FormatPlanNumber(double value);

/// "%d".
std::string FormatPlanInteger(int value);

/// The shortest decimal text that reads back to the same double ("nan" for a NaN).
std::string ShortestNumberText(double value);

/// printf's "%.<decimals>f" in the C locale, for chart labels and readouts.
std::string FormatFixed(double value, int decimals);

/// A label for a tick at `value` on an axis ticked every `step`: as many decimals as the
/// step needs (at most 9); where that runs past 10 characters (values near 1e99, steps of
/// 1e-12), the shorter of it and the digits that tell the ticks apart, at most 15, with a
/// bare exponent: "1e99", "-2.5e12", "1e-13".
std::string FormatTickLabel(double value, double step);

/// Reads a finite double: surrounding blanks, an optional sign, digits with an optional
/// decimal point, an optional exponent. Anything else ("nan", "inf", hexadecimal, an empty
/// text, a value too large for a double) does not convert. Values too small for a double
/// read as zero or subnormal, as printf would have shown them. The length of the text
/// does not matter: 0.000...0001 reads as its short form 1e-401 does.
std::optional<double> ParsePlanNumber(std::string_view text);

/// Reads an int: surrounding blanks, an optional sign, decimal digits, within int range.
std::optional<int> ParsePlanInteger(std::string_view text);

}  // namespace quorvel
