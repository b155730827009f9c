// The command line: plan values, headless exports, --help and --version.
#pragma once

#include <optional>
#include <string>

#include "plan/plan_fields.h"

namespace quorvel {

/// Handles the command line. Returns the exit status when the command line was handled
/// completely (an export, --help, --version or bad use); otherwise returns nothing, with
/// `plan` holding the values the dialog starts with and `planFile` (when given) the plan file
/// they came from. A plan file that cannot be used is bad use: exit status 2.
std::optional<int> RunCommandLine(int argc, char** argv, PlanFields& plan,
                                  std::string* planFile = nullptr);

}  // namespace quorvel
