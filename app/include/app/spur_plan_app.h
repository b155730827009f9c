// The application object: runs the main dialog modally and ends the program when it
// closes. It also owns what the main window asks of the application: the About box.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

class CSpurPlanApp {
  public:
    /// The main dialog will start with `initial` in its input fields, and with `planFile`
    /// (the name's bytes, when given) as its plan file and `model` as its converter
    /// model; a `planProblem` is shown first.
    explicit CSpurPlanApp(const PlanFields& initial = {}, QByteArray planFile = {},
                          QString planProblem = {}, SpurModel model = {});

    /// Runs the main dialog until Enter, Escape or the close button ends it. Always
    /// returns false: there is nothing to run after it, and the program ends.
    bool InitInstance();

    /// The help command: the program has no help file, so help shows the About box.
    void OnHelp();

    /// Shows the About box modally over `owner`.
    static void ShowAboutBox(QWidget* owner);

    /// The running main dialog, while InitInstance runs; null otherwise.
    QWidget* m_pMainWnd = nullptr;

  private:
    PlanFields m_initial;
    SpurModel m_model;
    QByteArray m_planFile;
    QString m_planProblem;
};

}  // namespace quorvel
