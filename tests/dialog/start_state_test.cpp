// The window as it opens: controls, slider, selector, icon, geometry, focus.
#include <QApplication>
#include <QPainter>

#include "dialog/minimised_icon.h"

#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

TEST_F(MainDialogTest, FieldsShowTheDefaultsInTheirShortestForm) {
    EXPECT_EQ(Text(IDC_IF), "184.32");
    EXPECT_EQ(Text(IDC_IF_BW), "20");
    EXPECT_EQ(Text(IDC_RF_BW), "100");
    EXPECT_EQ(Text(IDC_FS), "737.28");
    EXPECT_EQ(Text(IDC_HARMONICS), "15");
    EXPECT_EQ(Plan(), PlanFields{});
    EXPECT_EQ(LastSliderPos(), 737);
}

TEST_F(MainDialogTest, SliderDrivesFsFromTwiceTheIfTo2000) {
    ASSERT_EQ(Combo().count(), 2);
    EXPECT_EQ(Combo().itemText(0), "Fs");
    EXPECT_EQ(Combo().itemText(1), "IF");
    EXPECT_EQ(Combo().currentIndex(), 0);
    EXPECT_EQ(Slider().minimum(), 368);
    EXPECT_EQ(Slider().maximum(), 2000);
    EXPECT_EQ(Slider().value(), 737);
    EXPECT_EQ(Slider().orientation(), Qt::Horizontal);
    EXPECT_EQ(Slider().tickPosition(), QSlider::NoTicks);
}

TEST_F(MainDialogTest, OpensWithoutMarkerAndShowsTheComposedCharts) {
    EXPECT_EQ(Marker(), MarkerPoint{});
    EXPECT_TRUE(ChartsShow(PlanFields{}));
}

TEST_F(MainDialogTest, ControlsSitInTheStripAndTheWindowHasItsTemplateSize) {
    EXPECT_EQ(dlg->size(), QSize(744, 582));
    for (QWidget* child : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            continue;
        }
        EXPECT_LE(child->geometry().bottom(), kControlStripHeight - 1)
            << child->objectName().toStdString();
    }
    EXPECT_EQ(Field(IDC_IF).geometry(), QRect(11, 20, 45, 20));
    EXPECT_EQ(Slider().geometry(), QRect(353, 20, 303, 18));
}

TEST_F(MainDialogTest, IsAResizableMinimisableTopLevelWindowWithTheProgramIcon) {
    EXPECT_EQ(dlg->windowTitle(), "Quorvel");
    const Qt::WindowFlags flags = dlg->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_NE(dlg->minimumSize(), dlg->maximumSize());
    const QList<QSize> sizes = dlg->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    // The paint covers the whole window, so nothing is erased before it.
    EXPECT_TRUE(dlg->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST_F(MainDialogTest, TabOrderFollowsTheTemplateAndFocusStartsOnTheIf) {
    dlg->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::focusWidget() != nullptr; }));
    EXPECT_EQ(QApplication::focusWidget(), &Field(IDC_IF));
    const std::vector<QWidget*> order = {&Field(IDC_IF_BW),     &Field(IDC_FS),    &Slider(),
                                         &Field(IDC_HARMONICS), &Field(IDC_RF_BW), &Combo()};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // An editable selector takes the focus in its own text field.
        if (focused != nullptr && focused->parentWidget() == &Combo()) {
            focused = &Combo();
        }
        EXPECT_EQ(focused, expected);
    }
}

TEST_F(MainDialogTest, StartValuesOutsideTheSliderRangeAreShownAndDrawnAsGiven) {
    // Fs is driven from the start; the slider's range moves to take in its position, and
    // only a later move of the slider hands Fs its whole-MHz position.
    struct Row {
        PlanFields plan;
        const char* fsText;
        int sliderValue;
        int movedTo;
    };
    const Row rows[] = {{{.m_fs = 5000}, "5000", 5000, 5001},
                        {{.m_if = 600, .m_ifBw = 12.5, .m_harmonics = 9}, "737.28", 737, 738}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fsText);
        Open(row.plan);
        EXPECT_EQ(Slider().value(), row.sliderValue);
        EXPECT_EQ(Text(IDC_FS), row.fsText);
        EXPECT_EQ(Plan().m_fs, row.plan.m_fs);
        EXPECT_EQ(LastSliderPos(), row.sliderValue);
        EXPECT_TRUE(ChartsShow(row.plan));

        Slider().setValue(row.movedTo);
        EXPECT_EQ(Plan().m_fs, row.movedTo);
        EXPECT_EQ(Text(IDC_FS).toInt(), row.movedTo);
    }
}

TEST_F(MainDialogTest, StartValuesInsideTheRangeKeepTheirFractions) {
    Open(PlanFields{.m_fs = 1500.75, .m_if = 100.5});
    EXPECT_EQ(Slider().value(), 1500);
    EXPECT_EQ(Plan().m_fs, 1500.75);
    EXPECT_EQ(Text(IDC_FS), "1500.75");
}

TEST_F(MainDialogTest, WhileMinimisedShowsTheIconCentredInsteadOfTheCharts) {
    dlg->showMinimized();
    ASSERT_TRUE(dlg->isMinimized());
    const int paints = dlg->PaintCount();
    const QImage shown = Grab(*dlg, dlg->rect());
    const QPoint origin = MinimisedIconOrigin(dlg->size(), QSize(32, 32));
    EXPECT_EQ(origin, QPoint(356, 275));
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(dlg->palette().window().color());
    {
        QPainter painter(&icon);
        painter.drawPixmap(0, 0, dlg->windowIcon().pixmap(32, 32));
    }
    EXPECT_EQ(shown.copy(QRect(origin, QSize(32, 32))), icon);
    EXPECT_EQ(shown.pixelColor(400, 400), dlg->palette().window().color());  // no charts
    EXPECT_EQ(dlg->PaintCount(), paints);
}

}  // namespace
}  // namespace quorvel::test
