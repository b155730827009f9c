// Text a user might put in an edit field, from the plainly sensible to the absurd: whole
// and decimal numbers, signs, exponents, blanks, numbers beyond a double's range in both
// directions, non-finite spellings, int limits, full-precision decimals and junk.
#pragma once

#include <QString>
#include <random>

namespace quorvel::test {

/// One random field text drawn from `rng`; the same sequence of draws gives the same text.
QString RandomFieldText(std::mt19937& rng);

/// Quotes `text` for a log line, with control characters and non-ASCII escaped, so a
/// failing sequence can be read and replayed.
std::string QuoteForLog(const QString& text);

}  // namespace quorvel::test
