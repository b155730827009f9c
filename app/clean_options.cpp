#include "app/clean_options.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "app/quoted_text.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"

namespace quorvel {

namespace {

/// MIN:MAX, both finite plan numbers, MIN below MAX.
std::optional<FrequencyInterval> ParseRange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto lo = ParseFrequencyText(text.substr(0, colon));
    const auto hi = ParseFrequencyText(text.substr(colon + 1));
    if (!lo || !hi || !std::isfinite(*lo) || !std::isfinite(*hi) || !(*lo < *hi)) {
        return std::nullopt;
    }
    return FrequencyInterval{*lo, *hi};
}

}  // namespace

std::optional<std::string> ApplyCleanSetting(CleanSetting setting, std::string_view name,
                                             std::string_view value, CliRequest& request) {
    const std::string option(name);
    switch (setting) {
        case CleanSetting::kFsRange:
        case CleanSetting::kIfRange: {
            const auto range = ParseRange(value);
            if (!range) {
                return option + ": " + Quoted(value) +
                       " is not MIN:MAX (two numbers, MIN below MAX)";
            }
            (setting == CleanSetting::kFsRange ? request.fsRange : request.ifRange) = *range;
            return std::nullopt;
        }
        case CleanSetting::kAgainst: {
            const auto* it = std::find_if(kAgainstNames.begin(), kAgainstNames.end(),
                                          [value](const auto& e) { return value == e.second; });
            if (it == kAgainstNames.end()) {
                return option + ": " + Quoted(value) + " is not if, rf or both";
            }
            request.query.against = it->first;
            request.againstGiven = true;
            return std::nullopt;
        }
        case CleanSetting::kMargin:
            break;
    }
    const auto margin = ParseFrequencyText(value);
    if (!margin || !std::isfinite(*margin) || *margin < 0) {
        return option + ": " + Quoted(value) + " is not a margin (a number of MHz, 0 or more)";
    }
    request.query.margin = *margin;
    request.marginGiven = true;
    return std::nullopt;
}

std::optional<std::string> CheckCleanRanges(const CliRequest& request) {
    if (request.cleanFsPath && !request.fsRange) {
        return "--export-clean-fs needs --fs-range MIN:MAX";
    }
    if (request.cleanIfPath && !request.ifRange) {
        return "--export-clean-if needs --if-range MIN:MAX";
    }
    if (request.cleanMapPath && (!request.fsRange || !request.ifRange)) {
        return "--export-clean-map needs --fs-range MIN:MAX and --if-range MIN:MAX";
    }
    return std::nullopt;
}

void FillCleanSettings(CliRequest& request, const FinderSettings& fromFile) {
    if (!request.fsRange) {
        request.fsRange = fromFile.fsRange;
    }
    if (!request.ifRange) {
        request.ifRange = fromFile.ifRange;
    }
    if (!request.againstGiven && fromFile.against) {
        request.query.against = *fromFile.against;
    }
    if (!request.marginGiven && fromFile.margin) {
        request.query.margin = *fromFile.margin;
    }
}

FinderSettings SavedFinderSettings(const CliRequest& request, const FinderSettings& fromFile) {
    FinderSettings saved = fromFile;
    if (request.fsRange) {
        saved.fsRange = request.fsRange;
    }
    if (request.ifRange) {
        saved.ifRange = request.ifRange;
    }
    if (request.againstGiven) {
        saved.against = request.query.against;
    }
    if (request.marginGiven) {
        saved.margin = request.query.margin;
    }
    return saved;
}

}  // namespace quorvel
