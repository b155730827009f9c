// File names and system texts between the writer's UTF-8 and Win32's UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvel::win32 {

/// The UTF-16 form of a UTF-8 name; none for bytes that are not UTF-8, which name no file.
inline std::optional<std::wstring> Wide(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

inline std::string Utf8(const wchar_t* text, std::size_t size) {
    if (size == 0) {
        return {};
    }
    const int wideSize = static_cast<int>(size);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, wideSize, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, wideSize, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

inline std::string Utf8(const std::wstring& text) {
    return Utf8(text.data(), text.size());
}

}  // namespace quorvel::win32
