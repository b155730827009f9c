#include "dialog/clean_map_window.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "charts/clean_map_levels.h"
#include "dialog/action_menu.h"
#include "dialog/clean_slider_strip.h"
#include "dialog/field_mark.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/clean_map_image.h"
#include "plan/clean_map_ranges.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"
#include "plan/spur_verdict.h"
#include "plan/spur_windows.h"
#include "res/resource.h"

namespace quorvel {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// What the pointer is over: the point, then the verdict there.
QString Readout(PlanFields plan, const SpurQuery& query, double fs, double ifCentre) {
    plan.m_fs = fs;
    plan.m_if = ifCentre;
    QString worst;
    if (LevelsGiven(query.model)) {
        // The member whose level colours the point, first.
        const SpurVerdict verdict = JudgeSpurs(plan, query);
        if (const auto member = WorstMeetingMember(verdict, query.model, query.against, plan)) {
            const auto level = MemberLevel(*member, query.model);
            worst = QStringLiteral("loudest %1 at %2; ")
                        .arg(Text(member->family == SpurFamily::kHarmonic
                                      ? "H" + std::to_string(member->order)
                                      : SpurMemberLabel(*member, query.model)),
                             level ? Text(FormatFixed(*level, 1) + " dBFS")
                                   : QStringLiteral("an unknown level"));
        }
    }
    return QStringLiteral("Fs %1 MHz, IF %2 MHz: %3%4")
        .arg(Text(FormatFixed(fs, 3)), Text(FormatFixed(ifCentre, 3)), worst,
             Text(SpurVerdictText(plan, query)));
}

struct TypedValue {
    QString text;
    double value = 0;
};

// The shortest text within a quarter pixel of the centre that the map shows alike; the
// centre itself, exactly, when no shorter text does. Nothing for a centre that is no number,
// which no field would take.
std::optional<TypedValue> ClickText(double centre, double pixel,
                                    const std::function<bool(double)>& same) {
    if (!std::isfinite(centre)) {
        return std::nullopt;
    }
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const auto text = FormatFixed(centre, decimals);
        const auto value = ParsePlanNumber(text);
        if (value && std::fabs(*value - centre) <= pixel / 4 && same(*value)) {
            return TypedValue{Text(text), *value};
        }
    }
    return TypedValue{Text(ShortestNumberText(centre)), centre};
}

// Why the map cannot be drawn over a range as the fields give it, if it cannot.
std::optional<QString> RangeProblem(FrequencyInterval range) {
    if (range.lo == range.hi) {
        return QStringLiteral("The range is empty: its two ends must differ.");
    }
    if (range.lo > range.hi) {
        return QStringLiteral("The range runs backwards: the lower end comes first.");
    }
    if (!std::isfinite(range.hi - range.lo)) {
        return QStringLiteral("The range is too wide to map: its width is beyond any number.");
    }
    return std::nullopt;
}

// A one-line status that never asks for more width than the window has: a long readout is
// cut short with an ellipsis instead of widening the window.
class StatusLabel : public QLabel {
  public:
    using QLabel::QLabel;

    QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                              fontMetrics().elidedText(text(), Qt::ElideRight, area.width()),
                              foregroundRole());
    }
};

}  // namespace

CleanMapCanvas::CleanMapCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CleanMapCanvas::Show(const PlanFields& plan, const CleanMapView& view) {
    plan_ = plan;
    view_ = view;
    update();
}

std::optional<std::pair<double, double>> CleanMapCanvas::PointAt(QPoint point) const {
    const CleanMapGeometry geometry = Geometry();
    if (!geometry.OnBody(point.x(), point.y())) {
        return std::nullopt;
    }
    return std::pair{geometry.ColumnFsAt(point.x()), geometry.RowIfAt(point.y())};
}

CleanMapGeometry CleanMapCanvas::Geometry() const {
    return LayOutCleanMap(view_, width(), height());
}

void CleanMapCanvas::paintEvent(QPaintEvent* /*event*/) {
    const CleanMapImage& frame = cache_.Frame(plan_, view_, width(), height(),
                                              {.scale = ChartScaleFor(devicePixelRatioF())});
    ++paintCount_;
    QPainter painter(this);
    painter.drawImage(0, 0, frame.image);
    if (const auto mark = ComposeCleanMapMark(frame, plan_, view_)) {
        painter.drawImage(mark->at, mark->image);
    }
}

void CleanMapCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit Hovered(event->position().toPoint());
}

void CleanMapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Clicked(event->position().toPoint());
    }
}

