// The converter window: the spurs a real converter adds to the harmonics, set beside the
// main window. Its fields are the main window's converter model: every change that
// converts is taken at once, and every view that judges spurs follows.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "plan/spur_model.h"

class QAction;
class QLabel;
class QLineEdit;

namespace quorvel {

class CSpurPlanDlg;

class ConverterWindow : public QWidget {
    Q_OBJECT

  public:
    /// The columns of one interferer's row.
    enum InterfererColumn {
        kCentreColumn,
        kWidthColumn,
        kOrdersColumn,
        kLevelColumn,
        kInterfererColumns
    };

    /// Opens on main's model.
    explicit ConverterWindow(CSpurPlanDlg& main);

    QLineEdit* InterleaveEdit() const { return interleave_; }
    QLineEdit* ImageOrdersEdit() const { return imageOrders_; }
    QLineEdit* ClockSpurEdit() const { return clockSpur_; }
    QLineEdit* SidebandOrdersEdit() const { return sidebandOrders_; }
    QLineEdit* SignalLevelEdit() const { return signalLevel_; }
    QLineEdit* HarmonicLevelsEdit() const { return harmonicLevels_; }
    QLineEdit* ImageLevelsEdit() const { return imageLevels_; }
    QLineEdit* OffsetLevelEdit() const { return offsetLevel_; }
    QLineEdit* SidebandLevelsEdit() const { return sidebandLevels_; }
    QLineEdit* FloorEdit() const { return floor_; }
    /// Row 0..kMaxInterferers-1 of the interferers' table, one of its columns.
    QLineEdit* InterfererEdit(int row, InterfererColumn column) const;

  private:
    using InterfererRow = std::array<QLineEdit*, kInterfererColumns>;

    /// Writes `model` into the fields without taking it as the user's change.
    void ShowModel(const SpurModel& model);
    /// The fields as a model: each one that converts gives its value, one that does not is
    /// marked and keeps the value in use.
    void OnFieldEdited();
    void OnModelChanged();

    CSpurPlanDlg& main_;
    QLineEdit* interleave_ = nullptr;
    QLineEdit* imageOrders_ = nullptr;
    QLineEdit* clockSpur_ = nullptr;
    QLineEdit* sidebandOrders_ = nullptr;
    QLineEdit* signalLevel_ = nullptr;
    QLineEdit* harmonicLevels_ = nullptr;
    QLineEdit* imageLevels_ = nullptr;
    QLineEdit* offsetLevel_ = nullptr;
    QLineEdit* sidebandLevels_ = nullptr;
    QLineEdit* floor_ = nullptr;
    std::array<InterfererRow, kMaxInterferers> interfererRows_{};
    /// Each row's interferer as last taken; a row left empty holds none.
    std::array<std::optional<Interferer>, kMaxInterferers> interferers_{};
    QLabel* summary_ = nullptr;
    bool taking_ = false;  ///< handing the fields' model to main
};

/// Adds "Converter..." (Ctrl+K) to the main window's actions; it opens the converter
/// window, one per main window, or brings it to the front. Returns the action.
QAction* InstallConverterWindow(CSpurPlanDlg& main);

}  // namespace quorvel
