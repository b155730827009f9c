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

// Qt meets a window system it cannot start with a fatal message, five lines of its own
// and an abort. The user gets one line saying what is wrong, and exit status 1; Qt's
// notes on the way there are not theirs to read.
void FailPlatformStartPlainly(QtMsgType type, const QMessageLogContext& /*context*/,
                              const QString& /*text*/) {
    if (type != QtFatalMsg) {
        return;
    }
    std::fputs(UnreachableDisplayMessage(ReadProcessEnvironment).c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int RunDesktopApp(int& argc, char** argv, const PlanFields& initial, const QString& planFile) {
    if (const auto message = MissingDisplayMessage(ReadProcessEnvironment)) {
        std::fputs(message->c_str(), stderr);
        return 1;
    }
    const QtMessageHandler previousHandler = qInstallMessageHandler(FailPlatformStartPlainly);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QString::fromLatin1(version::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(MainFrameIcon());

    CSpurPlanApp app(initial, planFile);
    app.InitInstance();
    return 0;
}

}  // namespace quorvel
