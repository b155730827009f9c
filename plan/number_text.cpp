#include "plan/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "plan/powers_of_ten.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Splits off an optional sign; returns true for a minus.
bool TakeSign(std::string_view& s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        const bool negative = s.front() == '-';
        s.remove_prefix(1);
        return negative;
    }
    return false;
}

std::size_t CountDigits(std::string_view s, std::size_t from) {
    std::size_t i = from;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    return i - from;
}

// digits [. digits] | . digits, then optionally e|E [sign] digits, and nothing else.
bool IsDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    const std::size_t intDigits = CountDigits(s, i);
    i += intDigits;
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        fracDigits = CountDigits(s, i);
        i += fracDigits;
    }
    if (intDigits + fracDigits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        const std::size_t expDigits = CountDigits(s, i);
        if (expDigits == 0) {
            return false;
        }
        i += expDigits;
    }
    return i == s.size();
}

// The power of ten of the leading digit of a well-formed decimal (-1 for 0.5, 2 for 250,
// -401 for 1e-401), saturated far beyond any double's range. Zero counts as below one.
long long DecimalExponent(std::string_view s) {
    constexpr long long kFar = 1'000'000'000'000LL;
    const std::size_t e = std::min(s.find_first_of("eE"), s.size());
    const std::string_view mantissa = s.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t lead = mantissa.find_first_not_of("0.");
    if (lead == std::string_view::npos) {
        return -kFar;
    }
    long long exponent = lead < point ? static_cast<long long>(point - lead) - 1
                                      : -static_cast<long long>(lead - point);
    if (e < s.size()) {
        std::string_view digits = s.substr(e + 1);
        const bool minus = TakeSign(digits);
        long long given = 0;
        for (const char c : digits) {
            given = std::min(kFar, given * 10 + (c - '0'));
        }
        exponent += minus ? -given : given;
    }
    return exponent;
}

}  // namespace

std::string FormatPlanNumber(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    if (std::isfinite(value) && !ParsePlanNumber(text)) {
        // Within rounding of the largest double the 15-digit form lies beyond it and would
        // not read back: show the shortest form that does instead.
        const auto exact = std::to_chars(buffer, buffer + sizeof buffer, value);
        text.assign(buffer, exact.ptr);
    }
    return text;
}

std::string FormatPlanInteger(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ShortestNumberText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::string FormatTickLabel(double value, double step) {
    constexpr std::size_t kLongestFixedLabel = 10;
    constexpr int kMostDigits = 15;
    if (value == 0) {
        value = 0;  // a tick at zero reads "0", from whichever side it was reached
    }
    const double stepDecade = DecimalExponent(step);
    const int decimals = std::clamp(TruncToInt(-stepDecade), 0, 9);
    std::string fixed = FormatFixed(value, decimals);
    if (fixed.size() <= kLongestFixedLabel) {
        return fixed;
    }
    const double valueDecade = DecimalExponent(std::fabs(value));
    const int digits = std::clamp(TruncToInt(valueDecade - stepDecade + 1), 1, kMostDigits);
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    std::string compact(buffer.data(), result.ptr);
    // The "e+99" of printf's style says nothing "e99" does not.
    if (const auto e = compact.find('e'); e != std::string::npos) {
        std::size_t digit = e + 1;
        if (compact[digit] == '+') {
            compact.erase(digit, 1);
        } else if (compact[digit] == '-') {
            ++digit;
        }
        while (digit + 1 < compact.size() && compact[digit] == '0') {
            compact.erase(digit, 1);
        }
    }
    return compact.size() < fixed.size() ? compact : fixed;
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];  // the longest finite double in fixed notation fits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return "?";
    }
    return std::string(buffer, result.ptr);
}

std::optional<double> ParsePlanNumber(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    const bool negative = TakeSign(s);
    if (!IsDecimalNumber(s)) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the largest double or below the smallest subnormal; only the latter reads,
        // as zero, however many digits spell it.
        if (DecimalExponent(s) >= 0) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (result.ec != std::errc{} || result.ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<int> ParsePlanInteger(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    const bool negative = TakeSign(s);
    if (s.empty() || CountDigits(s, 0) != s.size()) {
        return std::nullopt;
    }
    long long magnitude = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace quorvel
