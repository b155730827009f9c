// The whole desktop start in-process: the application is made, the dialog runs, Escape
// ends it, and the exit status is 0. Also what happens with no display at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <map>
#include <string>

#include "app/command_line.h"
#include "app/desktop_app.h"
#include "app/display_check.h"
#include "dialog/spur_plan_dlg.h"

namespace quorvel {
namespace {

Qt::Key g_endingKey = Qt::Key_Escape;

// Runs when RunDesktopApp makes its QApplication: ends the dialog once it is up.
void EndTheDialogOnceShown() {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && qobject_cast<QMessageBox*>(dialog) == nullptr) {
            QTest::keyClick(dialog, g_endingKey);
        }
    });
}

TEST(RunDesktopApp, RunsTheDialogAndEndsWithStatusZero) {
    qAddPreRoutine(EndTheDialogOnceShown);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        g_endingKey = key;
        int argc = 1;
        char name[] = "quorvel";
        char* argv[] = {name, nullptr};
        EXPECT_EQ(RunDesktopApp(argc, argv, PlanFields{}), 0);
        EXPECT_EQ(QCoreApplication::instance(), nullptr);  // nothing left running
    }
}

// What the start showed, in order: message boxes answered, then the main dialog ended.
struct StartSeen {
    QStringList boxes;
    QString title;
    PlanFields plan;
};
StartSeen g_seen;

void AnswerWhatShows() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer] {
        QWidget* shown = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            g_seen.boxes.append(box->text());
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dlg = qobject_cast<CSpurPlanDlg*>(shown)) {
            g_seen.title = dlg->windowTitle();
            g_seen.plan = dlg->Plan();
            timer->stop();
            QTest::keyClick(dlg, Qt::Key_Escape);
        }
    });
    timer->start(10);
}

// Opened from a file manager there is no terminal: the reason must reach the screen.
TEST(RunDesktopApp, UnusablePlanFileIsToldBeforeTheWindowOpensOnTheOtherValues) {
    qAddPreRoutine(AnswerWhatShows);
    const QTemporaryDir dir;
    std::string missing = dir.filePath(QStringLiteral("missing.qvplan")).toStdString();
    char name[] = "quorvel";
    char fsOption[] = "--fs";
    char fs[] = "1234";
    char* argv[] = {name, missing.data(), fsOption, fs, nullptr};
    int argc = 4;
    PlanFields plan;
    std::string planFile;
    std::string problem;
    ASSERT_EQ(RunCommandLine(argc, argv, plan, &planFile, &problem), std::nullopt);
    EXPECT_EQ(RunDesktopApp(argc, argv, plan, QByteArray::fromStdString(planFile),
                            QString::fromStdString(problem)),
              0);
    ASSERT_EQ(g_seen.boxes.size(), 1);
    EXPECT_TRUE(g_seen.boxes[0].contains(QString::fromStdString(missing) +
                                         QStringLiteral("': there is no such file")))
        << g_seen.boxes[0].toStdString();
    EXPECT_EQ(g_seen.plan.m_fs, 1234.0);
    EXPECT_FALSE(g_seen.title.contains(QStringLiteral("missing"))) << g_seen.title.toStdString();
}

std::map<std::string, std::string> g_environment;

std::optional<std::string> FakeEnvironment(const char* name) {
    const auto found = g_environment.find(name);
    if (found == g_environment.end()) {
        return std::nullopt;
    }
    return found->second;
}

struct Environment {
    const char* name;
    std::map<std::string, std::string> variables;
    bool displayReachable;
};

class DisplayCheckTest : public ::testing::TestWithParam<Environment> {};

TEST_P(DisplayCheckTest, SaysWhatIsMissingOnlyWhenNothingCanShowTheWindow) {
    g_environment = GetParam().variables;
    const std::optional<std::string> message = MissingDisplayMessage(FakeEnvironment);
    EXPECT_EQ(!message.has_value(), GetParam().displayReachable);
    if (message) {
        EXPECT_NE(message->find("DISPLAY"), std::string::npos);
        EXPECT_NE(message->find("WAYLAND_DISPLAY"), std::string::npos);
        EXPECT_NE(message->find("xvfb-run"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayCheckTest,
    ::testing::Values(Environment{"Nothing", {}, false},
                      Environment{"Unrelated", {{"HOME", "/root"}}, false},
                      Environment{"X11", {{"DISPLAY", ":0"}}, true},
                      Environment{"Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
                      Environment{"ChosenPlatform", {{"QT_QPA_PLATFORM", "offscreen"}}, true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
