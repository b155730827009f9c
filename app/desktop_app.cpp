#include "app/desktop_app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/display_check.h"
#include "app/spur_plan_app.h"
#include "res/main_frame_icon.h"
#include "res/version.h"

namespace quorvel {

namespace {

// The status of a start whose plan file could not be used, as the command line's.
constexpr int kBadPlanFileStatus = 2;

// Set when the user has been told on standard error that the plan file is unusable: with
// no window to open either, that line is the one thing to say.
bool g_planProblemTold = false;

// Qt meets a window system it cannot start with a fatal message, five lines of its own
// and an abort. The user gets one line saying what is wrong, and exit status 1; Qt's
// notes on the way there are not theirs to read.
void FailPlatformStartPlainly(QtMsgType type, const QMessageLogContext& /*context*/,
                              const QString& /*text*/) {
    if (type != QtFatalMsg) {
        return;
    }
    if (g_planProblemTold) {
        std::_Exit(kBadPlanFileStatus);
    }
    std::fputs(UnreachableDisplayMessage(ReadProcessEnvironment).c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int RunDesktopApp(int& argc, char** argv, const PlanFields& initial, const QByteArray& planFile,
                  const QString& planProblem, const SpurModel& model) {
    if (const auto message = MissingDisplayMessage(ReadProcessEnvironment)) {
        if (!planProblem.isEmpty()) {
            return kBadPlanFileStatus;
        }
        std::fputs(message->c_str(), stderr);
        return 1;
    }
    g_planProblemTold = !planProblem.isEmpty();
    const QtMessageHandler previousHandler = qInstallMessageHandler(FailPlatformStartPlainly);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    g_planProblemTold = false;
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QString::fromLatin1(version::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(MainFrameIcon());

    CSpurPlanApp app(initial, planFile, planProblem, model);
    app.InitInstance();
    return 0;
}

}  // namespace quorvel
