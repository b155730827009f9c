// The folded spectrum window: opened by its shortcut from the main window, showing exactly
// the composed spectrum of the plan and model of the moment, and naming the spurs under the
// pointer.
#include "dialog/spectrum_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMouseEvent>

#include "main_dialog_fixture.h"
#include "paint/spectrum_image.h"

namespace quorvel::test {
namespace {

class SpectrumWindowTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        QAction* action = InstallSpectrumWindow(*dlg);
        EXPECT_EQ(action->text(), QStringLiteral("Folded spectrum..."));
        // Pressed with the focus in a field, where the fields' own keys come first.
        Field(IDC_IF).setFocus();
        QTest::keyClick(&Field(IDC_IF), Qt::Key_F, Qt::ControlModifier);
        window = dlg->findChild<SpectrumWindow*>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // The canvas as shown against the spectrum composed for the main window's plan and model.
    bool ShowsMainsSpectrum() const {
        SpectrumCanvas& canvas = *window->Canvas();
        const QImage composed =
            ComposeSpectrum(dlg->Plan(), dlg->Model(), canvas.width(), canvas.height())
                .convertToFormat(QImage::Format_RGB32);
        return WaitUntil([&] { return Grab(canvas, canvas.rect()) == composed; });
    }

    SpectrumWindow* window = nullptr;
};

SpurModel Interleaved() {
    SpurModel model;
    model.interleave = 4;
    model.levels.harmonics = {-60, -72};
    return model;
}

TEST_F(SpectrumWindowTest, FollowsEveryPlanAndModelChange) {
    EXPECT_TRUE(ShowsMainsSpectrum());
    TypeInto(Field(IDC_FS), QStringLiteral("1000"));
    ASSERT_EQ(Plan().m_fs, 1000);
    EXPECT_TRUE(ShowsMainsSpectrum());
    dlg->SetModel(Interleaved());
    EXPECT_TRUE(ShowsMainsSpectrum());
}

TEST_F(SpectrumWindowTest, StatusLineNamesTheSpursUnderThePointer) {
    dlg->SetModel(Interleaved());
    const SpectrumLayout& layout = window->Canvas()->Layout();
    const auto h3 = std::find_if(layout.marks.begin(), layout.marks.end(),
                                 [](const SpectrumMark& m) { return m.name == "H3"; });
    ASSERT_NE(h3, layout.marks.end());
    const QPoint inside((h3->left + h3->right) / 2, (h3->top + layout.plot.bottom) / 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(inside),
                     window->Canvas()->mapToGlobal(QPointF(inside)), Qt::NoButton, Qt::NoButton,
                     {});
    QCoreApplication::sendEvent(window->Canvas(), &move);
    EXPECT_TRUE(WaitUntil([&] {
        return window->StatusLine()->text().contains(QStringLiteral("H3 \u221273 dBFS"));
    })) << window->StatusLine()->text().toStdString();
    // The level given no more, the pointer resting where it was.
    dlg->SetModel(SpurModel{.interleave = 4});
    EXPECT_TRUE(window->StatusLine()->text().contains(QStringLiteral("H3 level unknown")))
        << window->StatusLine()->text().toStdString();
}

TEST_F(SpectrumWindowTest, EscapeClosesItAndLeavesTheMainWindow) {
    window->activateWindow();
    ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == window; }));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dlg->isVisible());
}

}  // namespace
}  // namespace quorvel::test