CleanMapWindow::CleanMapWindow(CSpurPlanDlg& main) : QWidget(&main, Qt::Window), main_(main) {
    setWindowTitle(QStringLiteral("Clean map"));
    auto* controls = new QHBoxLayout;
    const char* labels[] = {"Fs from", "to", "IF from", "to"};
    for (std::size_t i = 0; i < rangeEdits_.size(); ++i) {
        controls->addWidget(new QLabel(QString::fromLatin1(labels[i]), this));
        rangeEdits_[i] = new QLineEdit(this);
        rangeEdits_[i]->setMaximumWidth(90);
        controls->addWidget(rangeEdits_[i]);
        connect(rangeEdits_[i], &QLineEdit::textChanged, this, &CleanMapWindow::OnFieldEdited);
    }
    controls->addWidget(new QLabel(QStringLiteral("against"), this));
    againstCombo_ = new QComboBox(this);
    for (const auto& [against, name] : kAgainstNames) {
        againstCombo_->addItem(QString::fromLatin1(name), static_cast<int>(against));
    }
    controls->addWidget(againstCombo_);
    connect(againstCombo_, &QComboBox::currentIndexChanged, this, &CleanMapWindow::OnFieldEdited);
    controls->addWidget(new QLabel(QStringLiteral("margin"), this));
    marginEdit_ = new QLineEdit(this);
    marginEdit_->setMaximumWidth(60);
    controls->addWidget(marginEdit_);
    connect(marginEdit_, &QLineEdit::textChanged, this, &CleanMapWindow::OnFieldEdited);
    controls->addStretch();

    canvas_ = new CleanMapCanvas(this);
    strip_ = new CleanSliderStrip(main_, *main_.Slider());
    status_ = new StatusLabel(this);
    status_->setText(
        QStringLiteral("Point at the map for a readout; click to move the plan there."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(canvas_, 1);
    layout->addWidget(status_);
    resize(980, 720);
    ShareMainWindowKeys(*this, main_);

    connect(canvas_, &CleanMapCanvas::Hovered, this, &CleanMapWindow::OnHover);
    connect(canvas_, &CleanMapCanvas::Clicked, this, &CleanMapWindow::OnClick);
    connect(&main_, &CSpurPlanDlg::PlanChanged, this, &CleanMapWindow::Refresh);
    connect(&main_, &CSpurPlanDlg::FinderChanged, this, &CleanMapWindow::OnFinderChanged);
    connect(&main_, &CSpurPlanDlg::ModelChanged, this, &CleanMapWindow::Refresh);
    ShowFinder(main_.Finder());
    Refresh();
}

void CleanMapWindow::ShowFinder(const FinderSettings& finder) {
    // Ranges not set start at the defaults for the plan of the moment and stay put as the
    // plan moves, so that a click or a slider drag moves the mark over a map that holds still.
    // A setting is shown to the last digit, so that handing it back unchanged changes
    // nothing; a default in the fields' usual form.
    const auto show = [](QLineEdit& edit, double value, bool set) {
        const QSignalBlocker blocker(&edit);
        edit.setText(Text(set ? ShortestNumberText(value) : FormatPlanNumber(value)));
    };
    const CleanMapRanges defaults = DefaultCleanMapRanges(main_.Plan());
    const FrequencyInterval fs = finder.fsRange.value_or(defaults.fs);
    const FrequencyInterval ifc = finder.ifRange.value_or(defaults.ifc);
    const double ends[] = {fs.lo, fs.hi, ifc.lo, ifc.hi};
    const bool set[] = {finder.fsRange.has_value(), finder.fsRange.has_value(),
                        finder.ifRange.has_value(), finder.ifRange.has_value()};
    for (std::size_t i = 0; i < rangeEdits_.size(); ++i) {
        show(*rangeEdits_[i], ends[i], set[i]);
    }
    show(*marginEdit_, finder.margin.value_or(0), finder.margin.has_value());
    const QSignalBlocker blocker(againstCombo_);
    againstCombo_->setCurrentIndex(
        againstCombo_->findData(static_cast<int>(finder.against.value_or(Against::kBoth))));
}

void CleanMapWindow::OnFieldEdited() {
    Refresh();
    // What the map shows and the fields hold good: a range only as typed in full and taken,
    // since an emptied end follows the plan; a field that does not convert leaves its
    // setting as it was.
    FinderSettings finder = main_.Finder();
    const auto keep = [this](std::size_t first, FrequencyInterval shown,
                             std::optional<FrequencyInterval>& setting) {
        const auto empty = [](const QLineEdit* e) { return e->text().trimmed().isEmpty(); };
        const auto good = [&](const QLineEdit* e) { return !empty(e) && !IsFieldMarked(*e); };
        const QLineEdit* lo = rangeEdits_[first];
        const QLineEdit* hi = rangeEdits_[first + 1];
        if (empty(lo) && empty(hi)) {
            setting.reset();
        } else if (good(lo) && good(hi)) {
            setting = shown;
        }
    };
    keep(0, view_.fsRange, finder.fsRange);
    keep(2, view_.ifRange, finder.ifRange);
    finder.against = view_.query.against;
    if (!IsFieldMarked(*marginEdit_)) {
        finder.margin = view_.query.margin;
    }
    writingBack_ = true;
    main_.SetFinder(finder);
    writingBack_ = false;
}

void CleanMapWindow::OnFinderChanged() {
    if (writingBack_) {
        return;  // the map's own settings, already shown
    }
    ShowFinder(main_.Finder());
    Refresh();
}

void CleanMapWindow::ReadView() {
    const PlanFields& plan = main_.Plan();
    // An empty field takes its default for the plan of the moment: the slider's Fs range,
    // and 0 to Fs/2 for the IF, or ranges around an under-sampled plan.
    const CleanMapRanges ranges = DefaultCleanMapRanges(plan);
    const double defaults[] = {ranges.fs.lo, ranges.fs.hi, ranges.ifc.lo, ranges.ifc.hi};
    // A field that does not convert keeps the end in use.
    double ends[] = {view_.fsRange.lo, view_.fsRange.hi, view_.ifRange.lo, view_.ifRange.hi};
    std::array<bool, 4> converted{};
    for (std::size_t i = 0; i < rangeEdits_.size(); ++i) {
        QLineEdit& edit = *rangeEdits_[i];
        edit.setPlaceholderText(Text(FormatPlanNumber(defaults[i])));
        if (edit.text().trimmed().isEmpty()) {
            ends[i] = defaults[i];
            converted[i] = true;
        } else if (const auto value = ParseFrequencyText(edit.text().toStdString())) {
            ends[i] = *value;
            converted[i] = true;
        } else {
            MarkField(edit, FieldKind::Number);
        }
    }
    // A range is taken whole or not at all, so that the map keeps its last good view.
    FrequencyInterval* shown[] = {&view_.fsRange, &view_.ifRange};
    for (std::size_t r = 0; r < 2; ++r) {
        const FrequencyInterval range{ends[2 * r], ends[2 * r + 1]};
        const std::optional<QString> problem = RangeProblem(range);
        if (!problem) {
            *shown[r] = range;
        }
        for (const std::size_t i : {2 * r, 2 * r + 1}) {
            if (!converted[i]) {
                continue;  // marked as not converting
            }
            if (problem) {
                MarkField(*rangeEdits_[i], *problem);
            } else {
                ClearFieldMark(*rangeEdits_[i]);
            }
        }
    }
    const auto margin = ParseFrequencyText(marginEdit_->text().toStdString());
    if (margin && *margin >= 0) {
        view_.query.margin = *margin;
        ClearFieldMark(*marginEdit_);
    } else {
        MarkField(*marginEdit_, FieldKind::Number);
    }
    if (const QVariant chosen = againstCombo_->currentData(); chosen.isValid()) {
        view_.query.against = static_cast<Against>(chosen.toInt());
    }
    view_.query.model = main_.Model();
}

void CleanMapWindow::Refresh() {
    ReadView();
    canvas_->Show(main_.Plan(), view_);
    if (isVisible()) {
        strip_->Update(view_.query);
    }
}

void CleanMapWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    strip_->Update(view_.query);
    strip_->setVisible(strip_->Fits());
}

void CleanMapWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    strip_->hide();
}

