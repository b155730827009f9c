// How strong each spur is, as a datasheet gives it: the signal's level in dBFS, the
// harmonics', images' and clock sidebands' levels in dBc by order, the offset tones' in
// dBFS, and a floor below which a spur does not count. A level not given is unknown, and an
// unknown level always counts: a missing datasheet number never makes a plan look clean.
#pragma once

#include <optional>
#include <vector>

namespace quorvel {

/// Levels are finite and from -200 to 0, in dBFS and dBc alike.
inline constexpr double kLowestLevel = -200.0;
inline constexpr double kHighestLevel = 0.0;
/// A list of levels by order holds at most this many.
inline constexpr int kMaxLevelList = 26;

inline bool ValidLevel(double level) {
    return level >= kLowestLevel && level <= kHighestLevel;
}

struct SpurLevels {
    double signal = -1.0;           ///< Ls, dBFS
    std::vector<double> harmonics;  ///< dBc of H2, H3, ... in order
    std::vector<double> images;     ///< dBc of interleaving images by order from 1
    std::optional<double> offset;   ///< dBFS of every offset tone
    std::vector<double> sidebands;  ///< dBc of clock sidebands by order from 1
    std::optional<double> floor;    ///< dBc; a spur counts only above it

    friend bool operator==(const SpurLevels&, const SpurLevels&) = default;
};

/// Entry `order - first` of `list`, when the list holds it.
inline std::optional<double> LevelByOrder(const std::vector<double>& list, int order, int first) {
    const long i = static_cast<long>(order) - first;
    if (i < 0 || i >= static_cast<long>(list.size())) {
        return std::nullopt;
    }
    return list[static_cast<std::size_t>(i)];
}

}  // namespace quorvel
