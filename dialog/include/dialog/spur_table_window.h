// The spur table: a window of its own beside the main one, one row per harmonic with its
// folded image, the bands it meets, how far it stays from them and the zones it comes
// from. With a converter model it lists every member of the ledger instead, under a
// heading for each family; with levels, each row's level and whether it counts, and each
// band's worst spur above the table. It follows every plan and model change, and a selected
// harmonic is picked out in the charts.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "plan/spur_ledger.h"
#include "plan/spur_model.h"
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
        kColumnCount,  ///< the columns without levels
        // Only while the model gives levels:
        kLevelColumn = kColumnCount,
        kDbcColumn,
        kCountsColumn,
        kLevelledColumnCount
    };

    /// A window owned by `main`, showing its plan.
    explicit SpurTableWindow(CSpurPlanDlg& main);
    ~SpurTableWindow() override;

    QTableWidget* Table() const { return table_; }
    /// Each band's worst spur while the model gives levels; hidden otherwise.
    QLabel* WorstSpurs() const { return worst_; }
    /// The harmonics' rows, with a model or without.
    const std::vector<SpurRow>& Rows() const { return rows_; }
    /// The ledger's rows while a model is set or levels are given; empty otherwise.
    const std::vector<SpurLedgerRow>& Ledger() const { return ledger_; }
    /// The ledger row shown in table row `row`; nothing for a family's heading, or when
    /// neither a model is set nor levels are given.
    const SpurLedgerRow* LedgerRowAt(int row) const;

    /// The rows as CSV, as the copy action puts them on the clipboard: the harmonics' rows,
    /// or the ledger while a model is set or levels are given.
    std::string Csv() const;
    /// Puts the rows on the clipboard as CSV.
    void CopyAsCsv() const;

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void Refresh();
    void SetHeaders(bool modelled, bool levelled);
    void FillLevels(int row, const SpurLedgerRow& spur);
    void ShowWorstSpurs();
    void WidenToShowEveryColumn();
    void FillRow(int row, const SpurRow& spur);
    void FillLedgerRow(int row, const SpurLedgerRow& spur, const std::optional<SpurRow>& harmonic);
    void FillHeading(int row, SpurFamily family);
    void MarkRow(int row, const HarmonicBand& image, bool meets, bool counts = true);
    void OnSelectionChanged();
    std::optional<SpurMember> SelectedMember() const;

    CSpurPlanDlg& main_;
    QTableWidget* table_ = nullptr;
    QLabel* worst_ = nullptr;
    QLabel* note_ = nullptr;
    std::vector<SpurRow> rows_;
    SpurModel model_;  ///< the model the ledger was built with
    std::vector<SpurLedgerRow> ledger_;
    /// For each table row while the ledger is shown: its index in ledger_, or -1 for a
    /// heading.
    std::vector<int> ledgerIndex_;
};

/// Adds the action "Spur table..." (Ctrl+T) to the main window; it opens the one spur table
/// window of that main window, creating it the first time. Returns the action.
QAction* InstallSpurTable(CSpurPlanDlg& main);

}  // namespace quorvel
