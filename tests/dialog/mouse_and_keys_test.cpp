// Clicks set and clear the marker; Enter, Escape and the close button end the dialog;
// the help key asks for the About box.
#include <QCloseEvent>

#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

TEST_F(MainDialogTest, LeftClickSetsTheMarkerAndRightClickClearsIt) {
    int paints = dlg->PaintCount();
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(Marker().x, 300);
    EXPECT_EQ(Marker().y, 200);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(PlanFields{}, MarkerPoint{300, 200}));

    paints = dlg->PaintCount();
    QTest::mouseClick(dlg.get(), Qt::RightButton, {}, QPoint(500, 400));
    EXPECT_EQ(Marker().x, 0);
    EXPECT_EQ(Marker().y, 0);
    ASSERT_TRUE(Repainted(paints));
    EXPECT_TRUE(ChartsShow(PlanFields{}));
}

TEST_F(MainDialogTest, ClickAtTheLeftEdgeIsStoredAndShowsNoReadout) {
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(0, 300));
    EXPECT_EQ(Marker().x, 0);
    EXPECT_EQ(Marker().y, 300);
    EXPECT_TRUE(ChartsShow(PlanFields{}));
}

TEST_F(MainDialogTest, ClickOnALabelCountsAsAClickInTheStrip) {
    // "Harmonics" sits at (671, 5); labels let the press through to the dialog.
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(680, 10));
    EXPECT_EQ(Marker().x, 680);
    EXPECT_EQ(Marker().y, 10);
}

TEST_F(MainDialogTest, ClickOnAControlGoesToTheControl) {
    QTest::mouseClick(&Field(IDC_FS), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Marker().x, 0);
}

TEST_F(MainDialogTest, TheChartsFollowAResize) {
    dlg->resize(900, 351);
    ASSERT_TRUE(WaitUntil([&] { return dlg->size() == QSize(900, 351); }));
    EXPECT_TRUE(ChartsShow(PlanFields{}));
}

// A control redrawing itself (a caret blink, a slider hover) repaints the strip beneath
// it; the charts are composed again only when part of the chart area needs painting.
TEST_F(MainDialogTest, ARepaintOfTheStripAloneLeavesTheChartsUncomposed) {
    const int paints = dlg->PaintCount();
    dlg->repaint(QRect(0, 0, 300, kControlStripHeight));
    EXPECT_EQ(dlg->PaintCount(), paints);
    dlg->repaint(QRect(0, kControlStripHeight - 1, 10, 2));
    EXPECT_EQ(dlg->PaintCount(), paints + 1);
    EXPECT_TRUE(ChartsShow(PlanFields{}));
}

TEST_F(MainDialogTest, AWindowNoTallerThanTheStripPaintsNoCharts) {
    dlg->resize(744, 40);
    ASSERT_TRUE(WaitUntil([&] { return dlg->height() == 40; }));
    const QImage strip = Grab(*dlg, QRect(0, 0, 744, 40));
    EXPECT_FALSE(strip.isNull());
}

struct Ending {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool inSelector;
    QDialog::DialogCode result;
};

class EndingTest : public MainDialogTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, EndsTheDialogThroughOkOrCancel) {
    const Ending& row = GetParam();
    QWidget* target = &Field(IDC_IF);
    if (row.inSelector) {
        Combo().setFocus();
        target = Combo().lineEdit() != nullptr ? static_cast<QWidget*>(Combo().lineEdit())
                                               : static_cast<QWidget*>(&Combo());
    }
    QTest::keyClick(target, row.key, row.modifiers);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), row.result);
}

INSTANTIATE_TEST_SUITE_P(
    EachKey, EndingTest,
    ::testing::Values(
        Ending{"Return", Qt::Key_Return, Qt::NoModifier, false, QDialog::Accepted},
        Ending{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, false, QDialog::Accepted},
        Ending{"ReturnInSelector", Qt::Key_Return, Qt::NoModifier, true, QDialog::Accepted},
        Ending{"Escape", Qt::Key_Escape, Qt::NoModifier, false, QDialog::Rejected},
        Ending{"EscapeInSelector", Qt::Key_Escape, Qt::NoModifier, true, QDialog::Rejected}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainDialogTest, TheCloseButtonCancels) {
    dlg->setResult(QDialog::Accepted);
    EXPECT_TRUE(dlg->close());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(MainDialogTest, ShiftReturnDoesNotEndTheDialog) {
    QTest::keyClick(&Field(IDC_IF), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(MainDialogTest, HelpKeyAndAboutCommandAskForTheAboutBox) {
    int requests = 0;
    dlg->SetAboutBoxHandler([&] { ++requests; });

    QTest::keyClick(&Field(IDC_IF), Qt::Key_F1);
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(dlg->OnSysCommand(IDM_ABOUTBOX));
    EXPECT_EQ(requests, 2);
    EXPECT_FALSE(dlg->OnSysCommand(0xF060));  // close: the default handling's
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(dlg->isVisible());
}

}  // namespace
}  // namespace quorvel::test
