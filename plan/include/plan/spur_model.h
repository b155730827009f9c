// The converter's own spurs beyond the harmonics of the IF band: images and offset tones of
// an interleaved converter, sidebands of a spur on the sample clock, and interferers with
// their harmonics. Empty by default, and then every verdict is the harmonics' alone.
#pragma once

#include <string>
#include <vector>

#include "plan/plan_fields.h"
#include "plan/spur_levels.h"

namespace quorvel {

/// The most cores an interleaved converter is modelled with; 1 means not interleaved.
inline constexpr int kMaxInterleave = 64;
/// Image, sideband and interferer orders go as high as the harmonics are drawn.
inline constexpr int kMaxModelOrder = kHarmonicCap;
inline constexpr int kMaxInterferers = 8;

/// A signal outside the wanted band, centre - width/2 .. width/2 + centre in MHz, with the
/// converter's harmonics of it up to `orders`.
struct Interferer {
    double centre = 0.0;
    double width = 0.0;  ///< >= 0
    int orders = 1;
    std::optional<double> level;  ///< dBFS at the converter's input; unknown when not given
    friend bool operator==(const Interferer&, const Interferer&) = default;
};

struct SpurModel {
    int interleave = 1;  ///< M, 1..kMaxInterleave
    int interleaveOrders = 1;
    bool hasClockSpur = false;
    double clockSpur = 0.0;  ///< Fc in MHz, read only when hasClockSpur
    int clockSpurOrders = 1;
    std::vector<Interferer> interferers;  ///< at most kMaxInterferers
    SpurLevels levels;                    ///< the members' levels; none given by default

    /// True when the model adds no member: the verdict is the harmonics' alone.
    bool Empty() const { return interleave <= 1 && !hasClockSpur && interferers.empty(); }

    friend bool operator==(const SpurModel&, const SpurModel&) = default;
};

/// Whether a model's counts are within their ranges; its frequencies are not judged here.
inline bool ValidModelOrder(int n) {
    return n >= 1 && n <= kMaxModelOrder;
}
inline bool ValidInterleave(int m) {
    return m >= 1 && m <= kMaxInterleave;
}

enum class SpurFamily {
    kHarmonic,
    kInterleaveImage,
    kInterleaveOffset,
    kClockSideband,
    kInterferer
};

/// How the ledger names each family.
const char* SpurFamilyName(SpurFamily family);

/// One spur of one family. `term` is q for images and offset tones, +1 or -1 for clock
/// sidebands, the interferer's number from 1 for interferers, 0 for harmonics; `order` is 0
/// for offset tones.
struct SpurMember {
    SpurFamily family = SpurFamily::kHarmonic;
    int order = 0;
    int term = 0;
    friend bool operator==(const SpurMember&, const SpurMember&) = default;
};

/// The model's members in ledger order, harmonics left out: images by order then q, offset
/// tones, clock sidebands by order then + and -, interferers by number then order. Counts
/// out of range are taken to the nearest end of it, so any model lists a bounded set.
std::vector<SpurMember> ModelledMembersOf(const SpurModel& model);

/// The ledger's `term`: empty for harmonics, "q/M" for images and offset tones, "+" or "-"
/// for sidebands, the interferer's number.
std::string SpurTermText(const SpurMember& member, const SpurModel& model);

/// The member as an engineer writes it: "3f", "2f + 3Fs/4", "Fs/2", "2f - Fc",
/// "2 x interferer 1", fractions of Fs in lowest terms. UTF-8: a sideband below the
/// signal takes the minus sign U+2212, an interferer's harmonic the times sign U+00D7.
std::string SpurMemberLabel(const SpurMember& member, const SpurModel& model);

/// The member's level in dBFS, when the levels give it: the signal's level plus the
/// harmonic's, image's or sideband's dBc by order, the offset tones' own level, an
/// interferer's own level (its order m >= 2 plus the converter's HDm).
std::optional<double> MemberLevel(const SpurMember& member, const SpurModel& model);

/// True when any level or the floor is given: only then do the ledger and the table show
/// levels.
bool LevelsGiven(const SpurModel& model);

/// Whether the member counts towards a verdict: when there is no floor, when its level is
/// unknown, or when its level in dBc is above the floor.
bool MemberCounts(const SpurMember& member, const SpurModel& model);

/// Cores, orders and interferers as ModelledMembersOf reads them.
int ModelInterleave(const SpurModel& model);
int ModelOrders(int orders);
int ModelInterfererCount(const SpurModel& model);

}  // namespace quorvel
