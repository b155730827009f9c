#include "dialog_invariants.h"

#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <array>
#include <sstream>

#include "dialog/field_mark.h"
#include "dialog/spur_plan_dlg.h"
#include "monkey_text.h"
#include "paint/paint_cycle.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"
#include "res/resource.h"

namespace quorvel::test {

namespace {

struct NumberField {
    int id;
    const char* name;
    double PlanFields::*value;
};

constexpr std::array<NumberField, 4> kNumberFields{{
    {IDC_FS, "Fs", &PlanFields::m_fs},
    {IDC_IF, "IF", &PlanFields::m_if},
    {IDC_IF_BW, "IF BW", &PlanFields::m_ifBw},
    {IDC_RF_BW, "RF BW", &PlanFields::m_rfBw},
}};

// The plan and marker as far as the picture goes.
bool SamePicture(const PlanFields& a, MarkerPoint aMarker, const PlanFields& b,
                 MarkerPoint bMarker) {
    return a.m_fs == b.m_fs && a.m_if == b.m_if && a.m_ifBw == b.m_ifBw &&
           a.m_harmonics == b.m_harmonics && a.m_rfBw == b.m_rfBw && aMarker == bMarker;
}

std::string MarkProblem(const QLineEdit& edit, const char* name, bool converts, FieldKind kind) {
    if (converts && IsFieldMarked(edit)) {
        return std::string(name) + " converts but is marked";
    }
    if (!converts && (!IsFieldMarked(edit) || edit.toolTip() != FieldProblemText(kind))) {
        return std::string(name) + " does not convert but is not marked";
    }
    return {};
}

}  // namespace

PaintWatch::PaintWatch(CSpurPlanDlg& dlg)
    : dlg_(dlg), plan_(dlg.Plan()), marker_(dlg.Marker()), size_(dlg.size()) {
    ApplyHarmonicCap(plan_);
    dlg.installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &dlg_ && event->type() == QEvent::Paint) {
        ++paintEvents_;
        plan_ = dlg_.Plan();
        ApplyHarmonicCap(plan_);
        marker_ = dlg_.Marker();
        size_ = dlg_.size();
    }
    return false;
}

std::string CheckControls(const CSpurPlanDlg& dlg) {
    std::ostringstream problems;
    if (!dlg.isVisible()) {
        problems << "the dialog is no longer visible; ";
    }
    const PlanFields& plan = dlg.Plan();
    for (const NumberField& field : kNumberFields) {
        const QLineEdit& edit = *dlg.Edit(field.id);
        const std::optional<double> typed = ParsePlanNumber(edit.text().toStdString());
        const double value = plan.*field.value;
        // A value the dialog wrote back is shown in its display form, which may hold
        // fewer digits than the plan: that text is the plan's own.
        if (typed && *typed != value && edit.text().toStdString() != FormatPlanNumber(value)) {
            problems << field.name << " text " << QuoteForLog(edit.text()) << " but plan "
                     << FormatFixed(value, 17) << "; ";
        }
        problems << MarkProblem(edit, field.name, typed.has_value(), FieldKind::Number);
    }
    // The paint lowers the count to 26 in the plan but not in the field; a read of the
    // field puts the typed count back until the next paint.
    const QLineEdit& harmonicsEdit = *dlg.Edit(IDC_HARMONICS);
    const std::optional<int> harmonics = ParsePlanInteger(harmonicsEdit.text().toStdString());
    if (harmonics && plan.m_harmonics != *harmonics &&
        plan.m_harmonics != std::min(*harmonics, kHarmonicCap)) {
        problems << "H text " << QuoteForLog(harmonicsEdit.text()) << " but plan "
                 << plan.m_harmonics << "; ";
    }
    problems << MarkProblem(harmonicsEdit, "H", harmonics.has_value(), FieldKind::Integer);

    const int selected = dlg.VariableCombo()->currentIndex();
    if (plan.m_sliderVariable != selected) {
        problems << "selector shows " << selected << " but the slider drives "
                 << plan.m_sliderVariable << "; ";
    }
    if (dlg.LastSliderPos() != dlg.Slider()->value()) {
        problems << "slider at " << dlg.Slider()->value() << " but last acted upon at "
                 << dlg.LastSliderPos() << "; ";
    }
    return problems.str();
}

bool PaintIsCurrent(const CSpurPlanDlg& dlg, const PaintWatch& watch) {
    PlanFields drawn = dlg.Plan();
    ApplyHarmonicCap(drawn);
    return watch.LastPaintedSize() == dlg.size() &&
           SamePicture(watch.LastPaintedPlan(), watch.LastPaintedMarker(), drawn, dlg.Marker());
}

std::string DescribePaintLag(const CSpurPlanDlg& dlg, const PaintWatch& watch) {
    const auto describe = [](const PlanFields& plan, MarkerPoint marker, QSize size) {
        std::ostringstream text;
        text << size.width() << "x" << size.height() << " Fs " << FormatPlanNumber(plan.m_fs)
             << " IF " << FormatPlanNumber(plan.m_if) << " IF BW " << FormatPlanNumber(plan.m_ifBw)
             << " H " << plan.m_harmonics << " RF BW " << FormatPlanNumber(plan.m_rfBw)
             << " marker " << marker.x << "," << marker.y;
        return text.str();
    };
    return "last painted " +
           describe(watch.LastPaintedPlan(), watch.LastPaintedMarker(), watch.LastPaintedSize()) +
           "; now " + describe(dlg.Plan(), dlg.Marker(), dlg.size());
}

std::string CheckRepaintShowsPlan(CSpurPlanDlg& dlg, const PaintWatch& watch) {
    const int events = watch.PaintEvents();
    const int completed = dlg.PaintCount();
    dlg.repaint();
    if (watch.PaintEvents() != events + 1 || dlg.PaintCount() != completed + 1) {
        return "a forced repaint did not run to its end";
    }
    const QLineEdit& harmonicsEdit = *dlg.Edit(IDC_HARMONICS);
    const std::optional<int> harmonics = ParsePlanInteger(harmonicsEdit.text().toStdString());
    if (harmonics && dlg.Plan().m_harmonics != std::min(*harmonics, kHarmonicCap)) {
        return "after a paint, H text " + QuoteForLog(harmonicsEdit.text()) + " but plan " +
               std::to_string(dlg.Plan().m_harmonics);
    }
    const int height = dlg.height() - kControlStripHeight;
    PlanFields plan = dlg.Plan();
    const QImage composed = ComposeChartArea(plan, dlg.width(), height, dlg.Marker());
    if (composed.isNull()) {
        return {};  // no chart area at this size
    }
    // What the window system holds for the window, not a fresh rendering of the widget.
    const QImage shown = dlg.screen()
                             ->grabWindow(dlg.winId(), 0, kControlStripHeight, dlg.width(), height)
                             .toImage();
    if (shown.convertToFormat(QImage::Format_RGB32) !=
        composed.convertToFormat(QImage::Format_RGB32)) {
        return "the chart area on screen differs from the composed plan";
    }
    return {};
}

}  // namespace quorvel::test
