#include "dialog/spur_plan_dlg.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>

#include "dialog/chart_tooltip.h"
#include "dialog/field_mark.h"
#include "dialog/minimised_icon.h"
#include "dialog/system_command.h"
#include "dialog/system_menu.h"
#include "dialog/template_widgets.h"
#include "paint/paint_cycle.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"
#include "res/dialog_template.h"
#include "res/dialog_units.h"
#include "res/main_frame_icon.h"
#include "res/resource.h"
#include "res/string_table.h"

namespace quorvel {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// One field of the exchange. Reading keeps the field's last good value when the text
// does not convert; writing holds back the control's change notification.
template <typename Value, typename Parse, typename Format>
bool ExchangeField(QLineEdit& edit, Value& field, bool saveAndValidate, FieldKind kind, Parse parse,
                   Format format) {
    if (!saveAndValidate) {
        const QSignalBlocker blocker(edit);
        edit.setText(ToQString(format(field)));
        ClearFieldMark(edit);
        return true;
    }
    if (const auto value = parse(edit.text().toStdString())) {
        field = *value;
        ClearFieldMark(edit);
        return true;
    }
    MarkField(edit, kind);
    return false;
}

bool ExchangeNumber(QLineEdit& edit, double& field, bool saveAndValidate) {
    return ExchangeField(edit, field, saveAndValidate, FieldKind::Number, ParseFrequencyText,
                         FormatPlanNumber);
}

bool ExchangeInteger(QLineEdit& edit, int& field, bool saveAndValidate) {
    return ExchangeField(edit, field, saveAndValidate, FieldKind::Integer, ParsePlanInteger,
                         FormatPlanInteger);
}

// The strip was designed for the template font's size; the family is the platform's.
QFont TemplateFont(const DialogTemplate& dialogTemplate, QFont font) {
    font.setPointSize(dialogTemplate.fontPointSize);
    return font;
}

}  // namespace

CSpurPlanDlg::CSpurPlanDlg(QWidget* parent, const PlanFields& initial)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_plan(initial),
      m_hIcon(MainFrameIcon()) {
    const DialogTemplate& dialogTemplate = MainDialogTemplate();
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption.data(),
                                     static_cast<qsizetype>(dialogTemplate.caption.size())));
    setFont(TemplateFont(dialogTemplate, font()));
    const DialogPixels client = DialogClientRect(dialogTemplate);
    resize(client.width, client.height);
    // The paint covers the whole window itself: no erase before it, so no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);

    const TemplateWidgets controls = BuildTemplateControls(dialogTemplate, *this);
    m_variableCombo = controls.As<QComboBox>(IDC_SLIDER_VARIABLE);
    m_slider = controls.As<QSlider>(IDC_SLIDER);
    m_ifEdit = controls.As<QLineEdit>(IDC_IF);
    m_ifBwEdit = controls.As<QLineEdit>(IDC_IF_BW);
    m_fsEdit = controls.As<QLineEdit>(IDC_FS);
    m_harmonicsEdit = controls.As<QLineEdit>(IDC_HARMONICS);
    m_rfBwEdit = controls.As<QLineEdit>(IDC_RF_BW);

    OnInitDialog();
    // The start-up plan is the one first told: the slider variable it came with is
    // replaced by the initialisation, which is no change of plan.
    m_notifiedPlan = m_plan;

    for (QLineEdit* edit : {m_ifEdit, m_harmonicsEdit, m_ifBwEdit, m_rfBwEdit, m_fsEdit}) {
        connect(edit, &QLineEdit::textChanged, this, &CSpurPlanDlg::OnChangePlanField);
    }
    connect(m_slider, &QSlider::valueChanged, this, &CSpurPlanDlg::PollSlider);
    connect(m_variableCombo, &QComboBox::activated, this, &CSpurPlanDlg::OnSelChangeSliderVariable);
}

