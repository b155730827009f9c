// The main window: the control strip (five fields, the slider and its selector) over the
// two charts. It owns the plan, turns every user action into a plan change and repaints;
// the charts themselves come composed from the render layer.
#pragma once

#include <QDialog>
#include <QIcon>
#include <cstdint>
#include <functional>
#include <optional>

#include "charts/marker_point.h"
#include "plan/finder_settings.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

class QComboBox;
class QLineEdit;
class QSlider;

namespace quorvel {

class CSpurPlanDlg : public QDialog {
    Q_OBJECT

  public:
    /// Builds the window from IDD_MAIN_DIALOG with `initial` in its input fields and
    /// initialises it (controls filled, slider set up for Fs, no marker); it is shown by
    /// exec() or show().
    explicit CSpurPlanDlg(QWidget* parent = nullptr, const PlanFields& initial = {});

    const PlanFields& Plan() const { return m_plan; }
    /// Where the last left click put the readout; x 0 once a right click or a slider move
    /// took it away.
    MarkerPoint Marker() const { return {m_markerX, m_markerY}; }
    /// The slider position last acted upon: a poll that finds the slider elsewhere moves
    /// the driven field there.
    int LastSliderPos() const { return m_lastSliderPos; }

    /// The edit control with resource id `id` (IDC_IF, IDC_IF_BW, IDC_FS, IDC_HARMONICS,
    /// IDC_RF_BW); null for any other id.
    QLineEdit* Edit(int id) const;
    QSlider* Slider() const { return m_slider; }
    QComboBox* VariableCombo() const { return m_variableCombo; }

    /// Completed chart paints so far.
    int PaintCount() const { return m_paintCount; }

    /// Shows the About box, owned by the application. The About command and the help key
    /// (F1; the program has no help file) both come here.
    void SetAboutBoxHandler(std::function<void()> handler) { m_showAboutBox = std::move(handler); }

    /// Asked before Enter, Escape or the close button ends the window; returning false
    /// keeps it open. Without one, the window closes as it always has.
    void SetCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

    /// A system command: the About command opens the About box and returns true; every
    /// other command is left to the default handling (returns false).
    bool OnSysCommand(std::uint32_t nID);

    /// F1 and the help command: the About box, since the program carries no help file.
    void OnHelp();

    /// Puts `text` into the edit control `id` as if the user had typed it: the field is
    /// read, marked when it does not convert, and the charts follow. The one way for the
    /// program's other windows to change the plan.
    void TypeIntoField(int id, const QString& text);

    /// Picks out harmonic n in both charts (the spur table's selected row), or nothing.
    void SetHighlightedHarmonic(std::optional<int> harmonic);
    std::optional<int> HighlightedHarmonic() const { return m_highlight; }

    /// The clean-frequency finder's settings that go with the plan: a plan file's, or what
    /// the clean map was last given. Setting different ones emits FinderChanged.
    const FinderSettings& Finder() const { return m_finder; }
    void SetFinder(const FinderSettings& finder);

    /// The converter's spur model that goes with the plan: every view that judges spurs
    /// counts its members. Setting a different one emits ModelChanged.
    const SpurModel& Model() const { return m_model; }
    void SetModel(const SpurModel& model);

  signals:
    /// The plan (the five fields and the slider variable) changed; the marker is the
    /// window's own and does not count.
    void PlanChanged();
    /// The finder's settings changed (SetFinder with different ones).
    void FinderChanged();
    /// The converter model changed (SetModel with a different one).
    void ModelChanged();

  public slots:
    void done(int result) override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void OnInitDialog();
    /// Fields to controls (`saveAndValidate` false) or controls to fields (true), in the
    /// fixed order Fs, IF, IF BW, harmonics, RF BW. Returns false when a field did not
    /// convert; that field keeps its value and is marked, the others are still read.
    bool DoDataExchange(bool saveAndValidate);
    /// Notes in the fields' tooltips on values the charts take otherwise than typed.
    void ShowPlanNotes();
    void OnChangePlanField();
    /// Acts on the slider's position if it moved since it was last acted upon.
    void PollSlider();
    void OnSelChangeSliderVariable();
    void OnLButtonDown(QPoint point);
    void OnRButtonDown(QPoint point);
    void Invalidate();
    void NotifyPlanChange();

    QComboBox* m_variableCombo = nullptr;
    QSlider* m_slider = nullptr;
    PlanFields m_plan;
    int m_lastSliderPos = 0;
    int m_markerX = 0;  ///< dialog client coordinates; x <= 0: no marker
    int m_markerY = 0;
    QIcon m_hIcon;

    QLineEdit* m_ifEdit = nullptr;
    QLineEdit* m_ifBwEdit = nullptr;
    QLineEdit* m_fsEdit = nullptr;
    QLineEdit* m_harmonicsEdit = nullptr;
    QLineEdit* m_rfBwEdit = nullptr;
    std::function<void()> m_showAboutBox;
    std::function<bool()> m_closeGuard;
    int m_paintCount = 0;
    PlanFields m_notifiedPlan;
    std::optional<int> m_highlight;
    FinderSettings m_finder;
    SpurModel m_model;
};

}  // namespace quorvel
