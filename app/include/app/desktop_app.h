// Starts the desktop application and runs the main dialog until it closes.
#pragma once

#include <QByteArray>
#include <QString>

#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// Runs the main dialog with `initial` in its fields and `planFile` (the name's bytes), when
/// given, as its plan file; returns the process exit status. A `planProblem` (a plan file
/// that could not be used, already told on standard error) is shown in a message box before
/// the window opens; with no display to show it on, the program ends with status 2 and
/// nothing more is said.
int RunDesktopApp(int& argc, char** argv, const PlanFields& initial,
                  const QByteArray& planFile = {}, const QString& planProblem = {},
                  const SpurModel& model = {});

}  // namespace quorvel
