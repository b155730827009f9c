// The spur table beside the main window: its rows against the band table export, its copy,
// its following of the plan and the model, the highlight of the selected row, and the
// charts' tooltips.
#include <QAction>
#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QTableWidget>
#include <QToolTip>
#include <QWindow>
#include <optional>
#include <string>
#include <vector>

#include "app/export_csv.h"
#include "charts/chart_geometry.h"
#include "dialog/chart_tooltip.h"
#include "dialog/spur_table_window.h"
#include "main_dialog_fixture.h"
#include "plan/slider_rules.h"
#include "plan/spur_ledger.h"

namespace quorvel::test {
namespace {

class SpurTableTest : public MainDialogTest {
  protected:
    SpurTableWindow& OpenTable() {
        QAction* action = InstallSpurTable(*dlg);
        EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        EXPECT_TRUE(dlg->actions().contains(action));
        action->trigger();
        auto* window = dlg->findChild<SpurTableWindow*>();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        return *window;
    }
};

struct PlanCase {
    const char* name;
    PlanFields plan;
};

class SpurTableRows : public SpurTableTest, public ::testing::WithParamInterface<PlanCase> {};

TEST_P(SpurTableRows, CopyAsTheBandTableExportWritesThem) {
    Open(GetParam().plan);
    SpurTableWindow& table = OpenTable();
    QApplication::clipboard()->clear();
    table.windowHandle()->requestActivate();
    ASSERT_TRUE(WaitUntil([&] { return QGuiApplication::focusWindow() == table.windowHandle(); }));
    table.Table()->setFocus();
    QTest::keyClick(table.Table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    const QStringList exported =
        QString::fromStdString(HarmonicBandCsv(GetParam().plan)).split('\n');
    ASSERT_EQ(copied.size(), exported.size());
    PlanFields capped = GetParam().plan;
    ApplyHarmonicCap(capped);
    EXPECT_EQ(table.Table()->rowCount(), capped.m_harmonics - 1);
    for (qsizetype i = 0; i < copied.size(); ++i) {
        EXPECT_EQ(copied[i].section(',', 0, 4), exported[i]);
    }
    EXPECT_EQ(copied.front(),
              "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band,if_distance_mhz,"
              "rf_distance_mhz,first_zone,last_zone");
}

INSTANTIATE_TEST_SUITE_P(
    Plans, SpurTableRows,
    ::testing::Values(
        PlanCase{"Default", PlanFields{}},
        PlanCase{"Wide",
                 PlanFields{
                     .m_fs = 3000, .m_if = 1800, .m_ifBw = 100, .m_harmonics = 20, .m_rfBw = 400}},
        PlanCase{"UnderSampled",
                 PlanFields{.m_fs = 1000, .m_if = 1800, .m_ifBw = 300, .m_rfBw = 500}},
        PlanCase{"CappedAt26", PlanFields{.m_harmonics = 40}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SpurTableTest, FollowsThePlanAndMarksTheRowsThatMeetABand) {
    SpurTableWindow& table = OpenTable();
    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("6"));
    ASSERT_EQ(table.Table()->rowCount(), 5);
    int marked = 0;
    for (int row = 0; row < 5; ++row) {
        const SpurRow& spur = table.Rows()[static_cast<std::size_t>(row)];
        EXPECT_EQ(table.Table()->item(row, 0)->text(), QString::number(row + 2));
        const bool bold = table.Table()->item(row, SpurTableWindow::kIfColumn)->font().bold();
        EXPECT_EQ(bold, spur.meetsIf || spur.meetsRf) << row;
        marked += bold ? 1 : 0;
    }
    EXPECT_EQ(marked, 2);  // harmonics 3 and 5 land on the IF band
    dlg->TypeIntoField(IDC_RF_BW, QStringLiteral("0"));
    EXPECT_EQ(table.Table()->rowCount(), 0);  // no chart data, no rows
}

TEST_F(SpurTableTest, TheSelectedRowIsPickedOutInTheChartsOnlyWhileSelected) {
    SpurTableWindow& table = OpenTable();
    int paints = dlg->PaintCount();
    table.Table()->selectRow(4);  // harmonic 6
    EXPECT_EQ(dlg->HighlightedHarmonic(), 6);
    ASSERT_TRUE(Repainted(paints));
    const int height = dlg->height() - kControlStripHeight;
    const QImage lit = ComposeChartArea(Plan(), dlg->width(), height, dlg->Marker(), 6);
    EXPECT_EQ(Grab(*dlg, QRect(0, kControlStripHeight, dlg->width(), height)),
              lit.convertToFormat(QImage::Format_RGB32));

    dlg->TypeIntoField(IDC_IF, QStringLiteral("190"));  // the row stays selected
    EXPECT_EQ(dlg->HighlightedHarmonic(), 6);
    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("5"));  // harmonic 6 is gone
    EXPECT_EQ(dlg->HighlightedHarmonic(), std::nullopt);

    table.Table()->selectRow(1);
    EXPECT_EQ(dlg->HighlightedHarmonic(), 3);
    paints = dlg->PaintCount();
    table.close();
    EXPECT_EQ(dlg->HighlightedHarmonic(), std::nullopt);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(Plan()));
}

// Four cores, a 30 MHz clock spur and an interferer with its second harmonic: every family.
SpurModel EveryFamily() {
    SpurModel model;
    model.interleave = 4;
    model.hasClockSpur = true;
    model.clockSpur = 30;
    model.interferers.push_back({300, 10, 2});
    return model;
}

TEST_F(SpurTableTest, WithAModelListsTheLedgerUnderAHeadingForEachFamily) {
    SpurTableWindow& table = OpenTable();
    dlg->SetModel(EveryFamily());
    QStringList labels;
    for (int row = 0; row < table.Table()->rowCount(); ++row) {
        labels << table.Table()->item(row, 0)->text();
    }
    QStringList expected{QStringLiteral("Harmonics")};
    for (int n = 2; n <= 15; ++n) {
        expected << QStringLiteral("%1f").arg(n);
    }
    expected << QStringLiteral("Interleaving images") << QStringLiteral("f + Fs/4")
             << QStringLiteral("f + Fs/2") << QStringLiteral("f + 3Fs/4")
             << QStringLiteral("Interleaving offset tones") << QStringLiteral("Fs/4")
             << QStringLiteral("Fs/2") << QStringLiteral("Clock sidebands")
             << QStringLiteral("f + Fc") << QStringLiteral("f \u2212 Fc")
             << QStringLiteral("Interferers") << QStringLiteral("interferer 1")
             << QStringLiteral("2 \u00d7 interferer 1");
    EXPECT_EQ(labels, expected);

    // f + Fc lands in the RF band 10 MHz above the IF band; it comes from no zone.
    const int sideband = static_cast<int>(expected.indexOf(QStringLiteral("f + Fc")));
    EXPECT_TRUE(table.Table()->item(sideband, SpurTableWindow::kRfColumn)->font().bold());
    EXPECT_EQ(table.Table()->item(sideband, SpurTableWindow::kIfDistanceColumn)->text(), "10.000");
    EXPECT_EQ(table.Table()->item(sideband, SpurTableWindow::kZonesColumn)->text(), "-");

    table.CopyAsCsv();
    const std::string ledger = SpurLedgerCsv(BuildSpurLedger(Plan(), EveryFamily()), EveryFamily());
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ledger);
    // The same table for spreadsheets and documents, in columns.
    const QMimeData& copied = *QApplication::clipboard()->mimeData();
    const QString tabs =
        QString::fromUtf8(copied.data(QStringLiteral("text/tab-separated-values")));
    EXPECT_EQ(tabs.section('\n', 0, 0).split('\t').size(), 9);
    EXPECT_EQ(tabs.count('\n'), QString::fromStdString(ledger).count('\n'));
    EXPECT_TRUE(
        copied.html().startsWith(QStringLiteral("<table>\n<tr><th>family</th><th>order</th>")));
    EXPECT_TRUE(copied.html().contains(QStringLiteral("<td>clock_sideband</td>")));

