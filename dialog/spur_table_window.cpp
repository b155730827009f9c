#include "dialog/spur_table_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "charts/plot_frame.h"
#include "dialog/action_menu.h"
#include "dialog/side_window_action.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"
#include "plan/table_text.h"
#include "plan/worst_spur.h"

namespace quorvel {

namespace {

constexpr int kDecimals = 3;
const QColor kMeetingRowColour(255, 215, 215);

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Megahertz(double value) {
    return std::isnan(value) ? QStringLiteral("-") : Text(FormatFixed(value, kDecimals));
}

// Decibels to at most two decimals, with a true minus sign: "−72", "−71.5", "3".
QString Decibels(double db) {
    std::string text = FormatFixed(db, 2);
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    if (text == "-0") {
        text = "0";
    }
    QString shown = Text(text);
    if (shown.startsWith(QLatin1Char('-'))) {
        shown.replace(0, 1, QChar(0x2212));
    }
    return shown;
}

QString Zones(const std::optional<NyquistZoneSpan>& zones) {
    if (!zones) {
        return QStringLiteral("-");
    }
    const QString first = Text(FormatFixed(zones->first, 0));
    if (zones->first == zones->last) {
        return first;
    }
    return first + QStringLiteral(" to ") + Text(FormatFixed(zones->last, 0));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QString FamilyHeading(SpurFamily family) {
    switch (family) {
        case SpurFamily::kHarmonic:
            return QStringLiteral("Harmonics");
        case SpurFamily::kInterleaveImage:
            return QStringLiteral("Interleaving images");
        case SpurFamily::kInterleaveOffset:
            return QStringLiteral("Interleaving offset tones");
        case SpurFamily::kClockSideband:
            return QStringLiteral("Clock sidebands");
        case SpurFamily::kInterferer:
            return QStringLiteral("Interferers");
    }
    return {};
}

}  // namespace

SpurTableWindow::SpurTableWindow(CSpurPlanDlg& main)
    : QWidget(&main, Qt::Window),
      main_(main),
      table_(new QTableWidget(this)),
      worst_(new QLabel(this)),
      note_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Spur table"));
    table_->setColumnCount(kColumnCount);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* copy = new QAction(QStringLiteral("Copy as CSV"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &SpurTableWindow::CopyAsCsv);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* copyButton = new QPushButton(QStringLiteral("Copy as CSV"), this);
    connect(copyButton, &QPushButton::clicked, this, &SpurTableWindow::CopyAsCsv);

    note_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(worst_);
    layout->addWidget(table_);
    layout->addWidget(note_);
    layout->addWidget(copyButton, 0, Qt::AlignRight);

    connect(table_, &QTableWidget::itemSelectionChanged, this,
            &SpurTableWindow::OnSelectionChanged);
    connect(&main_, &CSpurPlanDlg::PlanChanged, this, &SpurTableWindow::Refresh);
    connect(&main_, &CSpurPlanDlg::ModelChanged, this, &SpurTableWindow::Refresh);
    // With the table in front the user reads the charts beside it: their tooltips must not
    // wait for the main window to be activated, which a click there (a marker) would do.
    main_.setAttribute(Qt::WA_AlwaysShowToolTips);
    resize(720, 520);
    ShareMainWindowKeys(*this, main_);
    Refresh();
}

SpurTableWindow::~SpurTableWindow() {
    // The view may announce a selection change while it is torn down, after this window's
    // own part is gone; and the main window may be on its way out too.
    table_->disconnect(this);
}

const SpurLedgerRow* SpurTableWindow::LedgerRowAt(int row) const {
    if (row < 0 || row >= static_cast<int>(ledgerIndex_.size())) {
        return nullptr;
    }
    const int index = ledgerIndex_[static_cast<std::size_t>(row)];
    return index < 0 ? nullptr : &ledger_[static_cast<std::size_t>(index)];
}

std::string SpurTableWindow::Csv() const {
    // The copy is what --export-spurs writes whenever the table shows more than the band
    // table: the level columns are the ledger's.
    return model_.Empty() && !LevelsGiven(model_) ? SpurRowsCsv(rows_)
                                                  : SpurLedgerCsv(ledger_, model_);
}

void SpurTableWindow::CopyAsCsv() const {
    // Plain text stays the CSV; spreadsheets and documents take the columns they prefer.
    const std::string csv = Csv();
    auto* copied = new QMimeData;
    copied->setText(Text(csv));
    copied->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(csv));
    copied->setData(QStringLiteral("text/tab-separated-values"),
                    QByteArray::fromStdString(CsvToTabSeparated(csv)));
    copied->setHtml(Text(CsvToHtmlTable(csv)));
    QApplication::clipboard()->setMimeData(copied);
}

void SpurTableWindow::hideEvent(QHideEvent* event) {
    // The highlight belongs to the open table: a closed one leaves the charts as they were.
    table_->clearSelection();
    main_.SetHighlightedHarmonic(std::nullopt);
    QWidget::hideEvent(event);
}

void SpurTableWindow::Refresh() {
    const std::optional<SpurMember> kept = SelectedMember();
    PlanFields plan = main_.Plan();
    ApplyHarmonicCap(plan);
    model_ = main_.Model();
    const bool modelled = !model_.Empty();
    const bool levelled = LevelsGiven(model_);
    const bool charted = PlanPassesChartGate(plan);
    // The rows are the charts' data: a plan whose charts show none has no rows either.
    rows_ = charted ? BuildSpurRows(plan) : std::vector<SpurRow>{};
    ledger_ = charted && (modelled || levelled) ? BuildSpurLedger(plan, model_)
                                                : std::vector<SpurLedgerRow>{};
    // The ledger keeps each family's members together: a heading goes before the first,
    // unless the harmonics are all there is.
    ledgerIndex_.clear();
    for (std::size_t i = 0; i < ledger_.size(); ++i) {
        if (modelled && (i == 0 || ledger_[i].member.family != ledger_[i - 1].member.family)) {
            ledgerIndex_.push_back(-1);
        }
        ledgerIndex_.push_back(static_cast<int>(i));
    }
    const bool levelColumnsNew = levelled && table_->columnCount() < kLevelledColumnCount;
    SetHeaders(modelled, levelled);
    ShowWorstSpurs();
    if (!charted) {
        note_->setText(
            QStringLiteral("No rows: the charts show no data for this plan (Fs "
                           "and RF BW must be above 0)."));
    } else {
        const QString marked =
            model_.levels.floor ? QStringLiteral(
                                      "Rows that meet the IF or RF band and count are marked; "
                                      "grey rows are at or below the spur floor and do not count.")
                                : QStringLiteral("Rows that meet the IF or RF band are marked.");
        note_->setText(marked + (modelled ? QStringLiteral(" Select a harmonic's row to pick "
                                                           "it out in the charts; they draw "
                                                           "the harmonics alone.")
                                          : QStringLiteral(" Select a row to pick out its "
                                                           "harmonic in the charts.")));
    }
    {
        const QSignalBlocker blocker(table_);
        // The current index goes too: a view moves a removed current row's selection on
        // to its neighbour, which would pick out a harmonic nobody chose.
        table_->selectionModel()->clear();
        // A heading spans its row and hides the cells beside it: none may outlive it.
        table_->clearSpans();
        table_->clearContents();
        const std::size_t count = modelled ? ledgerIndex_.size() : rows_.size();
        table_->setRowCount(static_cast<int>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const int row = static_cast<int>(i);
            const SpurLedgerRow* spur = LedgerRowAt(row);
            std::optional<SpurMember> member;
            if (!modelled) {
                FillRow(row, rows_[i]);
                member = SpurMember{SpurFamily::kHarmonic, rows_[i].harmonic, 0};
            } else if (spur != nullptr) {
                // The harmonics come first in the ledger, one for each of rows_.
                const auto index = static_cast<std::size_t>(ledgerIndex_[i]);
                FillLedgerRow(row, *spur,
                              index < rows_.size() ? std::optional(rows_[index]) : std::nullopt);
                member = spur->member;
            } else {
                FillHeading(row,
                            ledger_[static_cast<std::size_t>(ledgerIndex_[i + 1])].member.family);
            }
            if (levelled && spur != nullptr) {
                FillLevels(row, *spur);
            }
            if (member) {
                const HarmonicBand& image = spur ? spur->image : rows_[i].image;
                const bool meets =
                    spur ? spur->meetsIf || spur->meetsRf : rows_[i].meetsIf || rows_[i].meetsRf;
                MarkRow(row, image, meets, spur ? spur->counts : true);
            }
            if (kept && member == kept) {
                table_->selectRow(row);
            }
        }
    }
    if (levelColumnsNew) {
        WidenToShowEveryColumn();
    }
    OnSelectionChanged();
}

void SpurTableWindow::WidenToShowEveryColumn() {
    // Columns that appear off to the right would pass unseen: the window grows to show them,
    // as far as the screen allows, and never shrinks from what the user made it.
    QHeaderView* header = table_->horizontalHeader();
    header->resizeSections(QHeaderView::ResizeToContents);
    const QMargins margins = layout()->contentsMargins();
    int wanted = header->length() + 2 * table_->frameWidth() +
                 table_->verticalScrollBar()->sizeHint().width() + margins.left() + margins.right();
    if (const QScreen* shown = screen()) {
        wanted = std::min(wanted, shown->availableGeometry().width());
    }
    if (wanted > width()) {
        resize(wanted, height());
    }
}

void SpurTableWindow::SetHeaders(bool modelled, bool levelled) {
    table_->setColumnCount(levelled ? kLevelledColumnCount : kColumnCount);
    QStringList labels{modelled ? QStringLiteral("Spur") : QStringLiteral("Harmonic"),
                       QStringLiteral("Image lo (MHz)"),
                       QStringLiteral("Image hi (MHz)"),
                       QStringLiteral("IF band"),
                       QStringLiteral("RF band"),
                       QStringLiteral("To IF (MHz)"),
                       QStringLiteral("To RF (MHz)"),
                       QStringLiteral("Zones")};
    if (levelled) {
        labels << QStringLiteral("Level (dBFS)") << QStringLiteral("dBc")
               << QStringLiteral("Counts");
    }
    table_->setHorizontalHeaderLabels(labels);
    if (levelled) {
        table_->horizontalHeaderItem(kLevelColumn)
            ->setToolTip(QStringLiteral("The spur's level from the converter window's levels; "
                                        "unknown when they do not give it"));
        table_->horizontalHeaderItem(kDbcColumn)
            ->setToolTip(QStringLiteral("The level relative to the signal's"));
        table_->horizontalHeaderItem(kCountsColumn)
            ->setToolTip(QStringLiteral("Whether the spur counts against the plan: above the "
                                        "spur floor, or of unknown level"));
    }
    table_->horizontalHeaderItem(kLoColumn)->setToolTip(
        modelled ? QStringLiteral("Where the spur's edges land once folded into "
                                  "0..Fs/2. A band reflected about Fs/2 keeps its "
                                  "edges reversed.")
                 : QStringLiteral("Where the IF band's edges land once folded into "
                                  "0..Fs/2. A band reflected about Fs/2 keeps its "
                                  "edges reversed."));
    table_->horizontalHeaderItem(kIfDistanceColumn)
        ->setToolTip(modelled ? QStringLiteral("The guard margin at which this spur would meet "
                                               "the IF band; 0 when it meets it")
                              : QStringLiteral("The guard margin at which this harmonic would "
                                               "meet the IF band; 0 when it meets it"));
    table_->horizontalHeaderItem(kZonesColumn)
        ->setToolTip(QStringLiteral("The Nyquist zones the harmonic's band spans before it is "
                                    "folded; the first is 0..Fs/2"));
}

void SpurTableWindow::FillLedgerRow(int row, const SpurLedgerRow& spur,
                                    const std::optional<SpurRow>& harmonic) {
    const auto meets = [](bool on) { return on ? QStringLiteral("meets") : QString(); };
    table_->setItem(row, kHarmonicColumn,
                    Cell(Text(SpurMemberLabel(spur.member, model_)), Qt::AlignLeft));
    table_->setItem(row, kLoColumn, Cell(Megahertz(spur.image.lo)));
    table_->setItem(row, kHiColumn, Cell(Megahertz(spur.image.hi)));
    table_->setItem(row, kIfColumn, Cell(meets(spur.meetsIf), Qt::AlignCenter));
    table_->setItem(row, kRfColumn, Cell(meets(spur.meetsRf), Qt::AlignCenter));
    table_->setItem(row, kIfDistanceColumn, Cell(Megahertz(spur.distanceToIf)));
    table_->setItem(row, kRfDistanceColumn, Cell(Megahertz(spur.distanceToRf)));
    table_->setItem(row, kZonesColumn,
                    Cell(harmonic ? Zones(harmonic->zones) : QStringLiteral("-"), Qt::AlignCenter));
}

void SpurTableWindow::FillLevels(int row, const SpurLedgerRow& spur) {
    const std::optional<double> dbc = LedgerRowDbc(spur, model_);
    table_->setItem(row, kLevelColumn,
                    Cell(spur.level ? Decibels(*spur.level) : QStringLiteral("unknown")));
    table_->setItem(row, kDbcColumn, Cell(dbc ? Decibels(*dbc) : QStringLiteral("-")));
    table_->setItem(
        row, kCountsColumn,
        Cell(spur.counts ? QStringLiteral("yes") : QStringLiteral("no"), Qt::AlignCenter));
}

void SpurTableWindow::ShowWorstSpurs() {
    if (!LevelsGiven(model_) || ledger_.empty()) {
        worst_->hide();
        return;
    }
    QStringList lines;
    for (const auto& [band, name] : {std::pair{LedgerBand::kIf, QStringLiteral("IF band")},
                                     std::pair{LedgerBand::kRf, QStringLiteral("RF band")}}) {
        const std::optional<std::size_t> worst = WorstSpurIndex(ledger_, band);
        if (!worst) {
            const bool anyMeets = std::any_of(
                ledger_.begin(), ledger_.end(), [band = band](const SpurLedgerRow& row) {
                    return band == LedgerBand::kIf ? row.meetsIf : row.meetsRf;
                });
            lines << name + (anyMeets ? QStringLiteral(": no spur above the floor meets it")
                                      : QStringLiteral(": no spur meets it"));
            continue;
        }
        const SpurLedgerRow& spur = ledger_[*worst];
        const QString label = Text(SpurMemberLabel(spur.member, model_));
        const std::optional<double> dbc = LedgerRowDbc(spur, model_);
        lines << (spur.level && dbc
                      ? QStringLiteral("%1: worst spur %2 at %3 dBFS, SFDR %4 dB")
                            .arg(name, label, Decibels(*spur.level), Decibels(-*dbc))
                      : QStringLiteral("%1: worst spur %2, unknown level").arg(name, label));
    }
    worst_->setText(lines.join(QLatin1Char('\n')));
    worst_->show();
}

void SpurTableWindow::FillHeading(int row, SpurFamily family) {
    const int columns = table_->columnCount();
    for (int column = 0; column < columns; ++column) {
        auto* item = new QTableWidgetItem(column == 0 ? FamilyHeading(family) : QString());
        item->setFlags(Qt::ItemIsEnabled);  // a heading is never selected
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
        table_->setItem(row, column, item);
    }
    table_->setSpan(row, 0, 1, columns);
}

void SpurTableWindow::FillRow(int row, const SpurRow& spur) {
    const auto meets = [](bool on) { return on ? QStringLiteral("meets") : QString(); };
    table_->setItem(row, kHarmonicColumn, Cell(QString::number(spur.harmonic)));
    table_->setItem(row, kLoColumn, Cell(Megahertz(spur.image.lo)));
    table_->setItem(row, kHiColumn, Cell(Megahertz(spur.image.hi)));
    table_->setItem(row, kIfColumn, Cell(meets(spur.meetsIf), Qt::AlignCenter));
    table_->setItem(row, kRfColumn, Cell(meets(spur.meetsRf), Qt::AlignCenter));
    table_->setItem(row, kIfDistanceColumn, Cell(Megahertz(spur.distanceToIf)));
    table_->setItem(row, kRfDistanceColumn, Cell(Megahertz(spur.distanceToRf)));
    table_->setItem(row, kZonesColumn, Cell(Zones(spur.zones), Qt::AlignCenter));
}

void SpurTableWindow::MarkRow(int row, const HarmonicBand& image, bool meets, bool counts) {
    if (image.lo > image.hi) {
        const QString note = QStringLiteral(
            "Reflected about Fs/2: the edges stay reversed, "
            "lo above hi, as the fold gives them");
        table_->item(row, kLoColumn)->setToolTip(note);
        table_->item(row, kHiColumn)->setToolTip(note);
    }
    // A spur that does not count leaves the plan as clean as it was, meeting or not.
    const int columns = table_->columnCount();
    if (!counts) {
        const QColor grey = table_->palette().color(QPalette::Disabled, QPalette::Text);
        for (int column = 0; column < columns; ++column) {
            table_->item(row, column)->setForeground(grey);
        }
    } else if (meets) {
        for (int column = 0; column < columns; ++column) {
            QTableWidgetItem* item = table_->item(row, column);
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
            item->setBackground(kMeetingRowColour);
            item->setForeground(Qt::black);
        }
    }
}

std::optional<SpurMember> SpurTableWindow::SelectedMember() const {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const int row = selected.front()->row();
    if (!model_.Empty()) {
        const SpurLedgerRow* spur = LedgerRowAt(row);
        return spur ? std::optional(spur->member) : std::nullopt;
    }
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return std::nullopt;
    }
    return SpurMember{SpurFamily::kHarmonic, rows_[static_cast<std::size_t>(row)].harmonic, 0};
}

void SpurTableWindow::OnSelectionChanged() {
    const std::optional<SpurMember> member = SelectedMember();
    // The charts draw the harmonics alone: any other spur leaves them unmarked.
    main_.SetHighlightedHarmonic(member && member->family == SpurFamily::kHarmonic
                                     ? std::optional(member->order)
                                     : std::nullopt);
}

QAction* InstallSpurTable(CSpurPlanDlg& main) {
    return InstallSideWindowAction<SpurTableWindow>(main, QStringLiteral("Spur table..."),
                                                    QKeySequence(Qt::CTRL | Qt::Key_T));
}

}  // namespace quorvel
