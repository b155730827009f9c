// The command line: plan values, headless exports, --help and --version.
#pragma once

#include <optional>

#include "plan/plan_fields.h"

namespace quorvel {

/// Handles the command line. Returns the exit status when the command line was handled
/// completely (an export, --help, --version or bad use); otherwise returns nothing, with
/// `plan` holding the values the dialog starts with.
std::optional<int> RunCommandLine(int argc, char** argv, PlanFields& plan);

}  // namespace quorvel
