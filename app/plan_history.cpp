#include "app/plan_history.h"

#include <QAction>
#include <QDateTime>
#include <QTimer>
#include <QUndoCommand>

#include "app/plan_file_session.h"
#include "dialog/spur_plan_dlg.h"

namespace quorvel {

namespace {

// Changes of one value this close together make one step: a word typed, a slider dragged.
constexpr qint64 kMergeMilliseconds = 1500;

// Which of the plan's values differ, one bit each.
unsigned Changed(const PlanFileValues& a, const PlanFileValues& b) {
    unsigned bits = 0;
    const bool differ[] = {
        a.fs != b.fs,         a.ifCentre != b.ifCentre,   a.ifBw != b.ifBw,
        a.rfBw != b.rfBw,     a.harmonics != b.harmonics, a.sliderVariable != b.sliderVariable,
        a.finder != b.finder, a.model != b.model};
    for (std::size_t i = 0; i < std::size(differ); ++i) {
        bits |= differ[i] ? 1u << i : 0u;
    }
    return bits;
}

bool OneValue(unsigned bits) {
    return bits != 0 && (bits & (bits - 1)) == 0;
}

}  // namespace

class PlanStep : public QUndoCommand {
  public:
    PlanStep(PlanHistory& history, PlanFileValues before, PlanFileValues after)
        : history_(history),
          before_(std::move(before)),
          after_(std::move(after)),
          changed_(Changed(before_, after_)),
          at_(QDateTime::currentMSecsSinceEpoch()) {
        setText(QStringLiteral("plan change"));
    }

    int id() const override { return 1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const PlanStep*>(other);
        if (!OneValue(changed_) || next->changed_ != changed_ || next->before_ != after_ ||
            next->at_ - at_ > kMergeMilliseconds) {
            return false;
        }
        after_ = next->after_;
        at_ = next->at_;
        return true;
    }

    void undo() override { history_.Restore(before_); }
    void redo() override {
        // The first redo is the push of a change already made.
        if (done_) {
            history_.Restore(after_);
        }
        done_ = true;
    }

  private:
    PlanHistory& history_;
    PlanFileValues before_;
    PlanFileValues after_;
    unsigned changed_;
    qint64 at_;
    bool done_ = false;
};

PlanHistory::PlanHistory(CSpurPlanDlg& dlg, PlanFileSession& session)
    : QObject(&dlg), dlg_(dlg), session_(session), last_(session.Current()) {
    for (auto signal :
         {&CSpurPlanDlg::PlanChanged, &CSpurPlanDlg::FinderChanged, &CSpurPlanDlg::ModelChanged}) {
        connect(&dlg, signal, this, &PlanHistory::OnChanged);
    }
}

void PlanHistory::OnChanged() {
    if (restoring_ || pending_) {
        return;
    }
    // A file opened types several fields in one go: what changes before the event loop
    // turns again is one step.
    pending_ = true;
    QTimer::singleShot(0, this, &PlanHistory::Record);
}

void PlanHistory::Record() {
    pending_ = false;
    PlanFileValues now = session_.Current();
    if (now != last_) {
        stack_.push(new PlanStep(*this, last_, now));
        last_ = std::move(now);
    }
}

void PlanHistory::Restore(const PlanFileValues& values) {
    restoring_ = true;
    session_.Restore(values);
    restoring_ = false;
    last_ = session_.Current();
}

PlanHistory& InstallPlanHistory(CSpurPlanDlg& dlg, PlanFileSession& session) {
    auto* history = new PlanHistory(dlg, session);
    QAction* undo = history->Stack().createUndoAction(&dlg, QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = history->Stack().createRedoAction(&dlg, QStringLiteral("Redo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        dlg.addAction(action);
    }
    return *history;
}

}  // namespace quorvel
