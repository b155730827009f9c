// Output names on Windows: file identities (the volume serial number and the file index),
// the final path behind links, and the device namespace (NUL, CON, \\.\pipe\...).
#include <windows.h>

#include <optional>

#include "app/output_target.h"
#include "win32_text.h"

namespace quorvel {

namespace {

/// The absolute form of a name, with "." and ".." resolved and '/' read as '\'.
std::optional<std::wstring> FullName(const std::string& name) {
    const auto wide = win32::Wide(name);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    const DWORD size = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide->c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    full.resize(length);
    return full;
}

// Devices and pipes live in the device namespace, where the names NUL and CON lead too.
// Such a name is never opened just to look at it: opening a pipe would take its reader.
bool IsDeviceName(const std::wstring& full) {
    return full.rfind(L"\\\\.\\", 0) == 0;
}

struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE handle, bool* directory = nullptr) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle, &info)) {
        return std::nullopt;
    }
    if (directory != nullptr) {
        *directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// An existing file opened only to read its attributes, links followed.
class LookedAt {
  public:
    explicit LookedAt(const std::wstring& full)
        : handle_(CreateFileW(full.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    LookedAt(const LookedAt&) = delete;
    LookedAt& operator=(const LookedAt&) = delete;
    ~LookedAt() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    bool Exists() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }

    /// The path of the file behind any links, or none.
    std::optional<std::string> FinalPath() const {
        const DWORD size = GetFinalPathNameByHandleW(handle_, nullptr, 0, FILE_NAME_NORMALIZED);
        if (size == 0) {
            return std::nullopt;
        }
        std::wstring path(size, L'\0');
        const DWORD length =
            GetFinalPathNameByHandleW(handle_, path.data(), size, FILE_NAME_NORMALIZED);
        if (length == 0 || length >= size) {
            return std::nullopt;
        }
        path.resize(length);
        return win32::Utf8(path);
    }

  private:
    HANDLE handle_;
};

std::optional<FileIdentity> StandardOutputIdentity() {
    return IdentityOf(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

OutputTarget ResolveOutputTarget(const std::string& name) {
    if (name == kStandardOutputName) {
        return {OutputTarget::Kind::kStandardOutput, name, std::nullopt};
    }
    const auto full = FullName(name);
    if (!full) {
        return {OutputTarget::Kind::kReplace, name, std::nullopt};
    }
    if (IsDeviceName(*full)) {
        return {OutputTarget::Kind::kInPlace, name, std::nullopt};
    }
    const LookedAt file(*full);
    if (!file.Exists()) {
        return {OutputTarget::Kind::kReplace, name, std::nullopt};
    }
    // Replacing anything but a regular file would turn a device or a pipe into a file; the
    // file that standard output is already writing to is kept too.
    bool directory = false;
    const auto identity = IdentityOf(file.handle(), &directory);
    if (!identity || directory || identity == StandardOutputIdentity()) {
        return {OutputTarget::Kind::kInPlace, name, std::nullopt};
    }
    return {OutputTarget::Kind::kReplace, file.FinalPath().value_or(name), std::nullopt};
}

bool SameOutputFile(const std::string& a, const std::string& b) {
    const auto fullA = FullName(a);
    const auto fullB = FullName(b);
    const auto identity =
        [](const std::string& name,
           const std::optional<std::wstring>& full) -> std::optional<FileIdentity> {
        if (name == kStandardOutputName) {
            return StandardOutputIdentity();
        }
        if (!full || IsDeviceName(*full)) {
            return std::nullopt;
        }
        const LookedAt file(*full);
        return IdentityOf(file.handle());
    };
    const auto fileA = identity(a, fullA);
    const auto fileB = identity(b, fullB);
    if (fileA || fileB) {
        return fileA && fileB && *fileA == *fileB;
    }
    if (a == kStandardOutputName || b == kStandardOutputName) {
        return a == b;
    }
    // Names of no file yet, or of devices: the same absolute name, as Windows compares
    // names, without regard to case.
    return fullA && fullB && SameText(*fullA, *fullB);
}

}  // namespace quorvel
