// The clean map's window beside the main one: opened by its action, redrawn on every plan
// change, and a click on a clean point moves the plan there as typing would.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "dialog/clean_map_window.h"
#include "dialog/clean_slider_strip.h"
#include "dialog/field_mark.h"
#include "main_dialog_fixture.h"
#include "plan/clean_intervals.h"
#include "plan/harmonic_band.h"
#include "plan/number_text.h"
#include "plan/reference_bands.h"
#include "plan/spur_verdict.h"

namespace quorvel::test {
namespace {

bool Meets(const HarmonicBand& a, const HarmonicBand& b) {
    return std::max(a.lo, a.hi) >= std::min(b.lo, b.hi) &&
           std::min(a.lo, a.hi) <= std::max(b.lo, b.hi);
}

class CleanMapWindowTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        InstallCleanMap(*dlg);
        QAction* action = nullptr;
        for (QAction* a : dlg->actions()) {
            if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_M)) {
                action = a;
            }
        }
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QStringLiteral("Clean map..."));
        action->trigger();
        window = dlg->findChild<CleanMapWindow*>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    /// Chooses the bands asked about as the user would, by the entry that stands for them.
    void Against(quorvel::Against against) const {
        QComboBox& combo = *window->AgainstCombo();
        combo.setCurrentIndex(combo.findData(static_cast<int>(against)));
    }

    bool Redrawn(int before) const {
        return WaitUntil([&] { return window->Canvas()->PaintCount() > before; });
    }

    CleanMapWindow* window = nullptr;
};

TEST_F(CleanMapWindowTest, EveryPlanChangeRedrawsTheMapOverRangesThatHoldStill) {
    EXPECT_EQ(window->View().fsRange, (FrequencyInterval{368, 2000}));  // the slider's range
    EXPECT_EQ(window->View().ifRange, (FrequencyInterval{0, 737.28 / 2}));
    EXPECT_EQ(window->RangeEdit(3)->text(), QStringLiteral("368.64"));
    ASSERT_TRUE(Redrawn(0));
    int before = window->Canvas()->PaintCount();
    const int composed = window->Canvas()->ComposeCount();
    dlg->TypeIntoField(IDC_FS, QStringLiteral("1000"));  // moves only the mark
    ASSERT_TRUE(Redrawn(before));
    EXPECT_EQ(window->Canvas()->ComposeCount(), composed);
    before = window->Canvas()->PaintCount();
    dlg->TypeIntoField(IDC_IF_BW, QStringLiteral("10"));  // changes the map itself
    ASSERT_TRUE(Redrawn(before));
    EXPECT_EQ(window->Canvas()->ComposeCount(), composed + 1);
    EXPECT_EQ(window->View().ifRange, (FrequencyInterval{0, 737.28 / 2}));
    PasteInto(*window->RangeEdit(3), QString());  // an empty end takes today's default
    EXPECT_EQ(window->View().ifRange, (FrequencyInterval{0, 500}));
}

TEST_F(CleanMapWindowTest, ARangeThatDoesNotConvertIsMarkedAndTheLastGoodOneKept) {
    PasteInto(*window->RangeEdit(1), QStringLiteral("1500"));
    EXPECT_EQ(window->View().fsRange.hi, 1500.0);
    PasteInto(*window->RangeEdit(1), QStringLiteral("15x"));
    EXPECT_TRUE(IsFieldMarked(*window->RangeEdit(1)));
    EXPECT_EQ(window->View().fsRange.hi, 1500.0);
}

struct BadRangeRow {
    const char* name;
    int first;  // RangeEdit index of the range's lower end
    const char* lo;
    const char* hi;
    const char* says;
};
class BadRangeTest : public CleanMapWindowTest,
                     public ::testing::WithParamInterface<BadRangeRow> {};
TEST_P(BadRangeTest, MarksBothEndsAndKeepsTheLastGoodView) {
    const BadRangeRow& row = GetParam();
    PasteInto(*window->RangeEdit(row.first), QString::fromLatin1(row.lo));
    const CleanMapView before = window->View();
    PasteInto(*window->RangeEdit(row.first + 1), QString::fromLatin1(row.hi));
    for (const int i : {row.first, row.first + 1}) {
        EXPECT_TRUE(IsFieldMarked(*window->RangeEdit(i))) << i;
        EXPECT_TRUE(window->RangeEdit(i)->toolTip().contains(QString::fromLatin1(row.says)))
            << window->RangeEdit(i)->toolTip().toStdString();
    }
    EXPECT_EQ(window->View().fsRange, before.fsRange);
    EXPECT_EQ(window->View().ifRange, before.ifRange);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, BadRangeTest,
    ::testing::Values(BadRangeRow{"FsReversed", 0, "2000", "368", "backwards"},
                      BadRangeRow{"FsEmpty", 0, "500", "500", "empty"},
                      BadRangeRow{"FsTooWide", 0, "-1e308", "1e308", "too wide"},
                      BadRangeRow{"IfReversed", 2, "300", "100", "backwards"},
                      BadRangeRow{"IfEmpty", 2, "100", "100", "empty"},
                      BadRangeRow{"IfTooWide", 2, "-1e308", "1e308", "too wide"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CleanMapWindowTest, AClickWithAHugeRangeTypedTypesAFiniteFs) {
    PasteInto(*window->RangeEdit(0), QStringLiteral("-1e308"));
    PasteInto(*window->RangeEdit(1), QStringLiteral("1e308"));
    CleanMapCanvas& canvas = *window->Canvas();
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, canvas.rect().center());
    const auto fs = ParsePlanNumber(Text(IDC_FS).toStdString());
    ASSERT_TRUE(fs.has_value()) << Text(IDC_FS).toStdString();
    EXPECT_TRUE(std::isfinite(*fs));
}

TEST_F(CleanMapWindowTest, ALongReadoutLeavesTheWindowWidthAlone) {
    const int width = window->width();
    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("26"));
    dlg->TypeIntoField(IDC_IF_BW, QStringLiteral("200"));
    dlg->TypeIntoField(IDC_RF_BW, QStringLiteral("400"));
    CleanMapCanvas& canvas = *window->Canvas();
    const QPointF at = canvas.rect().center();
    QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(&canvas, &move);
    ASSERT_TRUE(WaitUntil([&] { return window->StatusLine()->text().size() > 300; }))
        << window->StatusLine()->text().toStdString();
    QTest::qWait(50);  // the layout settles on posted events
    EXPECT_EQ(window->width(), width);
}

