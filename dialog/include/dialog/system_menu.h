// The window system's own menu of a window, where the platform lets the program extend
// it (Windows). X11 and Wayland window managers own that menu; there these do nothing.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string_view>

class QWidget;

namespace quorvel {

/// Appends a separator and `text` under the About command to the system menu of
/// `window`. Nothing when the text is empty or the platform has no such menu. Returns
/// whether the entry was added.
bool AppendAboutToSystemMenu(QWidget& window, std::string_view text);

/// The command id of a system-menu command carried by a native event, if it is one.
std::optional<std::uint32_t> SystemCommandOf(const QByteArray& eventType, void* message);

}  // namespace quorvel
