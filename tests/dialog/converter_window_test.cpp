// The converter window: what is typed there is the main window's converter model, a field
// that will not do is marked and keeps the model as it was, and the clean map follows.
#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

#include "dialog/clean_map_window.h"
#include "dialog/converter_window.h"
#include "dialog/field_mark.h"
#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

using Edit = std::function<QLineEdit*(const ConverterWindow&)>;

const Edit kCores = [](const ConverterWindow& w) { return w.InterleaveEdit(); };
const Edit kImageOrders = [](const ConverterWindow& w) { return w.ImageOrdersEdit(); };
const Edit kClockSpur = [](const ConverterWindow& w) { return w.ClockSpurEdit(); };
const Edit kSignal = [](const ConverterWindow& w) { return w.SignalLevelEdit(); };
const Edit kHd = [](const ConverterWindow& w) { return w.HarmonicLevelsEdit(); };
const Edit kImageLevels = [](const ConverterWindow& w) { return w.ImageLevelsEdit(); };
const Edit kOffsetLevel = [](const ConverterWindow& w) { return w.OffsetLevelEdit(); };
const Edit kSidebandLevels = [](const ConverterWindow& w) { return w.SidebandLevelsEdit(); };
const Edit kFloor = [](const ConverterWindow& w) { return w.FloorEdit(); };
Edit Interferer(int row, ConverterWindow::InterfererColumn column) {
    return [row, column](const ConverterWindow& w) { return w.InterfererEdit(row, column); };
}

class ConverterWindowTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        InstallConverterWindow(*dlg);
        QTest::keyClick(dlg.get(), Qt::Key_K, Qt::ControlModifier);
        window = dlg->findChild<ConverterWindow*>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    ConverterWindow* window = nullptr;
};

struct TypingRow {
    const char* name;
    std::vector<std::pair<Edit, const char*>> typed;
    SpurModel model;        // the main window's model afterwards
    Edit marked = nullptr;  // the one field marked, if any
    const char* says = "";  // part of its message
};

SpurModel WithLevels(SpurLevels levels, std::vector<quorvel::Interferer> interferers = {}) {
    return {.interferers = std::move(interferers), .levels = std::move(levels)};
}

// 27 levels, one more than a list holds.
const char* const kTooManyLevels =
    "-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,-80,"
    "-80,-80,-80,-80,-80";

class ConverterTypingTest : public ConverterWindowTest,
                            public testing::WithParamInterface<TypingRow> {};

TEST_P(ConverterTypingTest, TypingSetsTheModelAndAFieldThatWillNotDoIsMarked) {
    for (const auto& [edit, text] : GetParam().typed) {
        PasteInto(*edit(*window), QString::fromLatin1(text));
    }
    EXPECT_EQ(dlg->Model(), GetParam().model);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        const bool marked = GetParam().marked && edit == GetParam().marked(*window);
        EXPECT_EQ(IsFieldMarked(*edit), marked) << edit->text().toStdString();
        if (marked) {
            EXPECT_TRUE(edit->toolTip().contains(QString::fromUtf8(GetParam().says)))
                << edit->toolTip().toStdString();
        }
    }
    // The typing stays as typed, marks and all.
    const auto& [lastEdit, lastText] = GetParam().typed.back();
    EXPECT_EQ(lastEdit(*window)->text(), QString::fromLatin1(lastText));
}

using C = ConverterWindow;

