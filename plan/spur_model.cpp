#include "plan/spur_model.h"

#include <algorithm>
#include <numeric>

namespace quorvel {

namespace {

constexpr const char* kMinusSign = "\xE2\x88\x92";  // U+2212
constexpr const char* kTimesSign = "\xC3\x97";      // U+00D7

// n times the signal: "f", "3f".
std::string TimesF(int order) {
    return order == 1 ? "f" : std::to_string(order) + "f";
}

// q Fs/M in lowest terms: "Fs/4", "3Fs/8", "Fs/2".
std::string FractionOfFs(int q, int m) {
    const int common = std::gcd(q, m);  // m >= 1, so never 0
    const int numerator = q / common;
    const int denominator = m / common;
    std::string text = numerator == 1 ? "Fs" : std::to_string(numerator) + "Fs";
    return denominator == 1 ? text : text + "/" + std::to_string(denominator);
}

}  // namespace

int ModelInterleave(const SpurModel& model) {
    return std::clamp(model.interleave, 1, kMaxInterleave);
}

int ModelOrders(int orders) {
    return std::clamp(orders, 1, kMaxModelOrder);
}

int ModelInterfererCount(const SpurModel& model) {
    return std::min(static_cast<int>(model.interferers.size()), kMaxInterferers);
}

const char* SpurFamilyName(SpurFamily family) {
    switch (family) {
        case SpurFamily::kHarmonic:
            return "harmonic";
        case SpurFamily::kInterleaveImage:
            return "interleave_image";
        case SpurFamily::kInterleaveOffset:
            return "interleave_offset";
        case SpurFamily::kClockSideband:
            return "clock_sideband";
        case SpurFamily::kInterferer:
            return "interferer";
    }
    return "";
}

std::optional<double> MemberLevel(const SpurMember& member, const SpurModel& model) {
    const SpurLevels& levels = model.levels;
    const auto relative = [&](const std::vector<double>& list, int order, int first) {
        const auto dbc = LevelByOrder(list, order, first);
        return dbc ? std::optional<double>(levels.signal + *dbc) : std::nullopt;
    };
    switch (member.family) {
        case SpurFamily::kHarmonic:
            return relative(levels.harmonics, member.order, 2);
        case SpurFamily::kInterleaveImage:
            return relative(levels.images, member.order, 1);
        case SpurFamily::kInterleaveOffset:
            return levels.offset;
        case SpurFamily::kClockSideband:
            return relative(levels.sidebands, member.order, 1);
        case SpurFamily::kInterferer: {
            const int i = member.term - 1;
            if (i < 0 || i >= ModelInterfererCount(model)) {
                return std::nullopt;
            }
            const auto own = model.interferers[static_cast<std::size_t>(i)].level;
            if (!own || member.order <= 1) {
                return own;
            }
            // The converter's own distortion of that input, in dBc of it.
            const auto hd = LevelByOrder(levels.harmonics, member.order, 2);
            return hd ? std::optional<double>(*own + *hd) : std::nullopt;
        }
    }
    return std::nullopt;
}

bool LevelsGiven(const SpurModel& model) {
    return model.levels != SpurLevels{} ||
           std::any_of(model.interferers.begin(), model.interferers.end(),
                       [](const Interferer& in) { return in.level.has_value(); });
}

bool MemberCounts(const SpurMember& member, const SpurModel& model) {
    const auto& floor = model.levels.floor;
    if (!floor) {
        return true;
    }
    const auto level = MemberLevel(member, model);
    return !level || *level - model.levels.signal > *floor;
}

std::vector<SpurMember> ModelledMembersOf(const SpurModel& model) {
    std::vector<SpurMember> members;
    const int m = ModelInterleave(model);
    if (m > 1) {
        for (int n = 1; n <= ModelOrders(model.interleaveOrders); ++n) {
            for (int q = 1; q < m; ++q) {
                members.push_back({SpurFamily::kInterleaveImage, n, q});
            }
        }
        // q and M - q put their tones on the same folded point: each is listed once.
        for (int q = 1; q <= m / 2; ++q) {
            members.push_back({SpurFamily::kInterleaveOffset, 0, q});
        }
    }
    if (model.hasClockSpur) {
        for (int n = 1; n <= ModelOrders(model.clockSpurOrders); ++n) {
            members.push_back({SpurFamily::kClockSideband, n, +1});
            members.push_back({SpurFamily::kClockSideband, n, -1});
        }
    }
    for (int i = 0; i < ModelInterfererCount(model); ++i) {
        const int orders = ModelOrders(model.interferers[static_cast<std::size_t>(i)].orders);
        for (int order = 1; order <= orders; ++order) {
            members.push_back({SpurFamily::kInterferer, order, i + 1});
        }
    }
    return members;
}

std::string SpurTermText(const SpurMember& member, const SpurModel& model) {
    switch (member.family) {
        case SpurFamily::kHarmonic:
            return {};
        case SpurFamily::kInterleaveImage:
        case SpurFamily::kInterleaveOffset:
            return std::to_string(member.term) + "/" + std::to_string(ModelInterleave(model));
        case SpurFamily::kClockSideband:
            return member.term > 0 ? "+" : "-";
        case SpurFamily::kInterferer:
            return std::to_string(member.term);
    }
    return {};
}

std::string SpurMemberLabel(const SpurMember& member, const SpurModel& model) {
    switch (member.family) {
        case SpurFamily::kHarmonic:
            return TimesF(member.order);
        case SpurFamily::kInterleaveImage:
            return TimesF(member.order) + " + " + FractionOfFs(member.term, ModelInterleave(model));
        case SpurFamily::kInterleaveOffset:
            return FractionOfFs(member.term, ModelInterleave(model));
        case SpurFamily::kClockSideband:
            return TimesF(member.order) +
                   (member.term > 0 ? " + " : std::string(" ") + kMinusSign + " ") + "Fc";
        case SpurFamily::kInterferer: {
            const std::string interferer = "interferer " + std::to_string(member.term);
            return member.order == 1
                       ? interferer
                       : std::to_string(member.order) + " " + kTimesSign + " " + interferer;
        }
    }
    return {};
}

}  // namespace quorvel
