#include "app/display_check.h"

#include <cstdlib>

namespace quorvel {

std::optional<std::string> ReadProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> MissingDisplayMessage(EnvironmentReader read) {
#if defined(__unix__) && !defined(__APPLE__)
    if (read("QT_QPA_PLATFORM") || read("DISPLAY") || read("WAYLAND_DISPLAY")) {
        return std::nullopt;
    }
    return std::string(
        "quorvel: no display to show the window on: neither DISPLAY (X11) nor "
        "WAYLAND_DISPLAY (Wayland) is set.\n"
        "Start it from a desktop session, or in a virtual X server with: xvfb-run quorvel\n");
#else
    (void)read;
    return std::nullopt;
#endif
}

}  // namespace quorvel
