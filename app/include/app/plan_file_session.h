// The main window's plan file: Open, Save and Save As, the file's name and the unsaved mark
// in the title, and the question before a changed plan is closed unsaved.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <functional>

#include "app/export_output.h"
#include "planfile/plan_file_values.h"

namespace quorvel {

class CSpurPlanDlg;

/// What the session asks the user; tests put their own answers in.
struct PlanFilePrompts {
    std::function<QString(QWidget*)> openName;  ///< empty: cancelled
    std::function<QString(QWidget*, const QString& current)> saveName;
    /// Save, Discard or Cancel.
    std::function<QMessageBox::StandardButton(QWidget*, const QString& question)> askToSave;
    std::function<void(QWidget*, const QString& message)> warn;
    std::function<void(QWidget*, const QString& message)> inform;
};

/// File dialogs and message boxes.
PlanFilePrompts StandardPlanFilePrompts();

/// The file dialogs' filter for plan files.
QString PlanFileFilter();

class PlanFileSession : public QObject {
    Q_OBJECT

  public:
    /// Installs itself on `dlg` (its close guard, its plan changes) and lives as long as it.
    /// The plan in the window now is the one that counts as unchanged. Files are written
    /// through `calls`, as the command line's exports are.
    explicit PlanFileSession(CSpurPlanDlg& dlg, PlanFilePrompts prompts = StandardPlanFilePrompts(),
                             OutputSystemCalls calls = RealOutputSystemCalls());

    /// Opens the plan file at `path` into the window, its values typed into the fields.
    /// A file that cannot be used is told in a message and leaves the plan as it was.
    bool Open(const QString& path);

    /// Takes the file `name` (its bytes as the system spells it) as the window's file for a
    /// plan already in the fields (the command line read it): the title names it, and the
    /// plan counts as unsaved when it differs.
    bool Adopt(const QByteArray& name);
    bool Adopt(const QString& path);

    /// To the window's file; asks for a name when there is none. A save that fails says
    /// why in a message and leaves the file and the unsaved mark as they were.
    bool Save();
    /// Tells the user of a problem with a plan file in the session's own message box.
    void Warn(const QString& message);

    bool SaveAs();  ///< asks for a name
    void OpenAsked();

    const QString& path() const { return path_; }
    bool modified() const { return modified_; }

    /// The plan as a file would hold it: the window's values, the finder's settings and the
    /// converter model.
    PlanFileValues Current() const;
    /// Puts `values` into the window, typed into its fields as a file's are, and the
    /// finder's settings and model with them.
    void Restore(const PlanFileValues& values);

  private:
    bool SaveTo(const QByteArray& name);
    bool MayClose();
    void ApplyValues(const PlanFileValues& values);
    /// Takes the file `name` (as the system spells it) as the window's, its plan as it is
    /// now unchanged.
    void SetFile(const QByteArray& name);
    void UpdateModified();
    void ShowTitle();

    CSpurPlanDlg& dlg_;
    PlanFilePrompts prompts_;
    OutputSystemCalls calls_;
    QString baseTitle_;
    QString path_;              ///< the file's name as text, for the title and the file dialogs
    QByteArray name_;           ///< the file's name as the system spells it, which `path_` may not
    PlanFileValues unchanged_;  ///< the plan as started, opened or last saved
    /// The opened file's members this version does not understand: a save writes them again.
    QJsonObject kept_;
    bool modified_ = false;
};

}  // namespace quorvel
