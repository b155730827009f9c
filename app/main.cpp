// Quorvel's entry point: the command line first (exports need no window), then the dialog.
#include "app/command_line.h"
#include "app/desktop_app.h"

#include <QFile>
#include <string>

int main(int argc, char** argv) {
    quorvel::PlanFields plan;
    std::string planFile;
    if (const auto status = quorvel::RunCommandLine(argc, argv, plan, &planFile)) {
        return *status;
    }
    return quorvel::RunDesktopApp(argc, argv, plan, QFile::decodeName(planFile.c_str()));
}
