// What the program's other windows rely on: a notice for every change of the plan's
// values and none for the marker alone, and a way in that behaves exactly like typing.
#include <QSignalSpy>
#include <QTest>

#include "dialog/field_mark.h"
#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

TEST_F(MainDialogTest, PlanChangesAreAnnouncedOnceAndTheMarkerIsNot) {
    QSignalSpy changes(dlg.get(), &CSpurPlanDlg::PlanChanged);
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(300, 250));
    QTest::mouseClick(dlg.get(), Qt::RightButton, {}, QPoint(300, 250));
    EXPECT_EQ(changes.count(), 0);

    dlg->TypeIntoField(IDC_IF, QStringLiteral("200"));
    EXPECT_EQ(changes.count(), 1);
    dlg->TypeIntoField(IDC_IF, QStringLiteral("200.0"));  // the same value in other words
    EXPECT_EQ(changes.count(), 1);
    Slider().setValue(Slider().value() + 1);
    EXPECT_EQ(changes.count(), 2);
    Choose(1);
    EXPECT_EQ(changes.count(), 3);
}

// The selector is not restored from the plan the window opens with: it starts at Fs, and
// that is the plan the first notice compares with, so a marker is still no change.
TEST_F(MainDialogTest, AnOpeningSliderVariableIsReplacedWithoutANotice) {
    Open(PlanFields{.m_if = 200.0, .m_sliderVariable = kSliderDrivesIf});
    EXPECT_EQ(Plan(), (PlanFields{.m_if = 200.0}));
    EXPECT_EQ(Combo().currentIndex(), 0);
    QSignalSpy changes(dlg.get(), &CSpurPlanDlg::PlanChanged);
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(Marker(), (MarkerPoint{300, 250}));
    EXPECT_EQ(changes.count(), 0);
    Choose(kSliderDrivesIf);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(MainDialogTest, TypingIntoAFieldFromElsewhereActsAsTyping) {
    const int paints = dlg->PaintCount();
    dlg->TypeIntoField(IDC_FS, QStringLiteral("1000"));
    EXPECT_EQ(Plan().m_fs, 1000.0);
    EXPECT_EQ(Text(IDC_FS), QStringLiteral("1000"));
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(PlanFields{.m_fs = 1000}));

    dlg->TypeIntoField(IDC_HARMONICS, QStringLiteral("many"));
    EXPECT_TRUE(IsFieldMarked(Field(IDC_HARMONICS)));
    EXPECT_EQ(Plan().m_harmonics, PlanFields{}.m_harmonics);
}

}  // namespace
}  // namespace quorvel::test
