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

}  // namespace

SpurTableWindow::SpurTableWindow(CSpurPlanDlg& main)
    : QWidget(&main, Qt::Window),
      main_(main),
      table_(new QTableWidget(this)),
      note_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Spur table"));
    table_->setColumnCount(kColumnCount);
    table_->setHorizontalHeaderLabels({QStringLiteral("Harmonic"), QStringLiteral("Image lo (MHz)"),
                                       QStringLiteral("Image hi (MHz)"), QStringLiteral("IF band"),
                                       QStringLiteral("RF band"), QStringLiteral("To IF (MHz)"),
                                       QStringLiteral("To RF (MHz)"), QStringLiteral("Zones")});
    table_->horizontalHeaderItem(kLoColumn)->setToolTip(
        QStringLiteral("Where the IF band's edges land once folded into 0..Fs/2. "
                       "A band reflected about Fs/2 keeps its edges reversed."));
    table_->horizontalHeaderItem(kIfDistanceColumn)
        ->setToolTip(QStringLiteral("The guard margin at which this harmonic would meet the IF "
                                    "band; 0 when it meets it"));
    table_->horizontalHeaderItem(kZonesColumn)
        ->setToolTip(QStringLiteral("The Nyquist zones the harmonic's band spans before it is "
                                    "folded; the first is 0..Fs/2"));
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

std::string SpurTableWindow::Csv() const {
    return SpurRowsCsv(rows_);
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
    const std::optional<int> kept = SelectedHarmonic();
    PlanFields plan = main_.Plan();
    ApplyHarmonicCap(plan);
    // The rows are the charts' data: a plan whose charts show none has no rows either.
    rows_ = PlanPassesChartGate(plan) ? BuildSpurRows(plan) : std::vector<SpurRow>{};
    note_->setText(PlanPassesChartGate(plan)
                       ? QStringLiteral("Rows that meet the IF or RF band are marked. Select a "
                                        "row to pick out its harmonic in the charts.")
                       : QStringLiteral("No rows: the charts show no data for this plan (Fs "
                                        "and RF BW must be above 0)."));
    {
        const QSignalBlocker blocker(table_);
        // The current index goes too: a view moves a removed current row's selection on
        // to its neighbour, which would pick out a harmonic nobody chose.
        table_->selectionModel()->clear();
        table_->setRowCount(static_cast<int>(rows_.size()));
        for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
            FillRow(i, rows_[static_cast<std::size_t>(i)]);
            if (kept && rows_[static_cast<std::size_t>(i)].harmonic == *kept) {
                table_->selectRow(i);
            }
        }
    }
    OnSelectionChanged();
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
    if (spur.image.lo > spur.image.hi) {
        const QString note = QStringLiteral(
            "Reflected about Fs/2: the edges stay reversed, "
            "lo above hi, as the fold gives them");
        table_->item(row, kLoColumn)->setToolTip(note);
        table_->item(row, kHiColumn)->setToolTip(note);
    }
    if (spur.meetsIf || spur.meetsRf) {
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

std::optional<int> SpurTableWindow::SelectedHarmonic() const {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const int row = selected.front()->row();
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return std::nullopt;
    }
    return rows_[static_cast<std::size_t>(row)].harmonic;
}

void SpurTableWindow::OnSelectionChanged() {
    main_.SetHighlightedHarmonic(SelectedHarmonic());
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
