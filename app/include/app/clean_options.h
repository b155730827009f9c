// The settings of the clean-frequency exports on the command line: the ranges searched, the
// bands asked about and the guard margin, and which exports need or read them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/cli_options.h"

namespace quorvel {

enum class CleanSetting { kFsRange, kIfRange, kAgainst, kMargin };

/// Stores the setting given as `name value`; returns the complaint when it does not read.
std::optional<std::string> ApplyCleanSetting(CleanSetting setting, std::string_view name,
                                             std::string_view value, CliRequest& request);

/// The complaint when an export lacks its range, or a setting was given that no export
/// asked for reads.
std::optional<std::string> CheckCleanSettings(const CliRequest& request, bool againstGiven,
                                              bool marginGiven);

}  // namespace quorvel
