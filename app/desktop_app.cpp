#include "app/desktop_app.h"

#include <cstdio>

namespace quorvel {

int RunDesktopApp(int& /*argc*/, char** /*argv*/, const PlanFields& /*initial*/) {
    std::fputs("quorvel: the window is not built yet.\n", stderr);
    return 1;
}

}  // namespace quorvel
