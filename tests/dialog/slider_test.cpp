// The slider and its selector: which field the slider drives, and what a move does.
#include <QSignalSpy>

#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

TEST_F(MainDialogTest, KeyboardMoveWhileDrivingFsSetsFsToTheWholePosition) {
    dlg->Slider()->setFocus();
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(300, 200));
    ASSERT_EQ(Marker().x, 300);
    const int paints = dlg->PaintCount();

    QTest::keyClick(&Slider(), Qt::Key_Right);

    EXPECT_EQ(Slider().value(), 738);
    EXPECT_EQ(Plan().m_fs, 738.0);
    EXPECT_EQ(Text(IDC_FS), "738");
    EXPECT_EQ(Marker().x, 0);
    EXPECT_EQ(Marker().y, 0);
    EXPECT_EQ(LastSliderPos(), 738);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(PlanFields{.m_fs = 738.0}));
}

TEST_F(MainDialogTest, DraggingFsFollowsEveryPositionAndReplacesATypedValue) {
    TypeInto(Field(IDC_FS), "1000.5");
    EXPECT_EQ(Plan().m_fs, 1000.5);
    EXPECT_EQ(Slider().value(), 737);  // typing moves neither the slider nor its range
    EXPECT_EQ(Slider().minimum(), 368);

    for (const int position : {900, 1200, 368}) {
        Slider().setValue(position);  // what a drag with tracking reports
        EXPECT_EQ(Plan().m_fs, position);
        EXPECT_EQ(Text(IDC_FS), QString::number(position));
    }
}

// A slider move writes every field back in its 15-digit form; the next poll reads that
// form back, and a field typed with more digits then changes: the charts must follow.
TEST_F(MainDialogTest, APollWhoseReadChangesThePlanRedrawsTheCharts) {
    TypeInto(Field(IDC_IF), "184.12345678901234");
    const int moved = dlg->PaintCount();
    Slider().setValue(800);
    ASSERT_EQ(Text(IDC_IF), "184.123456789012");
    ASSERT_EQ(Plan().m_if, 184.12345678901234);
    ASSERT_TRUE(Repainted(moved));
    const int paints = dlg->PaintCount();

    Choose(0);  // the entry in force: the slider stays where it is

    EXPECT_EQ(Plan().m_if, 184.123456789012);
    EXPECT_EQ(Plan().m_fs, 800.0);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(Plan()));
}

TEST_F(MainDialogTest, ChoosingIfHandsTheIfTheTruncatedPosition) {
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(300, 200));
    const int paints = dlg->PaintCount();

    Combo().setFocus();
    QTest::keyClick(&Combo(), Qt::Key_Down);  // the next entry, as at the keyboard

    EXPECT_EQ(Combo().currentIndex(), 1);
    EXPECT_EQ(Plan().m_sliderVariable, 1);
    EXPECT_EQ(Slider().minimum(), 0);
    EXPECT_EQ(Slider().maximum(), 368);
    EXPECT_EQ(Slider().value(), 184);
    EXPECT_EQ(Plan().m_if, 184.0);
    EXPECT_EQ(Text(IDC_IF), "184");
    EXPECT_EQ(Plan().m_fs, 737.28);
    EXPECT_EQ(Marker().x, 0);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(PlanFields{.m_if = 184.0, .m_sliderVariable = 1}));
}

TEST_F(MainDialogTest, DraggingTheIfWritesBackWithoutReenteringTheChangeHandler) {
    Choose(1);
    // Written back, Fs (first in the exchange) changes its text to "737.28"; a change
    // notification reaching the handler then would read the IF field's old text back
    // and undo the move.
    TypeInto(Field(IDC_FS), "737.280");
    QSignalSpy changes(&Field(IDC_FS), &QLineEdit::textChanged);

    Slider().setValue(200);

    EXPECT_EQ(Plan().m_if, 200.0);
    EXPECT_EQ(Text(IDC_IF), "200");
    EXPECT_EQ(Text(IDC_FS), "737.28");
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(MainDialogTest, AnIfOf400MovesTheFsRangeToFsWhenFsIsChosen) {
    Choose(1);
    TypeInto(Field(IDC_IF), "400");
    EXPECT_EQ(Slider().value(), 184);  // typed, so the slider stays

    Choose(0);

    EXPECT_EQ(Slider().minimum(), 368);
    EXPECT_EQ(Slider().maximum(), 1474);
    EXPECT_EQ(Slider().value(), 737);
    EXPECT_EQ(Plan().m_fs, 737.0);
    EXPECT_EQ(Text(IDC_FS), "737");
    EXPECT_EQ(Plan().m_if, 400.0);
}

TEST_F(MainDialogTest, ANegativeIfGivesANegativeMinimumAndFsCanBeDraggedBelowZero) {
    TypeInto(Field(IDC_IF), "-30");
    Choose(0);
    EXPECT_EQ(Slider().minimum(), -60);
    Slider().setValue(-10);
    EXPECT_EQ(Plan().m_fs, -10.0);
    EXPECT_EQ(Text(IDC_FS), "-10");
    EXPECT_TRUE(ChartsShow(Plan()));
}

TEST_F(MainDialogTest, AnIfAbove1000GivesFsARangeAroundIt) {
    TypeInto(Field(IDC_IF), "1100.5");
    Choose(0);
    EXPECT_EQ(Slider().minimum(), 368);
    EXPECT_EQ(Slider().value(), 737);
    EXPECT_EQ(Plan().m_fs, 737.28);
}

TEST_F(MainDialogTest, SwitchingTheSelectorKeepsAnUnderSampledPlan) {
    Open(PlanFields{.m_fs = 3000, .m_if = 1800});
    Choose(1);
    Choose(0);
    EXPECT_EQ(Plan().m_fs, 3000.0);
    EXPECT_EQ(Plan().m_if, 1800.0);
    Slider().setFocus();
    QTest::keyClick(&Slider(), Qt::Key_Right);
    EXPECT_EQ(Plan().m_fs, 3001.0);
}

TEST_F(MainDialogTest, AMoveWritesTheValuesInUseOverTextThatDidNotConvert) {
    TypeInto(Field(IDC_IF_BW), "wide");
    Slider().setValue(800);
    EXPECT_EQ(Text(IDC_IF_BW), "20");
    EXPECT_EQ(Field(IDC_IF_BW).toolTip(), "");
}

TEST_F(MainDialogTest, TextTypedIntoTheSelectorChoosesNothing) {
    QLineEdit* typed = Combo().lineEdit();
    ASSERT_NE(typed, nullptr);  // the selector has an editable field
    typed->setFocus();
    typed->selectAll();
    QTest::keyClicks(typed, "IF");
    QTest::keyClick(typed, Qt::Key_Tab);  // leaving the field
    EXPECT_EQ(typed->text(), "Fs");
    EXPECT_EQ(Plan().m_sliderVariable, 0);
    EXPECT_EQ(Slider().maximum(), 2000);
    EXPECT_EQ(Plan().m_if, 184.32);
    EXPECT_EQ(Combo().count(), 2);
}

}  // namespace
}  // namespace quorvel::test