QLineEdit* CSpurPlanDlg::Edit(int id) const {
    switch (id) {
        case IDC_IF:
            return m_ifEdit;
        case IDC_IF_BW:
            return m_ifBwEdit;
        case IDC_FS:
            return m_fsEdit;
        case IDC_HARMONICS:
            return m_harmonicsEdit;
        case IDC_RF_BW:
            return m_rfBwEdit;
        default:
            return nullptr;
    }
}

void CSpurPlanDlg::OnInitDialog() {
    DoDataExchange(false);

    AppendAboutToSystemMenu(*this, LoadResourceString(IDS_ABOUTBOX));
    setWindowIcon(m_hIcon);

    const SliderSetup setup = InitialiseSliderState(m_plan, m_lastSliderPos, m_markerX, m_markerY);
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(setup.minimum, setup.maximum);
        m_slider->setValue(setup.position);
    }
    m_lastSliderPos = m_slider->value();
    {
        const QSignalBlocker blocker(m_variableCombo);
        m_variableCombo->insertItem(0, QStringLiteral("Fs"));
        m_variableCombo->insertItem(1, QStringLiteral("IF"));
        m_variableCombo->setCurrentIndex(0);
    }
    m_ifEdit->setFocus();
}

bool CSpurPlanDlg::DoDataExchange(bool saveAndValidate) {
    // The selector and the slider are bound once, at construction; only the edit fields
    // are exchanged. Every field is exchanged even when an earlier one fails.
    bool converted = ExchangeNumber(*m_fsEdit, m_plan.m_fs, saveAndValidate);
    converted = ExchangeNumber(*m_ifEdit, m_plan.m_if, saveAndValidate) && converted;
    converted = ExchangeNumber(*m_ifBwEdit, m_plan.m_ifBw, saveAndValidate) && converted;
    converted = ExchangeInteger(*m_harmonicsEdit, m_plan.m_harmonics, saveAndValidate) && converted;
    converted = ExchangeNumber(*m_rfBwEdit, m_plan.m_rfBw, saveAndValidate) && converted;
    ShowPlanNotes();
    return converted;
}

void CSpurPlanDlg::ShowPlanNotes() {
    // Values the charts take other than as typed, or that are seldom meant: told in the
    // field's tooltip, never refused. A field marked for text that does not convert keeps
    // its mark's message.
    const auto note = [](QLineEdit& edit, bool applies, const QString& text) {
        if (!IsFieldMarked(edit)) {
            edit.setToolTip(applies ? text : QString());
        }
    };
    const auto typedCount = ParsePlanInteger(m_harmonicsEdit->text().toStdString());
    note(*m_harmonicsEdit, typedCount && *typedCount > kHarmonicCap,
         QStringLiteral("Drawn as %1: the charts show harmonics up to %1.").arg(kHarmonicCap));
    note(*m_ifBwEdit, m_plan.m_ifBw < 0,
         QStringLiteral("A negative width spans the same band as its magnitude."));
    note(*m_rfBwEdit, std::fabs(m_plan.m_rfBw) < std::fabs(m_plan.m_ifBw),
         QStringLiteral("Narrower than the IF BW: the RF band lies inside the IF band."));
}

void CSpurPlanDlg::OnChangePlanField() {
    DoDataExchange(true);
    Invalidate();
}

void CSpurPlanDlg::PollSlider() {
    const PlanFields before = m_plan;
    DoDataExchange(true);
    if (ApplySliderPosition(m_plan, m_lastSliderPos, m_markerX, m_markerY, m_slider->value())) {
        DoDataExchange(false);
        Invalidate();
    } else if (m_plan != before) {
        // The read alone changed the plan (a field the last write-back showed in fewer
        // digits than it held, say): the charts must show what the plan now holds.
        Invalidate();
    }
}

void CSpurPlanDlg::OnSelChangeSliderVariable() {
    m_plan.m_sliderVariable = m_variableCombo->currentIndex();
    NotifyPlanChange();
    const std::optional<SliderSetup> setup = SliderSetupFor(m_plan, m_plan.m_sliderVariable);
    if (!setup) {
        return;
    }
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(setup->minimum, setup->maximum);
        m_slider->setValue(setup->position);
    }
    // Setting the range and position leaves the remembered position alone, so this poll
    // hands the newly driven field the slider's whole-MHz position if it differs.
    PollSlider();
}

