#include "dialog/spectrum_window.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "dialog/action_menu.h"
#include "dialog/field_mark.h"
#include "dialog/side_window_action.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"
#include "plan/spur_query.h"

namespace quorvel {

namespace {

const QString kHint = QStringLiteral("Point at the spectrum to name the spurs under the pointer.");

// As the command line takes them: a threshold in dB from 0, a tolerance above 0 MHz.
constexpr double kHighestThreshold = 1e6;
constexpr int kPanelWidth = 340;
constexpr int kShortFieldWidth = 90;
constexpr int kFrequencyDecimals = 3;

enum CandidateColumn { kMemberColumn, kPredictedColumn, kOffsetColumn, kLevelColumn, kColumns };

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Mhz(double mhz) {
    return Text(FormatFixed(mhz, kFrequencyDecimals));
}

QLineEdit* Field(QWidget* parent, const QString& text, const QString& tip) {
    auto* edit = new QLineEdit(text, parent);
    edit->setToolTip(tip);
    return edit;
}

QLabel* Label(const QString& text, QLineEdit* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

SpectrumWindow::SpectrumWindow(CSpurPlanDlg& main, MeasuredSpectrumPrompts prompts)
    : QWidget(&main, Qt::Window), main_(main), prompts_(std::move(prompts)) {
    setWindowTitle(QStringLiteral("Folded spectrum"));

    open_ = new QAction(QStringLiteral("Open measured spectrum..."), this);
    open_->setShortcut(QKeySequence::Open);
    open_->setShortcutContext(Qt::WindowShortcut);
    open_->setToolTip(QStringLiteral(
        "A CSV of frequency (MHz, ascending) and level (dBFS), as --measured reads it"));
    open_->setEnabled(prompts_.openName && prompts_.read);
    connect(open_, &QAction::triggered, this, &SpectrumWindow::OpenAsked);
    addAction(open_);
    clear_ = new QAction(QStringLiteral("Clear measured spectrum"), this);
    clear_->setEnabled(false);
    connect(clear_, &QAction::triggered, this, &SpectrumWindow::Clear);
    addAction(clear_);

    auto* bar = new QHBoxLayout;
    for (QAction* action : {open_, clear_}) {
        auto* button = new QPushButton(action->text(), this);
        button->setToolTip(action->toolTip());
        button->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, button,
                [button, action] { button->setEnabled(action->isEnabled()); });
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        bar->addWidget(button);
    }
    source_ = new QLabel(this);
    source_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(source_, 1);
    threshold_ = Field(this, Text(ShortestNumberText(kDefaultPeakThreshold)),
                       QStringLiteral("A peak stands this many dB above the trace's median"));
    tolerance_ = Field(this, Text(ShortestNumberText(kDefaultTolerance)),
                       QStringLiteral("How near a member must land to name a peak or a "
                                      "frequency; a unit may be typed (100 kHz)"));
    for (QLineEdit* edit : {threshold_, tolerance_}) {
        edit->setMaximumWidth(kShortFieldWidth);
    }
    bar->addWidget(Label(QStringLiteral("Peak t&hreshold (dB):"), threshold_, this));
    bar->addWidget(threshold_);
    bar->addWidget(Label(QStringLiteral("T&olerance (MHz):"), tolerance_, this));
    bar->addWidget(tolerance_);

    auto* panel = new QWidget(this);
    auto* side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    frequency_ = Field(panel, {},
                       QStringLiteral("A frequency to identify: MHz, or with its unit; a "
                                      "click on the spectrum puts a peak's here"));
    frequency_->setPlaceholderText(QStringLiteral("click a peak, or type"));
    auto* ask = new QHBoxLayout;
    ask->addWidget(Label(QStringLiteral("&Identify at (MHz):"), frequency_, panel));
    ask->addWidget(frequency_, 1);
    side->addLayout(ask);
    caption_ = new QLabel(panel);
    caption_->setWordWrap(true);
    // Room for the longest caption, so that the table does not jump as it changes.
    caption_->setMinimumHeight(2 * caption_->fontMetrics().lineSpacing());
    side->addWidget(caption_);
    table_ = new QTableWidget(0, kColumns, panel);
    table_->setHorizontalHeaderLabels({QStringLiteral("Member"), QStringLiteral("At (MHz)"),
                                       QStringLiteral("Offset (MHz)"),
                                       QStringLiteral("Level (dBFS)")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    side->addWidget(table_, 1);
    side->addWidget(new QLabel(QStringLiteral("Peaks for a review:"), panel));
    summary_ = new QPlainTextEdit(panel);
    summary_->setReadOnly(true);
    side->addWidget(summary_, 1);

    canvas_ = new SpectrumCanvas(this);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(canvas_);
    split->addWidget(panel);
    split->setStretchFactor(0, 1);
    split->setChildrenCollapsible(false);
    panel->setMinimumWidth(kPanelWidth / 2);

    status_ = new QLabel(kHint, this);
    // A long readout is cut at the window's edge rather than widening it.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    layout->addWidget(status_);
    resize(980 + kPanelWidth, 600);
    split->setSizes({980, kPanelWidth});
    ShareMainWindowKeys(*this, main_);

    connect(canvas_, &SpectrumCanvas::Hovered, this, &SpectrumWindow::OnHover);
    connect(canvas_, &SpectrumCanvas::Clicked, this, &SpectrumWindow::OnClick);
    connect(canvas_, &SpectrumCanvas::Left, this, [this] {
        pointer_.reset();
        ShowReadout();
    });
    connect(threshold_, &QLineEdit::textEdited, this, &SpectrumWindow::OnThresholdEdited);
    connect(tolerance_, &QLineEdit::textEdited, this, &SpectrumWindow::OnToleranceEdited);
    connect(frequency_, &QLineEdit::textEdited, this, &SpectrumWindow::OnFrequencyEdited);
    connect(&main_, &CSpurPlanDlg::PlanChanged, this, &SpectrumWindow::Refresh);
    connect(&main_, &CSpurPlanDlg::ModelChanged, this, &SpectrumWindow::Refresh);
    Refresh();
}

void SpectrumWindow::OpenAsked() {
    if (!prompts_.openName || !prompts_.read) {
        return;
    }
    if (const QString path = prompts_.openName(this); !path.isEmpty()) {
        Open(path);
    }
}

bool SpectrumWindow::Open(const QString& path) {
    QString problem;
    std::optional<MeasuredSpectrum> trace = prompts_.read(path, problem);
    if (!trace) {
        if (prompts_.warn) {
            prompts_.warn(this, problem);
        }
        return false;
    }
    trace_ = std::move(trace);
    traceMedian_ = TraceMedian(*trace_);
    traceName_ = QFileInfo(path).fileName();
    clear_->setEnabled(true);
    FindPeaksAgain();
    return true;
}

void SpectrumWindow::Clear() {
    trace_.reset();
    traceName_.clear();
    clear_->setEnabled(false);
    FindPeaksAgain();
}

void SpectrumWindow::Refresh() {
    tones_ = TonePositions(main_.Plan(), main_.Model());
    FindPeaksAgain();
    ShowCandidates();
}

void SpectrumWindow::FindPeaksAgain() {
    peaks_ = trace_ ? FindPeaks(*trace_, tones_, matchTolerance_, peakThreshold_)
                    : std::vector<SpectrumPeak>{};
    canvas_->Show(main_.Plan(), main_.Model(), trace_ ? &*trace_ : nullptr, traceMedian_, peaks_);
    ShowSummary();
    // What lies under a pointer that stays put changes with the plan.
    ShowReadout();
}

void SpectrumWindow::ShowSummary() {
    if (!trace_) {
        source_->setText(QStringLiteral("No measured spectrum."));
        summary_->setPlainText(
            QStringLiteral("Open a measured spectrum (%1) to mark its peaks and name the "
                           "members behind them.")
                .arg(open_->shortcut().toString(QKeySequence::NativeText)));
        return;
    }
    source_->setText(QStringLiteral("%1: %2 points, %3 peaks")
                         .arg(traceName_)
                         .arg(trace_->mhz.size())
                         .arg(peaks_.size()));
    summary_->setPlainText(Text(PeakSummary(peaks_, main_.Model())));
}

void SpectrumWindow::ShowCandidates() {
    table_->setRowCount(0);
    if (!asked_) {
        caption_->setText(QStringLiteral(
            "Click near a peak, or type a frequency, to list every member that lands there."));
        return;
    }
    const std::vector<const TonePosition*> candidates =
        CandidatesFor(tones_, *asked_, matchTolerance_);
    const QString within = QStringLiteral("within %1 MHz of %2 MHz")
                               .arg(Text(ShortestNumberText(matchTolerance_)), Mhz(*asked_));
    caption_->setText(candidates.empty()
                          ? QStringLiteral("No member lands %1.").arg(within)
                          : QStringLiteral("%1 %2 %3, nearest first:")
                                .arg(candidates.size())
                                .arg(candidates.size() == 1 ? QStringLiteral("member lands")
                                                            : QStringLiteral("members land"))
                                .arg(within));
    table_->setRowCount(static_cast<int>(candidates.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const TonePosition& tone = *candidates[static_cast<std::size_t>(row)];
        const double offset = tone.position - *asked_;
        const Qt::Alignment right = Qt::AlignRight;
        table_->setItem(row, kMemberColumn,
                        Cell(Text(ToneLabel(tone, main_.Model())), Qt::AlignLeft));
        table_->setItem(row, kPredictedColumn, Cell(Mhz(tone.position), right));
        table_->setItem(row, kOffsetColumn,
                        Cell((offset >= 0 ? QStringLiteral("+") : QString()) + Mhz(offset), right));
        table_->setItem(
            row, kLevelColumn,
            Cell(tone.level ? Text(SpectrumLevelText(*tone.level)) : QStringLiteral("unknown"),
                 right));
    }
}

void SpectrumWindow::OnThresholdEdited() {
    const auto value = ParsePlanNumber(threshold_->text().toStdString());
    if (!value) {
        MarkField(*threshold_, FieldKind::Number);
        return;
    }
    if (!(*value >= 0 && *value <= kHighestThreshold)) {
        MarkField(*threshold_, QStringLiteral("Please enter a number of dB from 0 to %1.")
                                   .arg(Text(ShortestNumberText(kHighestThreshold))));
        return;
    }
    ClearFieldMark(*threshold_);
    peakThreshold_ = *value;
    FindPeaksAgain();
}

void SpectrumWindow::OnToleranceEdited() {
    const auto value = ParseFrequencyText(tolerance_->text().toStdString());
    if (!value) {
        MarkField(*tolerance_, FieldKind::Number);
        return;
    }
    if (!(*value > 0 && *value <= kFinderFrequencyLimit)) {
        MarkField(*tolerance_, QStringLiteral("Please enter a number of MHz above 0."));
        return;
    }
    ClearFieldMark(*tolerance_);
    matchTolerance_ = *value;
    FindPeaksAgain();
    ShowCandidates();
}

void SpectrumWindow::OnFrequencyEdited() {
    if (frequency_->text().trimmed().isEmpty()) {
        ClearFieldMark(*frequency_);
        asked_.reset();
        ShowCandidates();
        return;
    }
    const auto value = ParseFrequencyText(frequency_->text().toStdString());
    if (!value || !(std::fabs(*value) <= kFinderFrequencyLimit)) {
        MarkField(*frequency_,
                  QStringLiteral("Please enter a frequency: a number of MHz, or one with its "
                                 "unit (370.7, 1.1 GHz)."));
        return;
    }
    ClearFieldMark(*frequency_);
    asked_ = *value;
    ShowCandidates();
}

void SpectrumWindow::OnClick(QPoint point) {
    const SpectrumLayout& layout = canvas_->Layout();
    const PixelRect& p = layout.plot;
    std::optional<double> clicked;
    if (const MeasuredOverlay* overlay = canvas_->Overlay()) {
        if (const auto near = PeakMarkNear(*overlay, {point.x(), point.y()})) {
            clicked = peaks_[overlay->peaks[*near].peak].mhz;
        }
    }
    if (!clicked && layout.hasData && point.x() >= p.left && point.x() < p.right &&
        point.y() >= p.top && point.y() <= p.bottom) {
        clicked = layout.FrequencyAt(point.x());
    }
    if (!clicked) {
        return;
    }
    asked_ = clicked;
    frequency_->setText(Text(ShortestNumberText(*clicked)));
    ClearFieldMark(*frequency_);
    ShowCandidates();
}

void SpectrumWindow::OnHover(QPoint point) {
    pointer_ = point;
    ShowReadout();
}

void SpectrumWindow::ShowReadout() {
    const std::string readout =
        pointer_ ? SpectrumReadout(canvas_->Layout(), {pointer_->x(), pointer_->y()}) : "";
    status_->setText(readout.empty() ? kHint : QString::fromStdString(readout));
}

QAction* InstallSpectrumWindow(CSpurPlanDlg& main, MeasuredSpectrumPrompts prompts) {
    return InstallSideWindowAction<SpectrumWindow>(main, QStringLiteral("Folded spectrum..."),
                                                   QKeySequence(Qt::CTRL | Qt::Key_F),
                                                   std::move(prompts));
}

}  // namespace quorvel
