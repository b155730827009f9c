// The export writer on Win32: handles, FlushFileBuffers, MoveFileExW, and Ctrl+C removing
// the temporaries of an interrupted run.
#include <windows.h>

#include <algorithm>
#include <string>

#include "output_platform.h"
#include "win32_text.h"

namespace quorvel {

namespace {

HANDLE AsHandle(OutputHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

OutputHandle FromHandle(HANDLE handle) {
    return reinterpret_cast<OutputHandle>(handle);
}

SystemError LastError() {
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<SystemError>(error) : ERROR_WRITE_FAULT;
}

SystemError Write(OutputHandle file, const char* data, std::size_t size, std::size_t& written) {
    // WriteFile counts in 32 bits; the writer asks again for the rest.
    constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
    DWORD count = 0;
    written = 0;
    if (!WriteFile(AsHandle(file), data, static_cast<DWORD>(std::min(size, kLargestWrite)), &count,
                   nullptr)) {
        return LastError();
    }
    written = count;
    return 0;
}

SystemError Flush(OutputHandle file) {
    return FlushFileBuffers(AsHandle(file)) ? 0 : LastError();
}

SystemError Close(OutputHandle file) {
    return CloseHandle(AsHandle(file)) ? 0 : LastError();
}

SystemError Replace(const std::string& from, const std::string& to) {
    const auto wideFrom = win32::Wide(from);
    const auto wideTo = win32::Wide(to);
    if (!wideFrom || !wideTo) {
        return ERROR_NO_UNICODE_TRANSLATION;
    }
    return MoveFileExW(wideFrom->c_str(), wideTo->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

constexpr std::size_t kLongestNameKept = 200;
constexpr int kCreateTries = 100;

output_platform::GuardedNames g_guarded;

// Runs on a thread of its own, while the rest of the program goes on: the heap is
// usable, but a name is converted on the stack all the same.
void DeleteGuarded(const char* name) {
    wchar_t wide[output_platform::GuardedNames::kLongestName];
    if (MultiByteToWideChar(CP_UTF8, 0, name, -1, wide,
                            static_cast<int>(output_platform::GuardedNames::kLongestName)) > 0) {
        DeleteFileW(wide);
    }
}

BOOL WINAPI RemoveTemporaries(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        g_guarded.ForEach(DeleteGuarded);
    }
    return FALSE;  // the next handler, in the end the system's, ends the program
}

// Six letters that make a temporary's name its own.
std::string UniqueSuffix() {
    static LONG counter = 0;
    unsigned long long mix = GetTickCount64() * 0x9E3779B97F4A7C15ULL;
    mix ^= static_cast<unsigned long long>(GetCurrentProcessId()) << 20;
    mix ^= static_cast<unsigned long long>(InterlockedIncrement(&counter));
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    constexpr unsigned long long kLetterCount = sizeof kLetters - 1;
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kLetters[mix % kLetterCount];
        mix = mix / kLetterCount + 0x632BE59BD9B4E019ULL * static_cast<unsigned long long>(i + 1);
    }
    return suffix;
}

}  // namespace

OutputSystemCalls RealOutputSystemCalls() {
    return {Write, Flush, Close, Replace};
}

std::string SystemErrorText(SystemError error) {
    wchar_t buffer[512];
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(error), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer,
                       static_cast<DWORD>(std::size(buffer)), nullptr);
    std::string text = win32::Utf8(buffer, length);
    // One line, as strerror's: without the closing line break and full stop.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(error) : text;
}

namespace output_platform {

const SystemError kInputOutputError = ERROR_WRITE_FAULT;

SystemError OpenInPlace(const std::string& path, PipeReader /*reader*/, OutputHandle& file) {
    // Opening never waits on Windows: a pipe with no reader cannot be opened at all.
    const auto wide = win32::Wide(path);
    if (!wide) {
        return ERROR_NO_UNICODE_TRANSLATION;
    }
    const HANDLE handle =
        CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    if (GetFileType(handle) == FILE_TYPE_DISK && !SetEndOfFile(handle)) {
        const SystemError error = LastError();
        CloseHandle(handle);
        return error;
    }
    file = FromHandle(handle);
    return 0;
}

OutputHandle StandardOutput() {
    return FromHandle(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool IsDiskFile(OutputHandle file) {
    return GetFileType(AsHandle(file)) == FILE_TYPE_DISK;
}

void RemoveFile(const std::string& path) {
    if (const auto wide = win32::Wide(path)) {
        DeleteFileW(wide->c_str());
    }
}

InterruptGuard::InterruptGuard() {
    SetConsoleCtrlHandler(RemoveTemporaries, TRUE);
}

InterruptGuard::~InterruptGuard() {
    SetConsoleCtrlHandler(RemoveTemporaries, FALSE);
}

SystemError InterruptGuard::CreateBeside(const OutputTarget& target, OutputHandle& file,
                                         std::string& temporary, std::size_t& slot) {
    const auto slash = target.path.find_last_of("/\\");
    const std::string directory =
        slash == std::string::npos ? std::string() : target.path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
    if (name.size() > kLongestNameKept) {
        name = "quorvel";  // the temporary name must stay within the system's limit
    }
    SystemError error = ERROR_FILE_EXISTS;
    for (int tries = 0; tries < kCreateTries && error == ERROR_FILE_EXISTS; ++tries) {
        std::string candidate = directory + "." + name + "." + UniqueSuffix();
        const auto wide = win32::Wide(candidate);
        if (!wide) {
            return ERROR_NO_UNICODE_TRANSLATION;
        }
        // Named before it exists, so that an interrupt cannot strand it; shared for
        // deletion, so that an interrupt can remove it while it is still open.
        slot = g_guarded.Add(candidate);
        const HANDLE handle = CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file = FromHandle(handle);
            temporary = std::move(candidate);
            return 0;
        }
        error = LastError();
        g_guarded.Drop(slot);
    }
    return error;
}

void InterruptGuard::Release(std::size_t slot) {
    g_guarded.Drop(slot);
}

}  // namespace output_platform
}  // namespace quorvel
