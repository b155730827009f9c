#include "app/plan_file_session.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

#include "app/export_csv.h"
#include "app/save_name_dialog.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/number_text.h"
#include "planfile/plan_file.h"
#include "planfile/quoted_name.h"
#include "res/resource.h"

namespace quorvel {

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
        return AskSaveName(owner, QStringLiteral("Save plan as"), current,
                           {{PlanFileFilter(), QLatin1String(kPlanFileSuffix)}})
            .path;
    };
    prompts.askToSave = [](QWidget* owner, const QString& question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Unsaved changes - Quorvel"),
                        question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        owner);
        box.setDefaultButton(QMessageBox::Save);
        // Every answer within reach of the keyboard: Enter saves, Escape cancels, Alt+D.
        box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    prompts.warn = [](QWidget* owner, const QString& message) {
        QMessageBox::warning(owner, QStringLiteral("Quorvel"), message);
    };
    prompts.inform = [](QWidget* owner, const QString& message) {
        QMessageBox::information(owner, QStringLiteral("Quorvel"), message);
    };
    return prompts;
}

PlanFileSession::PlanFileSession(CSpurPlanDlg& dlg, PlanFilePrompts prompts,
                                 OutputSystemCalls calls)
    : QObject(&dlg),
      dlg_(dlg),
      prompts_(std::move(prompts)),
      calls_(calls),
      baseTitle_(dlg.windowTitle()),
      unchanged_(Current()) {
    connect(&dlg, &CSpurPlanDlg::PlanChanged, this, &PlanFileSession::UpdateModified);
    connect(&dlg, &CSpurPlanDlg::FinderChanged, this, &PlanFileSession::UpdateModified);
    connect(&dlg, &CSpurPlanDlg::ModelChanged, this, &PlanFileSession::UpdateModified);
    dlg.SetCloseGuard([this] { return MayClose(); });
}

bool PlanFileSession::Open(const QString& path) {
    const PlanFileReading reading = ReadPlanFile(path);
    if (!reading.values) {
        prompts_.warn(&dlg_, reading.error);
        return false;
    }
    ApplyValues(*reading.values);
    dlg_.SetFinder(reading.values->finder);
    // A file without a model is a plan without one.
    dlg_.SetModel(reading.values->model.value_or(SpurModel{}));
    SetFile(QFile::encodeName(path));
    kept_ = reading.kept;
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
    dlg_.SetFinder(reading.values->finder);
    SetFile(name);
    kept_ = reading.kept;
    // What the command line changed is a change to the file's plan.
    unchanged_ = PlanFileValues::FromPlan(fromFile);
    unchanged_.finder = reading.values->finder;
    unchanged_.model = reading.values->model;
    UpdateModified();
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
    return name_.isEmpty() ? SaveAs() : SaveTo(name_);
}

bool PlanFileSession::SaveAs() {
    const QString path = prompts_.saveName(&dlg_, path_);
    return !path.isEmpty() && SaveTo(QFile::encodeName(path));
}

bool PlanFileSession::SaveTo(const QByteArray& name) {
    const auto cannotSave = [this, &name](const QString& reason) {
        prompts_.warn(&dlg_, QStringLiteral("Cannot save the plan file %1: %2.")
                                 .arg(QuotedNativeName(name), reason));
        return false;
    };
    const PlanFileValues values = Current();
    if (const QString problem = PlanValuesProblem(values); !problem.isEmpty()) {
        return cannotSave(problem);
    }
    // The command line's writer, by the name's bytes: every write, the sync and the rename
    // checked, the old file kept whole on any failure, pipes and devices written where they
    // are (a pipe that nobody reads refused at once, so the window never hangs on it).
    if (const auto failure =
            WriteOutputs({{name.toStdString(), PlanDocumentText(values, kept_).toStdString()}},
                         calls_, PipeReader::kRequire)) {
        return cannotSave(QString::fromLocal8Bit(failure->reason));
    }
    SetFile(name);
    return true;
}

bool PlanFileSession::MayClose() {
    if (!modified_) {
        return true;
    }
    const QString question = path_.isEmpty()
                                 ? QStringLiteral("The plan has changed. Save it before closing?")
                                 : QStringLiteral("The plan in %1 has changed. Save the changes?")
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
}

void PlanFileSession::Restore(const PlanFileValues& values) {
    ApplyValues(values);
    dlg_.SetFinder(values.finder);
    dlg_.SetModel(values.model.value_or(SpurModel{}));
}

PlanFileValues PlanFileSession::Current() const {
    PlanFileValues values = PlanFileValues::FromPlan(dlg_.Plan());
    values.finder = dlg_.Finder();
    values.model = dlg_.Model();
    return values;
}

void PlanFileSession::SetFile(const QByteArray& name) {
    name_ = name;
    path_ = QFile::decodeName(name);
    unchanged_ = Current();
    modified_ = false;
    ShowTitle();
}

void PlanFileSession::UpdateModified() {
    // A plan typed back to what it was is unchanged again, and so is a harmonic count the
    // paint lowered to the cap: the charts showed the cap all along.
    const auto capped = [](PlanFileValues values) {
        if (values.harmonics && *values.harmonics > kHarmonicCap) {
            values.harmonics = kHarmonicCap;
        }
        // A file's model left at its defaults is no model at all.
        if (values.model == SpurModel{}) {
            values.model.reset();
        }
        return values;
    };
    modified_ = capped(Current()) != capped(unchanged_);
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