    dlg->SetModel({});  // back to the harmonics alone
    EXPECT_EQ(table.Table()->rowCount(), 14);
    EXPECT_EQ(table.Table()->item(0, 0)->text(), "2");
}

TEST_F(SpurTableTest, OnlyAHarmonicsRowIsPickedOutWithAModel) {
    SpurTableWindow& table = OpenTable();
    table.Table()->selectRow(4);  // harmonic 6
    dlg->SetModel(EveryFamily());
    ASSERT_EQ(table.Table()->selectedItems().size(), SpurTableWindow::kColumnCount);
    EXPECT_EQ(table.Table()->selectedItems().front()->text(), "6f");
    EXPECT_EQ(dlg->HighlightedHarmonic(), 6);
    dlg->TypeIntoField(IDC_IF, QStringLiteral("190"));
    EXPECT_EQ(dlg->HighlightedHarmonic(), 6);

    const int sideband = table.Table()->rowCount() - 5;  // f + Fc
    ASSERT_EQ(table.LedgerRowAt(sideband)->member.family, SpurFamily::kClockSideband);
    table.Table()->selectRow(sideband);
    EXPECT_EQ(dlg->HighlightedHarmonic(), std::nullopt);
    table.Table()->selectRow(2);  // 3f
    EXPECT_EQ(dlg->HighlightedHarmonic(), 3);
    table.Table()->selectRow(0);  // a heading is not selected
    EXPECT_TRUE(table.Table()->selectedItems().isEmpty());
    EXPECT_EQ(dlg->HighlightedHarmonic(), std::nullopt);
}

// Every family again, with levels: Ls -2 dBFS; HD2..HD5 -70, -75, -80, -85 dBc (HD6 unknown);
// images of order 1 -60 dBc; offset tones -95 dBFS; sidebands of order 1 -50 dBc; the
// interferer at -20 dBFS; the floor at -90 dBc.
SpurModel EveryFamilyWithLevels() {
    SpurModel model = EveryFamily();
    model.interferers.front().level = -20;
    model.levels = {.signal = -2,
                    .harmonics = {-70, -75, -80, -85},
                    .images = {-60},
                    .offset = -95,
                    .sidebands = {-50},
                    .floor = -90};
    return model;
}

SpurModel HarmonicLevels(std::vector<double> hd, std::optional<double> floor = std::nullopt) {
    return {.interferers = {}, .levels = {.harmonics = std::move(hd), .floor = floor}};
}

struct LevelledCase {
    const char* name;
    SpurModel model;
    int columns;
    const char* worst;  // both bands' lines; empty when hidden
};

class SpurTableLevels : public SpurTableTest, public ::testing::WithParamInterface<LevelledCase> {};

// Harmonics 3 and 5 meet both bands of the default plan with 6 harmonics.
TEST_P(SpurTableLevels, AddColumnsAndEachBandsWorstSpurAndTheCopyIsTheLedger) {
    Open(PlanFields{.m_harmonics = 6});
    SpurTableWindow& table = OpenTable();
    dlg->SetModel(EveryFamilyWithLevels());
    const SpurModel& model = GetParam().model;
    dlg->SetModel(model);
    EXPECT_EQ(table.Table()->columnCount(), GetParam().columns);
    EXPECT_EQ(table.WorstSpurs()->isVisible(), *GetParam().worst != '\0');
    if (table.WorstSpurs()->isVisible()) {
        EXPECT_EQ(table.WorstSpurs()->text(), QString::fromUtf8(GetParam().worst));
        table.CopyAsCsv();
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
                  SpurLedgerCsv(BuildSpurLedger(Plan(), model), model));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Models, SpurTableLevels,
    ::testing::Values(
        LevelledCase{"NoLevels", {}, SpurTableWindow::kColumnCount, ""},
        LevelledCase{"ModelWithoutLevels", EveryFamily(), SpurTableWindow::kColumnCount, ""},
        LevelledCase{"HarmonicLevelsAlone", HarmonicLevels({-70, -75, -80, -85, -90}),
                     SpurTableWindow::kLevelledColumnCount,
                     "IF band: worst spur 3f at \u221276 dBFS, SFDR 75 dB\n"
                     "RF band: worst spur 3f at \u221276 dBFS, SFDR 75 dB"},
        LevelledCase{"AnUnknownLevelIsTheWorst", HarmonicLevels({-70, -75}),
                     SpurTableWindow::kLevelledColumnCount,
                     "IF band: worst spur 5f, unknown level\n"
                     "RF band: worst spur 5f, unknown level"},
        LevelledCase{"NoneAboveTheFloor", HarmonicLevels({-70, -75, -80, -85}, -70.0),
                     SpurTableWindow::kLevelledColumnCount,
                     "IF band: no spur above the floor meets it\n"
                     "RF band: no spur above the floor meets it"},
        LevelledCase{"EveryFamily", EveryFamilyWithLevels(), SpurTableWindow::kLevelledColumnCount,
                     "IF band: worst spur f + Fs/2 at \u221262 dBFS, SFDR 60 dB\n"
                     "RF band: worst spur f + Fc at \u221252 dBFS, SFDR 50 dB"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SpurTableTest, ASpurAtOrBelowTheFloorIsGreyAndNotMarkedThoughItMeets) {
    Open(PlanFields{.m_harmonics = 6});
    SpurTableWindow& table = OpenTable();
    dlg->SetModel(EveryFamilyWithLevels());
    const auto rowOf = [&](const QString& label) {
        for (int row = 0; row < table.Table()->rowCount(); ++row) {
            if (table.Table()->item(row, 0)->text() == label) {
                return row;
            }
        }
        return -1;
    };
    const auto cells = [&](int row) {
        QStringList texts;
        for (int column : {SpurTableWindow::kIfColumn, SpurTableWindow::kLevelColumn,
                           SpurTableWindow::kDbcColumn, SpurTableWindow::kCountsColumn}) {
            texts << table.Table()->item(row, column)->text();
        }
        return texts;
    };
    const int offset = rowOf(QStringLiteral("Fs/4"));  // -95 dBFS is -93 dBc
    ASSERT_GE(offset, 0);
    EXPECT_EQ(cells(offset), QStringList({QStringLiteral("meets"), QStringLiteral("\u221295"),
                                          QStringLiteral("\u221293"), QStringLiteral("no")}));
    EXPECT_FALSE(table.Table()->item(offset, SpurTableWindow::kIfColumn)->font().bold());
    EXPECT_NE(table.Table()->item(offset, 0)->foreground().color(),
              table.Table()->item(rowOf(QStringLiteral("2f")), 0)->foreground().color());

    const int third = rowOf(QStringLiteral("3f"));
    EXPECT_EQ(cells(third), QStringList({QStringLiteral("meets"), QStringLiteral("\u221277"),
                                         QStringLiteral("\u221275"), QStringLiteral("yes")}));
    EXPECT_TRUE(table.Table()->item(third, SpurTableWindow::kIfColumn)->font().bold());
    EXPECT_EQ(
        table.Table()->item(rowOf(QStringLiteral("6f")), SpurTableWindow::kLevelColumn)->text(),
        QStringLiteral("unknown"));
}

TEST_F(SpurTableTest, OneTooltipPerChartFromTheDrawingGeometry) {
    const int height = dlg->height() - kControlStripHeight;
    const PixelRect upper = FoldingChartBand(dlg->width(), height);
    const PlotFrame frame = MakePlotFrame(upper.top, upper.bottom, upper.right);
    // Harmonic 2 is the last line drawn; its second vertex is its peak at (Fs/4, Fs/2).
    const AliasLineSet lines = BuildAliasLines(Plan().m_fs, Plan().m_harmonics);
    const AliasLinePath path = PlaceAliasLine(
        frame, Plan().m_fs / 2.0, lines.lines[static_cast<std::size_t>(lines.count - 1)]);
    const QPoint peak(path.points[1].x, path.points[1].y + kControlStripHeight);

    QHelpEvent overLine(QEvent::ToolTip, peak, dlg->mapToGlobal(peak));
    QApplication::sendEvent(dlg.get(), &overLine);
    EXPECT_TRUE(QToolTip::text().contains(
        QStringLiteral("Harmonic 2: signal 184.320 MHz, alias 368.640 MHz")))
        << QToolTip::text().toStdString();

    const BandChartLayout layout = LayOutBandChart(Plan(), BandChartBand(dlg->width(), height));
    const PixelRect bar = layout.bars[2].rect;
    const QPoint onBar(bar.left + 1, bar.top + kControlStripHeight);
    QHelpEvent overBar(QEvent::ToolTip, onBar, dlg->mapToGlobal(onBar));
    QApplication::sendEvent(dlg.get(), &overBar);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Harmonic 2: image 348.640 .. 368.640 MHz"));

    // Left of every bar in row 2, and in the folding chart's top margin.
    EXPECT_EQ(
        ChartToolTipText(Plan(), dlg->width(), dlg->height(), QPoint(frame.left + 2, onBar.y())),
        QString());
    EXPECT_EQ(ChartToolTipText(Plan(), dlg->width(), dlg->height(),
                               QPoint(dlg->width() / 2, kControlStripHeight + 2)),
              QString());
}

}  // namespace
}  // namespace quorvel::test
