// The settings of the clean-frequency exports on the command line: the ranges searched, the
// bands asked about and the guard margin, and which exports need or read them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/cli_options.h"
#include "plan/finder_settings.h"

namespace quorvel {

enum class CleanSetting { kFsRange, kIfRange, kAgainst, kMargin };

/// Stores the setting given as `name value`; returns the complaint when it does not read.
std::optional<std::string> ApplyCleanSetting(CleanSetting setting, std::string_view name,
                                             std::string_view value, CliRequest& request);

/// The complaint when an export lacks its range. With a plan file, a missing range may
/// still come from it, so this is asked once the file is read.
std::optional<std::string> CheckCleanRanges(const CliRequest& request);

/// The settings the command line leaves out, taken from a plan file's.
void FillCleanSettings(CliRequest& request, const FinderSettings& fromFile);

/// The settings a saved plan keeps: the command line's, then the file's for the rest.
FinderSettings SavedFinderSettings(const CliRequest& request, const FinderSettings& fromFile);

}  // namespace quorvel
