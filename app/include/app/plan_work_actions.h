// The main window's own actions: plan files, copy and export, the About box, and the menu
// button that lists them with every other action of the window.
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

class CSpurPlanDlg;
class PlanFileSession;

/// Adds Open (Ctrl+O), Save (Ctrl+S), Save As (Ctrl+Shift+S), Copy chart, Export... and
/// About (F1) to `dlg`, and the menu button. With `planFile` (its name's bytes) the window
/// starts with that file as its own (its values are already in the fields); with a
/// `planProblem` instead, the window has no file and the problem is shown in a message.
/// Returns the window's session.
PlanFileSession& InstallPlanWork(CSpurPlanDlg& dlg, const QByteArray& planFile,
                                 const QString& planProblem = {});

/// As above, for a file named as text.
PlanFileSession& InstallPlanWork(CSpurPlanDlg& dlg, const QString& planFile = {});

}  // namespace quorvel
