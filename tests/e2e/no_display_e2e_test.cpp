// Started where there is no display, the program says what is missing, in its own words.
#include <gtest/gtest.h>

#include <QProcess>

namespace quorvel {
namespace {

TEST(NoDisplay, SaysWhatIsMissingInsteadOfQtMessages) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUORVEL_BINARY), {});
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("quorvel: no display"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("xvfb-run"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("qt.qpa"))) << err.toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

}  // namespace
}  // namespace quorvel