TEST_F(CleanMapWindowTest, ClickingACleanPointGivesAPlanWithNoHitInTheBandTable) {
    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("5"));
    Against(Against::kIf);
    ASSERT_EQ(window->View().query.against, Against::kIf);
    CleanMapCanvas& canvas = *window->Canvas();
    // The first pixel, scanning rows, whose centre and both neighbours are clean.
    std::optional<QPoint> target;
    for (int y = 0; y < canvas.height() && !target; y += 3) {
        for (int x = 1; x + 1 < canvas.width() && !target; ++x) {
            bool allClean = true;
            for (const int dx : {-1, 0, 1}) {
                const auto at = canvas.PointAt({x + dx, y});
                PlanFields plan = Plan();
                if (!at) {
                    allClean = false;
                    break;
                }
                plan.m_fs = at->first;
                plan.m_if = at->second;
                allClean = allClean && JudgeSpurs(plan, {Against::kIf, 0}).clean;
            }
            if (allClean) {
                target = QPoint(x, y);
            }
        }
    }
    ASSERT_TRUE(target.has_value());
    const int paints = dlg->PaintCount();
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, *target);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_EQ(Text(IDC_FS).toDouble(), Plan().m_fs);
    EXPECT_EQ(Text(IDC_IF).toDouble(), Plan().m_if);
    HarmonicBandTable table{};
    ComputeHarmonicBands(Plan(), table);
    const HarmonicBand ifImage = FirstZoneImage(Plan().m_fs, Plan().m_if, Plan().m_ifBw);
    for (int n = 2; n <= 5; ++n) {
        EXPECT_FALSE(Meets(table[static_cast<std::size_t>(n)], ifImage)) << "harmonic " << n;
    }
    EXPECT_TRUE(ChartsShow(Plan()));

    QTest::mouseMove(&canvas, *target);
    EXPECT_TRUE(WaitUntil([&] { return window->StatusLine()->text().contains("clean"); }))
        << window->StatusLine()->text().toStdString();
}

TEST_F(CleanMapWindowTest, KeepsMainsFinderSettingsBothWays) {
    delete window;
    const FinderSettings finder{{{400, 1600}}, {{10, 300}}, Against::kRf, 2.5};
    dlg->SetFinder(finder);
    window = new CleanMapWindow(*dlg);
    const auto shown = [this] {
        return QStringList{window->RangeEdit(0)->text(),          window->RangeEdit(1)->text(),
                           window->RangeEdit(2)->text(),          window->RangeEdit(3)->text(),
                           window->AgainstCombo()->currentText(), window->MarginEdit()->text()};
    };
    EXPECT_EQ(shown(), (QStringList{"400", "1600", "10", "300", "rf", "2.5"}));
    EXPECT_EQ(dlg->Finder(), finder);  // showing them wrote nothing back

    QSignalSpy changes(dlg.get(), &CSpurPlanDlg::FinderChanged);
    PasteInto(*window->MarginEdit(), QStringLiteral("7.25"));
    EXPECT_EQ(dlg->Finder().margin, 7.25);
    EXPECT_EQ(dlg->Finder().fsRange, finder.fsRange);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(window->View().query.margin, 7.25);

    FinderSettings opened;  // a plan file opened: unset ones take the defaults
    opened.margin = 1;
    dlg->SetFinder(opened);
    EXPECT_EQ(shown(), (QStringList{"368", "2000", "0", "368.64", "both", "1"}));
    EXPECT_EQ(dlg->Finder(), opened);
    EXPECT_EQ(window->View().query.margin, 1.0);
}

TEST_F(CleanMapWindowTest, TheStripUnderTheSliderShowsTheDrivenVariablesCleanIntervals) {
    CleanSliderStrip& strip = *window->SliderStrip();
    ASSERT_TRUE(strip.isVisible());
    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("5"));
    EXPECT_LE(strip.geometry().bottom(), kControlStripHeight - 1);
    EXPECT_EQ(strip.Clean(), (std::vector<FrequencyInterval>{{1205.9199999999998, 2000}}));
    Choose(kSliderDrivesIf);
    Against(Against::kRf);
    EXPECT_EQ(strip.Clean(), FindCleanIf(Plan(), {0, 368}, {Against::kRf, 0}).intervals);
    EXPECT_EQ(strip.Clean().size(), 4u);
    window->close();
    EXPECT_FALSE(strip.isVisible());
}

}  // namespace
}  // namespace quorvel::test
