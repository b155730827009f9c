// What the clean-frequency finder was last asked, kept with a plan so that it can be asked
// again. Each setting may be absent: a plan file need not carry any of them.
#pragma once

#include <optional>

namespace quorvel {

/// Which band a plan must keep clear of harmonics.
enum class CleanAgainst { kIf, kRf, kBoth };

/// A closed range of frequencies in MHz, min < max.
struct FrequencyRange {
    double min = 0.0;
    double max = 0.0;

    friend bool operator==(const FrequencyRange&, const FrequencyRange&) = default;
};

/// The finder's settings; an empty optional means "not set".
struct FinderSettings {
    std::optional<FrequencyRange> fsRange;  ///< Fs range searched, MHz
    std::optional<FrequencyRange> ifRange;  ///< IF range searched, MHz
    std::optional<CleanAgainst> against;
    std::optional<double> margin;  ///< guard margin in MHz, >= 0

    bool Empty() const { return !fsRange && !ifRange && !against && !margin; }

    friend bool operator==(const FinderSettings&, const FinderSettings&) = default;
};

}  // namespace quorvel
