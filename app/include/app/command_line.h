// The command line: plan values, headless exports, --help and --version.
#pragma once

#include <optional>
#include <string>

#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// Handles the command line. Returns the exit status when the command line was handled
/// completely (an export, --help, --version or bad use); otherwise returns nothing, with
/// `plan` holding the values the dialog starts with and `planFile` (when given) the plan file
/// they came from, its name's bytes as given. A plan file that cannot be used is bad use
/// (one line, exit status 2), except when the dialog is to start and `planProblem` is
/// given: the line is still written, `planProblem` gets the message for the window, and
/// the dialog starts on the command line's other values with no plan file. `model` (when
/// given) gets the converter model the dialog starts with, the file's as the options
/// change it.
std::optional<int> RunCommandLine(int argc, char** argv, PlanFields& plan,
                                  std::string* planFile = nullptr,
                                  std::string* planProblem = nullptr, SpurModel* model = nullptr);

}  // namespace quorvel
