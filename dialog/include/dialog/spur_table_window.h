// The spur table: a window of its own beside the main one, one row per harmonic with its
// folded image, the bands it meets, how far it stays from them and the zones it comes
// from. It follows every plan change, and the selected row is picked out in the charts.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "plan/spur_rows.h"

class QAction;
class QLabel;
class QTableWidget;

namespace quorvel {

class CSpurPlanDlg;

class SpurTableWindow : public QWidget {
    Q_OBJECT

  public:
    enum Column {
        kHarmonicColumn,
        kLoColumn,
        kHiColumn,
        kIfColumn,
        kRfColumn,
        kIfDistanceColumn,
        kRfDistanceColumn,
        kZonesColumn,
        kColumnCount
    };

    /// A window owned by `main`, showing its plan.
    explicit SpurTableWindow(CSpurPlanDlg& main);
    ~SpurTableWindow() override;

    QTableWidget* Table() const { return table_; }
    const std::vector<SpurRow>& Rows() const { return rows_; }

    /// The rows as CSV, as the copy action puts them on the clipboard.
    std::string Csv() const;
    /// Puts the rows on the clipboard as CSV.
    void CopyAsCsv() const;

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void Refresh();
    void FillRow(int row, const SpurRow& spur);
    void OnSelectionChanged();
    std::optional<int> SelectedHarmonic() const;

    CSpurPlanDlg& main_;
    QTableWidget* table_ = nullptr;
    QLabel* note_ = nullptr;
    std::vector<SpurRow> rows_;
};

/// Adds the action "Spur table..." (Ctrl+T) to the main window; it opens the one spur table
/// window of that main window, creating it the first time. Returns the action.
QAction* InstallSpurTable(CSpurPlanDlg& main);

}  // namespace quorvel
