// Quorvel's entry point: the command line first (exports need no window), then the dialog.
#include "app/command_line.h"
#include "app/desktop_app.h"

#include <QByteArray>
#include <QString>
#include <string>

int main(int argc, char** argv) {
    quorvel::PlanFields plan;
    std::string planFile;
    std::string planProblem;
    quorvel::SpurModel model;
    if (const auto status =
            quorvel::RunCommandLine(argc, argv, plan, &planFile, &planProblem, &model)) {
        return *status;
    }
    // The name's bytes go through untouched: decoding a name that is not UTF-8 would lose
    // the very file it names.
    return quorvel::RunDesktopApp(argc, argv, plan, QByteArray::fromStdString(planFile),
                                  QString::fromStdString(planProblem), model);
}
