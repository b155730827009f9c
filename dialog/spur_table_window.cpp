#include "dialog/spur_table_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "charts/plot_frame.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"

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
    return model_.Empty() ? SpurRowsCsv(rows_) : SpurLedgerCsv(ledger_, model_);
}

void SpurTableWindow::CopyAsCsv() const {
    QApplication::clipboard()->setText(Text(Csv()));
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
    const bool charted = PlanPassesChartGate(plan);
    // The rows are the charts' data: a plan whose charts show none has no rows either.
    rows_ = charted ? BuildSpurRows(plan) : std::vector<SpurRow>{};
    ledger_ = charted && modelled ? BuildSpurLedger(plan, model_) : std::vector<SpurLedgerRow>{};
    // The ledger keeps each family's members together: a heading goes before the first.
    ledgerIndex_.clear();
    for (std::size_t i = 0; i < ledger_.size(); ++i) {
        if (i == 0 || ledger_[i].member.family != ledger_[i - 1].member.family) {
            ledgerIndex_.push_back(-1);
        }
        ledgerIndex_.push_back(static_cast<int>(i));
    }
    SetHeaders(modelled);
    if (!charted) {
        note_->setText(
            QStringLiteral("No rows: the charts show no data for this plan (Fs "
                           "and RF BW must be above 0)."));
    } else if (modelled) {
        note_->setText(
            QStringLiteral("Rows that meet the IF or RF band are marked. Select a "
                           "harmonic's row to pick it out in the charts; they draw "
                           "the harmonics alone."));
    } else {
        note_->setText(
            QStringLiteral("Rows that meet the IF or RF band are marked. Select a "
                           "row to pick out its harmonic in the charts."));
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
            std::optional<SpurMember> member;
            if (!modelled) {
                FillRow(row, rows_[i]);
                member = SpurMember{SpurFamily::kHarmonic, rows_[i].harmonic, 0};
            } else if (const SpurLedgerRow* spur = LedgerRowAt(row)) {
                // The harmonics come first in the ledger, one for each of rows_.
                const auto index = static_cast<std::size_t>(ledgerIndex_[i]);
                FillLedgerRow(row, *spur,
                              index < rows_.size() ? std::optional(rows_[index]) : std::nullopt);
                member = spur->member;
            } else {
                FillHeading(row,
                            ledger_[static_cast<std::size_t>(ledgerIndex_[i + 1])].member.family);
            }
            if (kept && member == kept) {
                table_->selectRow(row);
            }
        }
    }
    OnSelectionChanged();
}

void SpurTableWindow::SetHeaders(bool modelled) {
    table_->setHorizontalHeaderLabels(
        {modelled ? QStringLiteral("Spur") : QStringLiteral("Harmonic"),
         QStringLiteral("Image lo (MHz)"), QStringLiteral("Image hi (MHz)"),
         QStringLiteral("IF band"), QStringLiteral("RF band"), QStringLiteral("To IF (MHz)"),
         QStringLiteral("To RF (MHz)"), QStringLiteral("Zones")});
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
    MarkRow(row, spur.image, spur.meetsIf || spur.meetsRf);
}

void SpurTableWindow::FillHeading(int row, SpurFamily family) {
    for (int column = 0; column < kColumnCount; ++column) {
        auto* item = new QTableWidgetItem(column == 0 ? FamilyHeading(family) : QString());
        item->setFlags(Qt::ItemIsEnabled);  // a heading is never selected
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
        table_->setItem(row, column, item);
    }
    table_->setSpan(row, 0, 1, kColumnCount);
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
    MarkRow(row, spur.image, spur.meetsIf || spur.meetsRf);
}

void SpurTableWindow::MarkRow(int row, const HarmonicBand& image, bool meets) {
    if (image.lo > image.hi) {
        const QString note = QStringLiteral(
            "Reflected about Fs/2: the edges stay reversed, "
            "lo above hi, as the fold gives them");
        table_->item(row, kLoColumn)->setToolTip(note);
        table_->item(row, kHiColumn)->setToolTip(note);
    }
    if (meets) {
        for (int column = 0; column < kColumnCount; ++column) {
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
    auto* action = new QAction(QStringLiteral("Spur table..."), &main);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &main, [&main] {
        auto* window = main.findChild<SpurTableWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr) {
            window = new SpurTableWindow(main);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
    main.addAction(action);
    return action;
}

}  // namespace quorvel
