// The system calls through which the export writer's bytes reach a file: POSIX's, or
// Win32's in a Windows build (one of output_system_posix.cpp, output_system_win32.cpp).
// A test puts failing ones in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel {

/// An open file: a descriptor, or a HANDLE on Windows.
using OutputHandle = std::intptr_t;

/// What a call reports: 0 for success, else the system's error code (errno, or
/// GetLastError() on Windows).
using SystemError = int;

struct OutputSystemCalls {
    /// Writes at most `size` bytes and sets `written` to how many it wrote.
    SystemError (*write)(OutputHandle file, const char* data, std::size_t size,
                         std::size_t& written);
    /// Flushes the file's data to the disk: fsync, FlushFileBuffers.
    SystemError (*flush)(OutputHandle file);
    SystemError (*close)(OutputHandle file);
    /// Puts the file `from` in the place of `to` in one step, replacing it: rename,
    /// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
    SystemError (*replace)(const std::string& from, const std::string& to);
};

/// The system's own calls.
OutputSystemCalls RealOutputSystemCalls();

/// The system's words for an error: "No space left on device", "There is not enough
/// space on the disk" (without the closing full stop Windows gives them).
std::string SystemErrorText(SystemError error);

}  // namespace quorvel
