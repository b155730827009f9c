#include "app/plan_file_session.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "app/export_csv.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/number_text.h"
#include "planfile/plan_file.h"
#include "res/resource.h"

namespace quorvel {

namespace {

QString WithSuffix(QString path) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + QLatin1String(kPlanFileSuffix);
    }
    return path;
}

}  // namespace

QString PlanFileFilter() {
    return QStringLiteral("Quorvel plans (*.%1)").arg(QLatin1String(kPlanFileSuffix));
}

PlanFilePrompts StandardPlanFilePrompts() {
    PlanFilePrompts prompts;
    prompts.openName = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Open plan"), {},
                                            PlanFileFilter());
    };
    prompts.saveName = [](QWidget* owner, const QString& current) {
        return WithSuffix(QFileDialog::getSaveFileName(owner, QStringLiteral("Save plan as"),
                                                       current, PlanFileFilter()));
    };
    prompts.askToSave = [](QWidget* owner, const QString& question) {
        return QMessageBox::question(owner, QStringLiteral("Quorvel"), question,
                                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                     QMessageBox::Save);
    };
    prompts.warn = [](QWidget* owner, const QString& message) {
        QMessageBox::warning(owner, QStringLiteral("Quorvel"), message);
    };
    prompts.inform = [](QWidget* owner, const QString& message) {
        QMessageBox::information(owner, QStringLiteral("Quorvel"), message);
    };
    return prompts;
}

PlanFileSession::PlanFileSession(CSpurPlanDlg& dlg, PlanFilePrompts prompts)
    : QObject(&dlg), dlg_(dlg), prompts_(std::move(prompts)), baseTitle_(dlg.windowTitle()) {
    connect(&dlg, &CSpurPlanDlg::PlanChanged, this, [this] {
        if (!applying_) {
            SetModified(true);
        }
    });
    dlg.SetCloseGuard([this] { return MayClose(); });
}

bool PlanFileSession::Open(const QString& path) {
    const PlanFileReading reading = ReadPlanFile(path);
    if (!reading.values) {
        prompts_.warn(&dlg_, reading.error);
        return false;
    }
    ApplyValues(*reading.values);
    SetFile(path, QFile::encodeName(path), reading.values->finder);
    if (!reading.notice.isEmpty()) {
        prompts_.inform(&dlg_, reading.notice);
    }
    return true;
}

bool PlanFileSession::Adopt(const QString& path) {
    return Adopt(QFile::encodeName(path));
}

bool PlanFileSession::Adopt(const QByteArray& name) {
    const PlanFileReading reading = ReadPlanFile(name);
    if (!reading.values) {
        prompts_.warn(&dlg_, reading.error);
        return false;
    }
    // The fields already hold the file's values as the command line overrode them; only
    // the selector is left to set, and the values are typed again after it.
    PlanFields fromFile = dlg_.Plan();
    reading.values->ApplyTo(fromFile);
    PlanFileValues current = PlanFileValues::FromPlan(dlg_.Plan());
    current.sliderVariable = reading.values->sliderVariable;
    ApplyValues(current);
    SetFile(QFile::decodeName(name), name, reading.values->finder);
    SetModified(PlanFileValues::FromPlan(fromFile) != PlanFileValues::FromPlan(dlg_.Plan()));
    if (!reading.notice.isEmpty()) {
        prompts_.inform(&dlg_, reading.notice);
    }
    return true;
}

void PlanFileSession::OpenAsked() {
    if (!MayClose()) {
        return;
    }
    if (const QString path = prompts_.openName(&dlg_); !path.isEmpty()) {
        Open(path);
    }
}

void PlanFileSession::Warn(const QString& message) {
    prompts_.warn(&dlg_, message);
}

bool PlanFileSession::Save() {
    // A name that is not text (a byte that is not UTF-8) has no QString that reaches the
    // same file: saving to `path_` would make a second file, so a name is asked for.
    return path_.isEmpty() || QFile::encodeName(path_) != name_ ? SaveAs() : SaveTo(path_);
}

bool PlanFileSession::SaveAs() {
    const QString path = prompts_.saveName(&dlg_, path_);
    return !path.isEmpty() && SaveTo(path);
}

bool PlanFileSession::SaveTo(const QString& path) {
    PlanFileValues values = PlanFileValues::FromPlan(dlg_.Plan());
    values.finder = finder_;
    if (const PlanFileWriting writing = WritePlanFile(path, values); !writing.Ok()) {
        prompts_.warn(&dlg_, writing.error);
        return false;
    }
    SetFile(path, QFile::encodeName(path), finder_);
    return true;
}

bool PlanFileSession::MayClose() {
    if (path_.isEmpty() || !modified_) {
        return true;
    }
    const QString question = QStringLiteral("The plan in %1 has changed. Save the changes?")
                                 .arg(QFileInfo(path_).fileName());
    switch (prompts_.askToSave(&dlg_, question)) {
        case QMessageBox::Save:
            return Save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void PlanFileSession::ApplyValues(const PlanFileValues& values) {
    applying_ = true;
    // The selector first: choosing it moves the driven field to the slider's whole MHz,
    // and the file's own value must have the last word.
    QComboBox* selector = dlg_.VariableCombo();
    if (values.sliderVariable && *values.sliderVariable != selector->currentIndex()) {
        selector->setCurrentIndex(*values.sliderVariable);
        emit selector->activated(*values.sliderVariable);
    }
    // Typed as the shortest text that reads back to the file's double, so the field holds
    // exactly what the file holds and the fields' own rules decide the rest.
    const std::pair<int, const std::optional<double>*> numbers[] = {{IDC_FS, &values.fs},
                                                                    {IDC_IF, &values.ifCentre},
                                                                    {IDC_IF_BW, &values.ifBw},
                                                                    {IDC_RF_BW, &values.rfBw}};
    for (const auto& [id, value] : numbers) {
        if (*value) {
            dlg_.TypeIntoField(id, QString::fromStdString(ShortestNumberText(**value)));
        }
    }
    if (values.harmonics) {
        dlg_.TypeIntoField(IDC_HARMONICS,
                           QString::fromStdString(FormatPlanInteger(*values.harmonics)));
    }
    applying_ = false;
}

void PlanFileSession::SetFile(const QString& path, const QByteArray& name,
                              const FinderSettings& finder) {
    path_ = path;
    name_ = name;
    finder_ = finder;
    modified_ = false;
    ShowTitle();
}

void PlanFileSession::SetModified(bool modified) {
    modified_ = modified;
    if (!path_.isEmpty()) {
        dlg_.setWindowModified(modified_);
    }
}

void PlanFileSession::ShowTitle() {
    // Qt shows "[*]" as the unsaved mark, and only while the window is modified.
    dlg_.setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(path_).fileName(), baseTitle_));
    dlg_.setWindowModified(modified_);
}

}  // namespace quorvel
