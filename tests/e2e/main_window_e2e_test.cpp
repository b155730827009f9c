// A person's session with the window: type a value, move the slider from the keyboard,
// click and right-click in the charts, close with Escape and leave the changes unsaved.
#include "quorvel_window.h"

namespace quorvel::test {
namespace {

TEST_F(QuorvelWindowTest, FollowsTypingSliderAndClicksThenEndsWithStatusZero) {
    EXPECT_EQ(client_.size(), QSize(744, 582));
    PlanFields plan;
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("1-start")));
    // The strip is the window's own background with its controls, not chart black.
    EXPECT_NE(Screenshot().pixel(4, 4) & 0xFFFFFFu, 0u);

    // The IF field has the focus: replace its text.
    ASSERT_TRUE(Keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(Type(QStringLiteral("200")));
    plan.m_if = 200.0;
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("2-if-200")));

    // Tab to the slider (IF, IF BW, Fs, slider) and move Fs up by three whole MHz.
    ASSERT_TRUE(Keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab")}));
    ASSERT_TRUE(Keys({QStringLiteral("Right"), QStringLiteral("Right"), QStringLiteral("Right")}));
    plan.m_fs = 740.0;
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("3-fs-740")));

    // A left click in the upper chart shows the readout, a right click removes it.
    ASSERT_TRUE(Click(QPoint(300, 200), 1));
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("4-marker"), MarkerPoint{300, 200}));

    ASSERT_TRUE(Click(QPoint(500, 400), 3));
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("5-no-marker")));

    // The plan has changed: Escape asks first, and Discard ends the program.
    ASSERT_TRUE(Keys({QStringLiteral("Escape")}));
    ASSERT_TRUE(AnswerUnsavedQuestion({QStringLiteral("alt+d")}));
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(QuorvelWindowTest, EnterEndsTheProgramWithStatusZero) {
    ASSERT_TRUE(Keys({QStringLiteral("Return")}));
    EXPECT_EQ(ExitStatus(), 0);
}

}  // namespace
}  // namespace quorvel::test