INSTANTIATE_TEST_SUITE_P(
    Rows, ConverterTypingTest,
    testing::Values(
        TypingRow{"Cores",
                  {{kCores, "4"}, {kImageOrders, "2"}},
                  {.interleave = 4, .interleaveOrders = 2, .interferers = {}}},
        TypingRow{"CoresAboveTheRange",
                  {{kCores, "8"}, {kCores, "65"}},
                  {.interleave = 8, .interferers = {}},
                  kCores},
        TypingRow{"CoresNotANumber", {{kCores, "four"}}, {}, kCores},
        TypingRow{"CoresEmptiedIsNotInterleaved", {{kCores, "4"}, {kCores, ""}}, {}},
        TypingRow{"ClockSpur",
                  {{kClockSpur, "-12.5"}},
                  {.hasClockSpur = true, .clockSpur = -12.5, .interferers = {}}},
        TypingRow{"ClockSpurBeyondTheLimit", {{kClockSpur, "1e101"}}, {}, kClockSpur},
        TypingRow{"InterfererWaitsForItsWidth",
                  {{Interferer(0, C::kCentreColumn), "2400"}},
                  {},
                  Interferer(0, C::kWidthColumn)},
        TypingRow{"InterfererInTheThirdRow",
                  {{Interferer(2, C::kCentreColumn), "2400"},
                   {Interferer(2, C::kWidthColumn), "80"},
                   {Interferer(2, C::kOrdersColumn), "2"}},
                  {.interferers = {{2400.0, 80.0, 2}}}},
        TypingRow{"InterfererKeepsItsWidthWhenOneWillNotDo",
                  {{Interferer(0, C::kCentreColumn), "900"},
                   {Interferer(0, C::kWidthColumn), "10"},
                   {Interferer(0, C::kWidthColumn), "-1"}},
                  {.interferers = {{900.0, 10.0, 1}}},
                  Interferer(0, C::kWidthColumn)},
        TypingRow{"Levels",
                  {{kSignal, "-3"},
                   {kHd, "-70, -75.5,-85"},
                   {kImageLevels, "-80"},
                   {kOffsetLevel, "-90"},
                   {kSidebandLevels, " -60 , -66 "},
                   {kFloor, "-100"}},
                  WithLevels({.signal = -3,
                              .harmonics = {-70, -75.5, -85},
                              .images = {-80},
                              .offset = -90,
                              .sidebands = {-60, -66},
                              .floor = -100})},
        TypingRow{"SignalEmptiedIsTheDefault", {{kSignal, "-3"}, {kSignal, ""}}, {}},
        TypingRow{"SignalAboveFullScale",
                  {{kSignal, "-3"}, {kSignal, "3"}},
                  WithLevels({.signal = -3}),
                  kSignal,
                  "from -200 to 0"},
        TypingRow{"FloorNotANumber",
                  {{kFloor, "-100"}, {kFloor, "-100dB"}},
                  WithLevels({.floor = -100}),
                  kFloor,
                  "number"},
        TypingRow{"OffsetLevelEmptiedIsUnknown", {{kOffsetLevel, "-90"}, {kOffsetLevel, ""}}, {}},
        TypingRow{"HalfTypedListKeepsTheLastGoodOne",
                  {{kHd, "-70"}, {kHd, "-70,"}},
                  WithLevels({.harmonics = {-70}}),
                  kHd,
                  "missing"},
        TypingRow{"ListEntryOutOfRange",
                  {{kImageLevels, "-75, -250"}},
                  {},
                  kImageLevels,
                  "\u201c-250\u201d is not a level"},
        TypingRow{"ListTooLong",
                  {{kSidebandLevels, "-60"}, {kSidebandLevels, kTooManyLevels}},
                  WithLevels({.sidebands = {-60}}),
                  kSidebandLevels,
                  "at most 26 levels"},
        TypingRow{"InterfererLevel",
                  {{Interferer(1, C::kCentreColumn), "2400"},
                   {Interferer(1, C::kWidthColumn), "80"},
                   {Interferer(1, C::kLevelColumn), "-20"}},
                  {.interferers = {{2400.0, 80.0, 1, -20.0}}}},
        TypingRow{"InterfererKeepsItsLevelWhenOneWillNotDo",
                  {{Interferer(0, C::kCentreColumn), "900"},
                   {Interferer(0, C::kWidthColumn), "10"},
                   {Interferer(0, C::kLevelColumn), "-20"},
                   {Interferer(0, C::kLevelColumn), "+5"}},
                  {.interferers = {{900.0, 10.0, 1, -20.0}}},
                  Interferer(0, C::kLevelColumn),
                  "from -200 to 0"},
        TypingRow{"EmptiedRowIsNoInterferer",
                  {{Interferer(0, C::kCentreColumn), "900"},
                   {Interferer(0, C::kWidthColumn), "10"},
                   {Interferer(0, C::kCentreColumn), ""},
                   {Interferer(0, C::kWidthColumn), ""}},
                  {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ConverterWindowTest, AModelSetElsewhereIsShownAndTheMapFollowsTheFields) {
    const SpurModel model{.interleave = 4,
                          .hasClockSpur = true,
                          .clockSpur = 0.1,
                          .interferers = {{2400.0, 80.0, 2, -20.0}, {900.0, 0.0, 1}},
                          .levels = {.harmonics = {-70, -75.5}, .floor = -100}};
    dlg->SetModel(model);
    EXPECT_EQ(window->InterleaveEdit()->text(), QStringLiteral("4"));
    EXPECT_EQ(window->ClockSpurEdit()->text(), QStringLiteral("0.1"));
    EXPECT_EQ(window->InterfererEdit(1, C::kCentreColumn)->text(), QStringLiteral("900"));
    EXPECT_TRUE(window->InterfererEdit(2, C::kCentreColumn)->text().isEmpty());
    EXPECT_EQ(window->InterfererEdit(0, C::kLevelColumn)->text(), QStringLiteral("-20"));
    EXPECT_TRUE(window->InterfererEdit(1, C::kLevelColumn)->text().isEmpty());
    EXPECT_EQ(window->SignalLevelEdit()->text(), QStringLiteral("-1"));
    EXPECT_EQ(window->HarmonicLevelsEdit()->text(), QStringLiteral("-70, -75.5"));
    EXPECT_TRUE(window->ImageLevelsEdit()->text().isEmpty());
    EXPECT_TRUE(window->OffsetLevelEdit()->text().isEmpty());
    EXPECT_EQ(window->FloorEdit()->text(), QStringLiteral("-100"));
    EXPECT_EQ(dlg->Model(), model);  // showing it took nothing back

    InstallCleanMap(*dlg);
    dlg->actions().back()->trigger();
    auto* map = dlg->findChild<CleanMapWindow*>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->View().query.model, model);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    map->Canvas()->repaint();
    const int composed = map->Canvas()->ComposeCount();
    ASSERT_GT(composed, 0);
    TypeInto(*window->InterleaveEdit(), QStringLiteral("8"));
    EXPECT_EQ(map->View().query.model.interleave, 8);
    map->Canvas()->repaint();  // the body is composed again, not the kept frame shown
    EXPECT_GT(map->Canvas()->ComposeCount(), composed);
}

}  // namespace
}  // namespace quorvel::test
