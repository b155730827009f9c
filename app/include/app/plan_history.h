// Undo and Redo of plan changes: every change of the window's plan, its finder settings or
// its converter model is a step, whatever made it (a field, the slider, a click on the map,
// a file opened, the converter window). Keystrokes in one field and a slider drag, made in
// quick succession, are one step.
#pragma once

#include <QObject>
#include <QUndoStack>

#include "planfile/plan_file_values.h"

class QAction;

namespace quorvel {

class CSpurPlanDlg;
class PlanFileSession;

class PlanHistory : public QObject {
    Q_OBJECT

  public:
    /// Follows `dlg`'s changes through `session`, which reads and restores the plan.
    PlanHistory(CSpurPlanDlg& dlg, PlanFileSession& session);

    QUndoStack& Stack() { return stack_; }

  private:
    void OnChanged();
    void Record();
    void Restore(const PlanFileValues& values);

    CSpurPlanDlg& dlg_;
    PlanFileSession& session_;
    QUndoStack stack_;
    PlanFileValues last_;  ///< the plan as the last step left it
    bool pending_ = false;
    bool restoring_ = false;

    friend class PlanStep;
};

/// Adds Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z) to `dlg`'s actions, over a history that
/// follows it. A field whose own text has something to undo keeps the key for itself.
PlanHistory& InstallPlanHistory(CSpurPlanDlg& dlg, PlanFileSession& session);

}  // namespace quorvel
