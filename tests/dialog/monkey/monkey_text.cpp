#include "monkey_text.h"

#include <QStringList>
#include <array>
#include <cstdio>
#include <string_view>

namespace quorvel::test {

namespace {

int Pick(std::mt19937& rng, int lowest, int highest) {
    return std::uniform_int_distribution<int>(lowest, highest)(rng);
}

bool Chance(std::mt19937& rng, double probability) {
    return std::bernoulli_distribution(probability)(rng);
}

template <std::size_t N>
QString PickOf(std::mt19937& rng, const std::array<std::string_view, N>& choices) {
    const std::string_view chosen = choices[static_cast<std::size_t>(Pick(rng, 0, N - 1))];
    return QString::fromUtf8(chosen.data(), static_cast<qsizetype>(chosen.size()));
}

QString Digits(std::mt19937& rng, int count) {
    QString digits;
    for (int i = 0; i < count; ++i) {
        digits += QChar(u'0' + Pick(rng, 0, 9));
    }
    return digits;
}

QString Blanks(std::mt19937& rng) {
    static constexpr std::array<std::string_view, 5> kBlanks{"", "", " ", "  ", "\t"};
    return PickOf(rng, kBlanks);
}

// Sign, digits, point, digits, exponent, each part there or not, between blanks.
QString NumberShape(std::mt19937& rng) {
    QString text = Blanks(rng);
    if (Chance(rng, 0.3)) {
        text += Chance(rng, 0.5) ? u'-' : u'+';
    }
    text += Digits(rng, Pick(rng, 0, 5));
    if (Chance(rng, 0.5)) {
        text += u'.';
        text += Digits(rng, Pick(rng, 0, 4));
    }
    if (Chance(rng, 0.25)) {
        text += Chance(rng, 0.5) ? u'e' : u'E';
        if (Chance(rng, 0.5)) {
            text += Chance(rng, 0.5) ? u'-' : u'+';
        }
        text += Digits(rng, Pick(rng, 0, 3));
    }
    return text + Blanks(rng);
}

// A value written to all seventeen significant digits: the display form shows fewer.
QString FullPrecision(std::mt19937& rng) {
    const double value = std::uniform_real_distribution<double>(-3000.0, 3000.0)(rng);
    std::array<char, 40> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.17g", value);
    return QString::fromLatin1(buffer.data());
}

QString Extreme(std::mt19937& rng) {
    static const QStringList kExtremes =
        QStringLiteral(
            "1e308 -1e308 1.7976931348623157e308 1e309 -1e400 1e-308 4.9e-324 "
            "2.2250738585072014e-308 1e-400 -0 0 0.0 2147483647 2147483648 "
            "-2147483648 -2147483649 26 27 1000000 2000 1e15 "
            "123456789012345678901234567890")
            .split(u' ');
    static constexpr std::array<std::string_view, 5> kLongParts{"9", "0", "1", "00", "5"};
    if (Chance(rng, 0.1)) {
        // Hundreds of digits: beyond a double, or a tiny value after "0.".
        const QString part = PickOf(rng, kLongParts).repeated(Pick(rng, 100, 400));
        return Chance(rng, 0.5) ? part : QStringLiteral("0.") + part + QStringLiteral("1");
    }
    return kExtremes[Pick(rng, 0, static_cast<int>(kExtremes.size()) - 1)];
}

QString NonFinite(std::mt19937& rng) {
    static constexpr std::array<std::string_view, 12> kSpellings{
        "nan", "NaN", "-nan", "inf", "-inf", "+INF", "infinity", "0x1p3", "1e", "-", ".", "+."};
    return PickOf(rng, kSpellings);
}

QString Junk(std::mt19937& rng) {
    static constexpr std::u16string_view kAlphabet =
        u" +-.eE0123456789,;abcxyz_/\t\u00b5\u0661\u00e9\u2212";
    QString text;
    const int length = Pick(rng, 1, 12);
    for (int i = 0; i < length; ++i) {
        text += QChar(kAlphabet[static_cast<std::size_t>(
            Pick(rng, 0, static_cast<int>(kAlphabet.size()) - 1))]);
    }
    return text;
}

QString Plausible(std::mt19937& rng) {
    const int whole = Pick(rng, 0, 2500);
    if (Chance(rng, 0.5)) {
        return QString::number(whole);
    }
    return QString::number(whole) + u'.' + Digits(rng, Pick(rng, 1, 3));
}

}  // namespace

QString RandomFieldText(std::mt19937& rng) {
    switch (Pick(rng, 0, 9)) {
        case 0:
        case 1:
            return Plausible(rng);
        case 2:
        case 3:
            return NumberShape(rng);
        case 4:
            return FullPrecision(rng);
        case 5:
        case 6:
            return Extreme(rng);
        case 7:
            return NonFinite(rng);
        case 8:
            return Junk(rng);
        default:
            return Chance(rng, 0.5) ? QString() : Blanks(rng);
    }
}

std::string QuoteForLog(const QString& text) {
    std::string quoted = "\"";
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
            quoted += static_cast<char>(unit);
        } else {
            std::array<char, 12> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", static_cast<unsigned>(unit));
            quoted += escaped.data();
        }
    }
    return quoted + "\"";
}

}  // namespace quorvel::test