void CSpurPlanDlg::OnLButtonDown(QPoint point) {
    m_markerX = point.x();
    m_markerY = point.y();
    Invalidate();
}

void CSpurPlanDlg::OnRButtonDown(QPoint /*point*/) {
    m_markerX = 0;
    m_markerY = 0;
    Invalidate();
}

bool CSpurPlanDlg::OnSysCommand(std::uint32_t nID) {
    if (!IsAboutBoxCommand(nID)) {
        return false;
    }
    if (m_showAboutBox) {
        m_showAboutBox();
    }
    return true;
}

void CSpurPlanDlg::OnHelp() {
    if (m_showAboutBox) {
        m_showAboutBox();
    }
}

void CSpurPlanDlg::TypeIntoField(int id, const QString& text) {
    if (QLineEdit* edit = Edit(id)) {
        edit->setText(text);
    }
}

void CSpurPlanDlg::done(int result) {
    if (m_closeGuard && !m_closeGuard()) {
        return;
    }
    QDialog::done(result);
}

void CSpurPlanDlg::Invalidate() {
    NotifyPlanChange();
    update();
}

void CSpurPlanDlg::NotifyPlanChange() {
    if (m_plan == m_notifiedPlan) {
        return;
    }
    m_notifiedPlan = m_plan;
    emit PlanChanged();
}

void CSpurPlanDlg::SetFinder(const FinderSettings& finder) {
    if (finder != m_finder) {
        m_finder = finder;
        emit FinderChanged();
    }
}

void CSpurPlanDlg::SetModel(const SpurModel& model) {
    if (model != m_model) {
        m_model = model;
        emit ModelChanged();
    }
}

void CSpurPlanDlg::SetHighlightedHarmonic(std::optional<int> harmonic) {
    if (harmonic != m_highlight) {
        m_highlight = harmonic;
        update();
    }
}

bool CSpurPlanDlg::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowChartToolTip(*this, m_plan, static_cast<QHelpEvent&>(*event));
        return true;
    }
    return QDialog::event(event);
}

void CSpurPlanDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (isMinimized()) {
        PaintMinimisedIcon(painter, size(), m_hIcon, palette().window().color());
        return;
    }
    // The strip is the one part of the window the chart bitmap does not cover.
    painter.fillRect(0, 0, width(), kControlStripHeight, palette().window());
    const QRect chartRect(0, kControlStripHeight, width(), height() - kControlStripHeight);
    if (!chartRect.isEmpty() && !event->region().intersects(chartRect)) {
        // Only the strip needs painting (a control redrew itself, a caret blinked): the
        // charts on screen still show the plan, so they are not composed again.
        return;
    }
    // A harmonic count above the cap is lowered in the plan by every paint; the edit control
    // shows the lowered count from the next write-back on.
    ApplyHarmonicCap(m_plan);
    // On a screen of two device pixels to the pixel, the chart is drawn on all of them.
    const QImage chartArea =
        ComposeChartArea(m_plan, width(), height() - kControlStripHeight, Marker(), m_highlight,
                         {.scale = ChartScaleFor(devicePixelRatioF())});
    if (!chartArea.isNull()) {
        painter.drawImage(QPoint(0, kControlStripHeight), chartArea);
    }
    ++m_paintCount;
}

void CSpurPlanDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(point);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(point);
    }
    QDialog::mousePressEvent(event);
}

void CSpurPlanDlg::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        OnHelp();
        return;
    }
    const bool plainKey =
        event->modifiers() == Qt::NoModifier ||
        (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plainKey && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape ends the dialog through reject()
}

void CSpurPlanDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        Invalidate();
    }
    QDialog::changeEvent(event);
}

bool CSpurPlanDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (const std::optional<std::uint32_t> command = SystemCommandOf(eventType, message)) {
        if (OnSysCommand(*command)) {
            *result = 0;
            return true;
        }
    }
    return QDialog::nativeEvent(eventType, message, result);
}

}  // namespace quorvel
