#include "app/plan_work_actions.h"

#include <QAction>
#include <QFile>

#include "app/chart_export_actions.h"
#include "app/plan_file_session.h"
#include "app/plan_history.h"
#include "dialog/action_menu.h"
#include "dialog/spur_plan_dlg.h"

namespace quorvel {

namespace {

template <typename Slot>
void AddAction(CSpurPlanDlg& dlg, const QString& text, const QKeySequence& shortcut, Slot slot) {
    auto* action = new QAction(text, &dlg);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &dlg, slot);
    dlg.addAction(action);
}

}  // namespace

PlanFileSession& InstallPlanWork(CSpurPlanDlg& dlg, const QByteArray& planFile,
                                 const QString& planProblem) {
    auto* session = new PlanFileSession(dlg);
    AddAction(dlg, QStringLiteral("Open plan..."), QKeySequence::Open,
              [session] { session->OpenAsked(); });
    AddAction(dlg, QStringLiteral("Save plan"), QKeySequence(Qt::CTRL | Qt::Key_S),
              [session] { session->Save(); });
    AddAction(dlg, QStringLiteral("Save plan as..."),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [session] { session->SaveAs(); });
    InstallChartExportActions(dlg);
    AddAction(dlg, QStringLiteral("About Quorvel..."), QKeySequence(Qt::Key_F1),
              [&dlg] { dlg.OnHelp(); });
    InstallActionMenu(dlg);
    if (!planProblem.isEmpty()) {
        session->Warn(planProblem);
    } else if (!planFile.isEmpty()) {
        session->Adopt(planFile);
    }
    // The plan the window starts with is where the history begins.
    InstallPlanHistory(dlg, *session);
    return *session;
}

PlanFileSession& InstallPlanWork(CSpurPlanDlg& dlg, const QString& planFile) {
    return InstallPlanWork(dlg, QFile::encodeName(planFile));
}

}  // namespace quorvel
