// Quorvel's entry point: the command line first (exports need no window), then the dialog.
#include "app/command_line.h"
#include "app/desktop_app.h"

int main(int argc, char** argv) {
    quorvel::PlanFields plan;
    if (const auto status = quorvel::RunCommandLine(argc, argv, plan)) {
        return *status;
    }
    return quorvel::RunDesktopApp(argc, argv, plan);
}
