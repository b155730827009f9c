#include "dialog/system_menu.h"

#include <QString>
#include <QWidget>

#include "res/resource.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quorvel {

#ifdef Q_OS_WIN

bool AppendAboutToSystemMenu(QWidget& window, std::string_view text) {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr || text.empty()) {
        return false;
    }
    const std::wstring wide =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdWString();
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, wide.c_str());
    return true;
}

std::optional<std::uint32_t> SystemCommandOf(const QByteArray& eventType, void* message) {
    if (eventType != "windows_generic_MSG" || message == nullptr) {
        return std::nullopt;
    }
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(msg->wParam);
}

#else

bool AppendAboutToSystemMenu(QWidget& /*window*/, std::string_view /*text*/) {
    return false;
}

std::optional<std::uint32_t> SystemCommandOf(const QByteArray& /*eventType*/, void* /*message*/) {
    return std::nullopt;
}

#endif

}  // namespace quorvel
