// Starts the desktop application and runs the main dialog until it closes.
#pragma once

#include <QString>

#include "plan/plan_fields.h"

namespace quorvel {

/// Runs the main dialog with `initial` in its fields and `planFile`, when given, as its plan
/// file; returns the process exit status.
int RunDesktopApp(int& argc, char** argv, const PlanFields& initial, const QString& planFile = {});

}  // namespace quorvel
