// What the clean-frequency finder was last asked, kept with a plan so that it can be asked
// again. Each setting may be absent: a plan file need not carry any of them.
#pragma once

#include <optional>

#include "plan/spur_query.h"

namespace quorvel {

/// The finder's settings; an empty optional means "not set". A range is lo < hi.
struct FinderSettings {
    std::optional<FrequencyInterval> fsRange;  ///< Fs range searched, MHz
    std::optional<FrequencyInterval> ifRange;  ///< IF range searched, MHz
    std::optional<Against> against;
    std::optional<double> margin;  ///< guard margin in MHz, >= 0

    bool Empty() const { return !fsRange && !ifRange && !against && !margin; }

    friend bool operator==(const FinderSettings&, const FinderSettings&) = default;
};

}  // namespace quorvel
