// The clean map in a window of its own, beside the main one: it follows every change of the
// main window's plan, reads out the verdict under the pointer, and a click moves the plan
// there by typing Fs and the IF into the main window's fields.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>
#include <utility>

#include "charts/clean_map_geometry.h"
#include "paint/clean_map_image.h"
#include "plan/finder_settings.h"
#include "plan/plan_fields.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace quorvel {

class CSpurPlanDlg;
class CleanSliderStrip;

/// The map itself: composes on demand, at its own size, what the window asks for.
class CleanMapCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit CleanMapCanvas(QWidget* parent);

    /// Takes the plan and view to draw; the map is composed at the next paint.
    void Show(const PlanFields& plan, const CleanMapView& view);

    /// The frequencies at the centre of the body pixel under `point`, if it is on the body.
    std::optional<std::pair<double, double>> PointAt(QPoint point) const;
    /// Where the map lies at the canvas's size now.
    CleanMapGeometry Geometry() const;

    /// Paints so far, and how many of them composed the map's body anew.
    int PaintCount() const { return paintCount_; }
    int ComposeCount() const { return cache_.ComposeCount(); }

  signals:
    void Hovered(QPoint point);
    void Clicked(QPoint point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    PlanFields plan_;
    CleanMapView view_;
    CleanMapCache cache_;
    int paintCount_ = 0;
};

class CleanMapWindow : public QWidget {
    Q_OBJECT

  public:
    /// Opens with main's finder settings where they are set, the defaults elsewhere.
    explicit CleanMapWindow(CSpurPlanDlg& main);

    CleanMapCanvas* Canvas() const { return canvas_; }
    /// The range fields: Fs from, Fs to, IF from, IF to; and the margin.
    QLineEdit* RangeEdit(int index) const { return rangeEdits_[static_cast<std::size_t>(index)]; }
    QLineEdit* MarginEdit() const { return marginEdit_; }
    QComboBox* AgainstCombo() const { return againstCombo_; }
    QLabel* StatusLine() const { return status_; }
    CleanSliderStrip* SliderStrip() const { return strip_; }
    /// What the map shows now: the ranges typed, or the defaults for the current plan.
    CleanMapView View() const { return view_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Refresh();
    void ReadView();
    /// Writes `finder` into the fields, the defaults for the plan where a setting is not
    /// set, without taking them for the user's.
    void ShowFinder(const FinderSettings& finder);
    /// A field the user changed: the map follows, and main keeps what it now shows.
    void OnFieldEdited();
    void OnFinderChanged();
    void OnHover(QPoint point);
    void OnClick(QPoint point);

    CSpurPlanDlg& main_;
    std::array<QLineEdit*, 4> rangeEdits_{};
    QLineEdit* marginEdit_ = nullptr;
    QComboBox* againstCombo_ = nullptr;
    CleanMapCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    CleanSliderStrip* strip_ = nullptr;
    CleanMapView view_;
    bool writingBack_ = false;
};

/// Adds "Clean map..." (Ctrl+M) to the main window's actions; it opens the map window, one
/// per main window, or brings it to the front.
void InstallCleanMap(CSpurPlanDlg& main);

}  // namespace quorvel
