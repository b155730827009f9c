#include "plan/frequency_text.h"

#include <array>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>

#include "plan/number_text.h"

namespace quorvel {

namespace {

// How a unit turns its number into MHz: divided by a power of ten below MHz, multiplied
// above, so that each is one correctly rounded operation.
struct Unit {
    const char* name;
    double divisor;
    double factor;
};

constexpr std::array<Unit, 12> kUnits{{
    {"hz", 1e6, 1},
    {"khz", 1e3, 1},
    {"mhz", 1, 1},
    {"ghz", 1, 1e3},
    {"s/s", 1e6, 1},
    {"ks/s", 1e3, 1},
    {"ms/s", 1, 1},
    {"gs/s", 1, 1e3},
    {"sps", 1e6, 1},
    {"ksps", 1e3, 1},
    {"msps", 1, 1},
    {"gsps", 1, 1e3},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

// One factor: a number and perhaps its unit. `united` tells whether it had one.
std::optional<double> Factor(std::string_view text, bool& united) {
    text = Trim(text);
    united = false;
    const std::string lower = Lower(text);
    for (const Unit& unit : kUnits) {
        const std::string_view name = unit.name;
        if (lower.size() > name.size() && lower.ends_with(name)) {
            const std::string_view digits = text.substr(0, text.size() - name.size());
            // "1e3ms/s" is 1e3 MS/s, but a unit must follow a number, not another letter.
            const char last = digits.empty() ? ' ' : digits.back();
            if (std::isalpha(static_cast<unsigned char>(last)) && last != 'e' && last != 'E') {
                continue;
            }
            const auto number = ParsePlanNumber(digits);
            if (!number) {
                continue;  // "msps" also ends in "sps"; only one reading converts
            }
            united = true;
            return *number / unit.divisor * unit.factor;
        }
    }
    return ParsePlanNumber(text);
}

// The next '*' or '/' from `start`, leaving the '/' of a unit "S/s" to its unit.
std::size_t NextOperator(std::string_view text, std::size_t start) {
    const auto isS = [&text](std::size_t i) {
        return i < text.size() && (text[i] == 's' || text[i] == 'S');
    };
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == '*' || (text[i] == '/' && !(i > 0 && isS(i - 1) && isS(i + 1)))) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<double> ParseFrequencyText(std::string_view text) {
    if (const auto plain = ParsePlanNumber(text)) {
        return plain;
    }
    // Factors joined by '*' and '/', read from the left.
    double value = 0;
    bool first = true;
    bool anyUnit = false;
    char op = '*';
    std::size_t start = 0;
    while (true) {
        const std::size_t at = NextOperator(text, start);
        bool united = false;
        const auto factor = Factor(text.substr(start, at - start), united);
        if (!factor || (united && (anyUnit || op == '/'))) {
            return std::nullopt;
        }
        anyUnit = anyUnit || united;
        value = first ? *factor : op == '*' ? value * *factor : value / *factor;
        first = false;
        if (at == std::string_view::npos) {
            break;
        }
        op = text[at];
        start = at + 1;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace quorvel
