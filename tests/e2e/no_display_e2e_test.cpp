// Started where no window can be shown, the program says in one line of its own what is
// wrong and how to run it, and exits 1 instead of aborting.
#include <gtest/gtest.h>

#include <QProcess>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

struct DisplayEnvironment {
    const char* name;
    std::vector<std::pair<const char*, const char*>> variables;
    const char* saysWhat;
};

class NoDisplay : public ::testing::TestWithParam<DisplayEnvironment> {};

TEST_P(NoDisplay, SaysWhatIsWrongInOneLineAndExitsOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    for (const auto& [name, value] : GetParam().variables) {
        env.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUORVEL_BINARY), {});
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("quorvel: "))) << err.toStdString();
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromLatin1(GetParam().saysWhat))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("xvfb-run"))) << err.toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Environments, NoDisplay,
    ::testing::Values(DisplayEnvironment{"NothingSet", {}, "no display"},
                      DisplayEnvironment{"NoSuchXDisplay", {{"DISPLAY", ":7919"}}, "':7919'"},
                      DisplayEnvironment{
                          "BogusPlatform", {{"QT_QPA_PLATFORM", "bogus"}}, "'bogus'"},
                      DisplayEnvironment{"WaylandOnly", {{"WAYLAND_DISPLAY", "bogus"}}, "'bogus'"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
