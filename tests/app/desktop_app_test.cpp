// The whole desktop start in-process: the application is made, the dialog runs, Escape
// ends it, and the exit status is 0. Also what happens with no display at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <map>

#include "app/desktop_app.h"
#include "app/display_check.h"

namespace quorvel {
namespace {

Qt::Key g_endingKey = Qt::Key_Escape;

// Runs when RunDesktopApp makes its QApplication: ends the dialog once it is up.
void EndTheDialogOnceShown() {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr) {
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
