#include "app/display_check.h"

#include <cstdlib>

#include "app/quoted_text.h"

namespace quorvel {

namespace {

constexpr const char* kHowToRun =
    "; run it from a desktop session, or in a virtual X server: xvfb-run -a quorvel\n";

}  // namespace

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
    return "quorvel: no display to show the window on: neither DISPLAY (X11) nor "
           "WAYLAND_DISPLAY (Wayland) is set" +
           std::string(kHowToRun);
#else
    (void)read;
    return std::nullopt;
#endif
}

std::string UnreachableDisplayMessage(EnvironmentReader read) {
    if (const auto platform = read("QT_QPA_PLATFORM")) {
        return "quorvel: cannot open the window: the Qt platform " + Quoted(*platform) +
               " chosen by QT_QPA_PLATFORM cannot be started; unset QT_QPA_PLATFORM, or run "
               "it in a virtual X server: xvfb-run -a quorvel\n";
    }
    std::string what;
    if (const auto display = read("DISPLAY")) {
        what = "the X display " + Quoted(*display) + " (DISPLAY) cannot be reached";
    } else if (const auto wayland = read("WAYLAND_DISPLAY")) {
        what = "the Wayland display " + Quoted(*wayland) +
               " (WAYLAND_DISPLAY) cannot be used and DISPLAY is not set";
    } else {
        what = "no display is set";
    }
    return "quorvel: cannot open the window: " + what + kHowToRun;
}

}  // namespace quorvel
