// A plan kept in a file: started on it, changed, saved with Ctrl+S, and started again.
#include <QTemporaryDir>

#include "plan_file_put.h"
#include "planfile/plan_file.h"
#include "quorvel_window.h"

namespace quorvel::test {
namespace {

class PlanFileWindowTest : public QuorvelWindowTest {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QTemporaryDir dir_;
};

TEST_F(PlanFileWindowTest, SavedWithCtrlSAndOpenedAgainShowsTheChangedPlan) {
    const QString path = dir_.filePath(QStringLiteral("plan.qvplan"));
    PlanFields plan{
        .m_fs = 1000.0, .m_if = 250.0, .m_ifBw = 40.0, .m_harmonics = 20, .m_rfBw = 120.0};
    ASSERT_TRUE(test::PutPlanFile(path, PlanFileValues::FromPlan(plan)));
    const QString title = QStringLiteral("plan\\.qvplan - Quorvel");

    StartQuorvel({path}, title);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("plan-1-opened")));
    // The IF field has the focus.
    ASSERT_TRUE(Keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(Type(QStringLiteral("260")));
    plan.m_if = 260.0;
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("plan-2-changed")));
    // With the field's cursor in it, X11's line editing binds Ctrl+E too; the window's
    // export comes first.
    ASSERT_TRUE(Keys({QStringLiteral("ctrl+e")}));
    const std::optional<QString> exportDialog = X().FindWindow(QStringLiteral("Export"));
    ASSERT_TRUE(exportDialog.has_value()) << "Ctrl+E opened no export dialog";
    ASSERT_TRUE(
        X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), *exportDialog}));
    ASSERT_TRUE(Keys({QStringLiteral("Escape")}));
    ASSERT_TRUE(X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_}));
    // Saved, Escape closes without a question; unsaved, the question would hold it open.
    ASSERT_TRUE(Keys({QStringLiteral("ctrl+s"), QStringLiteral("Escape")}));
    ASSERT_EQ(ExitStatus(), 0);
    EXPECT_EQ(ReadPlanFile(path).values->ifCentre, 260.0);

    StartQuorvel({path}, title);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(ChartsShow(plan, QStringLiteral("plan-3-reopened")));
    ASSERT_TRUE(Keys({QStringLiteral("Escape")}));
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(PlanFileWindowTest, EnterOnAChangedUntitledPlanAsksAndSavesUnderATypedName) {
    StartQuorvel({}, QStringLiteral("Quorvel"));
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(Keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(Type(QStringLiteral("200")));
    PlanFields plan{.m_if = 200.0};
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("untitled-1-changed")));

    // Enter commits the typing and asks; Escape there keeps the window and its plan.
    ASSERT_TRUE(Keys({QStringLiteral("Return")}));
    ASSERT_TRUE(AnswerUnsavedQuestion({QStringLiteral("Escape")}));
    EXPECT_FALSE(program_.waitForFinished(500));
    ASSERT_TRUE(ChartsShow(plan, QStringLiteral("untitled-2-kept")));

    // Enter again, and Enter saves: the name typed without its extension gets it.
    ASSERT_TRUE(Keys({QStringLiteral("Return")}));
    ASSERT_TRUE(AnswerUnsavedQuestion({QStringLiteral("Return")}));
    const std::optional<QString> saveDialog = X().FindWindow(QStringLiteral("Save plan as"));
    ASSERT_TRUE(saveDialog.has_value()) << "Save opened no file dialog";
    ASSERT_TRUE(
        X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), *saveDialog}));
    ASSERT_TRUE(Type(dir_.filePath(QStringLiteral("kept"))));
    ASSERT_TRUE(Keys({QStringLiteral("Return")}));
    ASSERT_EQ(ExitStatus(), 0);
    EXPECT_EQ(ReadPlanFile(dir_.filePath(QStringLiteral("kept.qvplan"))).values->ifCentre, 200.0);
}

}  // namespace
}  // namespace quorvel::test