void CleanMapWindow::OnHover(QPoint point) {
    if (const auto at = canvas_->PointAt(point)) {
        status_->setText(Readout(main_.Plan(), view_.query, at->first, at->second));
    }
}

void CleanMapWindow::OnClick(QPoint point) {
    const auto at = canvas_->PointAt(point);
    if (!at) {
        return;
    }
    const CleanMapGeometry geometry = canvas_->Geometry();
    const double fsPixel = geometry.FsPerColumn();
    const double ifPixel = geometry.IfPerRow();
    const auto codeAt = [this](double fs, double ifCentre) {
        PlanFields plan = main_.Plan();
        plan.m_fs = fs;
        plan.m_if = ifCentre;
        const SpurVerdict verdict = JudgeSpurs(plan, view_.query);
        return LevelsGiven(view_.query.model)
                   ? LevelledMapCodeOf(verdict, view_.query.model, view_.query.against, plan)
                   : MapCodeOf(verdict, view_.query.model);
    };
    const MapCode shown = codeAt(at->first, at->second);
    const auto fs =
        ClickText(at->first, fsPixel, [&](double v) { return codeAt(v, at->second) == shown; });
    if (!fs) {
        return;
    }
    const auto ifc =
        ClickText(at->second, ifPixel, [&](double v) { return codeAt(fs->value, v) == shown; });
    if (!ifc) {
        return;
    }
    main_.TypeIntoField(IDC_FS, fs->text);
    main_.TypeIntoField(IDC_IF, ifc->text);
}

void InstallCleanMap(CSpurPlanDlg& main) {
    auto* action = new QAction(QStringLiteral("Clean map..."), &main);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    action->setShortcutContext(Qt::WindowShortcut);
    main.addAction(action);
    QObject::connect(action, &QAction::triggered, &main, [&main] {
        auto* window = main.findChild<CleanMapWindow*>();
        if (window == nullptr) {
            window = new CleanMapWindow(main);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

}  // namespace quorvel
