#include "app/desktop_app.h"

#include <QApplication>
#include <cstdio>

#include "app/display_check.h"
#include "app/spur_plan_app.h"
#include "res/main_frame_icon.h"
#include "res/version.h"

namespace quorvel {

int RunDesktopApp(int& argc, char** argv, const PlanFields& initial) {
    if (const auto message = MissingDisplayMessage(ReadProcessEnvironment)) {
        std::fputs(message->c_str(), stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QString::fromLatin1(version::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(MainFrameIcon());

    CSpurPlanApp app(initial);
    app.InitInstance();
    return 0;
}

}  // namespace quorvel
