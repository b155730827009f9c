#include "charts/clean_map_levels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plan/spur_windows.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr double kRoomBelowWeakest = 10.0;

// Every member that can meet a band: harmonics 2..H, then the model's, in ledger order.
template <typename Visit>
void ForEachMember(const SpurModel& model, const PlanFields& plan, Visit visit) {
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        visit(SpurMember{SpurFamily::kHarmonic, n, 0}, -1);
    }
    const std::vector<SpurMember> members = ModelledMembersOf(model);
    for (std::size_t i = 0; i < members.size(); ++i) {
        visit(members[i], static_cast<int>(i));
    }
}

}  // namespace

LevelScale LevelScaleOf(const SpurModel& model, const PlanFields& plan) {
    if (model.levels.floor) {
        return {std::min(*model.levels.floor, -1.0), 0.0};
    }
    double weakest = 0.0;
    ForEachMember(model, plan, [&](const SpurMember& member, int) {
        if (const auto level = MemberLevel(member, model)) {
            weakest = std::min(weakest, *level - model.levels.signal);
        }
    });
    return {std::max(kLowestLevel, std::floor(weakest - kRoomBelowWeakest)), 0.0};
}

MapCode LevelMapCode(std::optional<double> dbc, const LevelScale& scale) {
    if (!dbc) {
        return kMapUnknownLevel;
    }
    const double at = (*dbc - scale.lo) / (scale.hi - scale.lo) * kMapLevelSteps;
    // Below the scale counts as its bottom step; truncation is the floor for every step kept.
    const int step = std::clamp(TruncToInt(at), 0, kMapLevelSteps - 1);
    return static_cast<MapCode>(kMapFirstLevel + step);
}

double LevelCodeDbc(MapCode code, const LevelScale& scale) {
    return scale.lo + (code - kMapFirstLevel) * (scale.hi - scale.lo) / kMapLevelSteps;
}

ColorRef LevelMapColour(MapCode code) {
    if (code == kMapUnknownLevel) {
        return 0x1C1AE4;  // red, 0x00BBGGRR
    }
    // A sequential scale through pale yellow, green, teal and blue to deep purple: its
    // lightness falls steadily, so louder always reads darker.
    struct Anchor {
        double r, g, b;
    };
    constexpr std::array<Anchor, 5> kAnchors{
        {{253, 231, 37}, {94, 201, 98}, {33, 145, 140}, {59, 82, 139}, {68, 1, 84}}};
    const double t = static_cast<double>(code - kMapFirstLevel) / (kMapLevelSteps - 1);
    const double at = t * (kAnchors.size() - 1);
    const auto i = static_cast<std::size_t>(std::clamp(TruncToInt(at), 0, 3));
    const double f = at - static_cast<double>(i);
    const auto mix = [f](double a, double b) {
        return static_cast<ColorRef>(std::clamp(TruncToInt(a + (b - a) * f + 0.5), 0, 255));
    };
    const Anchor& a = kAnchors[i];
    const Anchor& b = kAnchors[i + 1];
    return mix(a.r, b.r) | mix(a.g, b.g) << 8 | mix(a.b, b.b) << 16;
}

std::optional<SpurMember> WorstMeetingMember(const SpurVerdict& verdict, const SpurModel& model,
                                             Against against, const PlanFields& plan) {
    std::optional<SpurMember> worst;
    std::optional<double> worstLevel;
    ForEachMember(model, plan, [&](const SpurMember& member, int modelled) {
        const auto n = static_cast<std::size_t>(member.order);
        const bool meetsIf = modelled < 0
                                 ? verdict.meetsIf[n]
                                 : verdict.modelled[static_cast<std::size_t>(modelled)].meetsIf;
        const bool meetsRf = modelled < 0
                                 ? verdict.meetsRf[n]
                                 : verdict.modelled[static_cast<std::size_t>(modelled)].meetsRf;
        if (!((meetsIf && AsksAbout(against, RefBand::kIf)) ||
              (meetsRf && AsksAbout(against, RefBand::kRf))) ||
            !MemberCounts(member, model)) {
            return;
        }
        const auto level = MemberLevel(member, model);
        // An unknown level ranks above any known one; the first of equals stays.
        const bool louder = !worst || (worstLevel && (!level || *level > *worstLevel));
        if (louder) {
            worst = member;
            worstLevel = level;
        }
    });
    return worst;
}

MapCode LevelledMapCodeOf(const SpurVerdict& verdict, const SpurModel& model, Against against,
                          const PlanFields& plan) {
    if (!verdict.valid) {
        return kMapUnsampled;
    }
    if (const auto worst = WorstMeetingMember(verdict, model, against, plan)) {
        const auto level = MemberLevel(*worst, model);
        return LevelMapCode(level ? std::optional(*level - model.levels.signal) : std::nullopt,
                            LevelScaleOf(model, plan));
    }
    return verdict.foldsOntoItself ? kMapSelfFold : kMapClean;
}

}  // namespace quorvel
