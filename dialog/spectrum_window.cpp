#include "dialog/spectrum_window.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "dialog/action_menu.h"
#include "dialog/side_window_action.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/spectrum_image.h"

namespace quorvel {

namespace {

const QString kHint = QStringLiteral("Point at the spectrum to name the spurs under the pointer.");

}  // namespace

SpectrumCanvas::SpectrumCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpectrumCanvas::Show(const PlanFields& plan, const SpurModel& model) {
    plan_ = plan;
    model_ = model;
    layout_.reset();
    update();
}

const SpectrumLayout& SpectrumCanvas::Layout() const {
    if (!layout_ || layout_->width != width() || layout_->height != height()) {
        layout_ = LayOutSpectrum(plan_, model_, width(), height());
    }
    return *layout_;
}

void SpectrumCanvas::paintEvent(QPaintEvent* /*event*/) {
    const QImage image = ComposeSpectrum(Layout(), {.scale = ChartScaleFor(devicePixelRatioF())});
    ++paintCount_;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void SpectrumCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit Hovered(event->position().toPoint());
}

void SpectrumCanvas::leaveEvent(QEvent* /*event*/) {
    emit Left();
}

SpectrumWindow::SpectrumWindow(CSpurPlanDlg& main) : QWidget(&main, Qt::Window), main_(main) {
    setWindowTitle(QStringLiteral("Folded spectrum"));
    canvas_ = new SpectrumCanvas(this);
    status_ = new QLabel(kHint, this);
    // A long readout is cut at the window's edge rather than widening it.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addWidget(status_);
    resize(980, 600);
    ShareMainWindowKeys(*this, main_);

    connect(canvas_, &SpectrumCanvas::Hovered, this, &SpectrumWindow::OnHover);
    connect(canvas_, &SpectrumCanvas::Left, this, [this] {
        pointer_.reset();
        ShowReadout();
    });
    connect(&main_, &CSpurPlanDlg::PlanChanged, this, &SpectrumWindow::Refresh);
    connect(&main_, &CSpurPlanDlg::ModelChanged, this, &SpectrumWindow::Refresh);
    Refresh();
}

void SpectrumWindow::Refresh() {
    canvas_->Show(main_.Plan(), main_.Model());
    // What lies under a pointer that stays put changes with the plan.
    ShowReadout();
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

QAction* InstallSpectrumWindow(CSpurPlanDlg& main) {
    return InstallSideWindowAction<SpectrumWindow>(main, QStringLiteral("Folded spectrum..."),
                                                   QKeySequence(Qt::CTRL | Qt::Key_F));
}

}  // namespace quorvel
