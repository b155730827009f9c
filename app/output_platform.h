// What the export writer needs of the system besides its injectable calls, for POSIX
// (output_system_posix.cpp) or Win32 (output_system_win32.cpp).
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "app/export_output.h"
#include "app/output_target.h"

namespace quorvel::output_platform {

/// The reason given for a call that failed without one, such as a write that wrote
/// nothing: EIO, ERROR_WRITE_FAULT.
extern const SystemError kInputOutputError;

/// Opens a pipe, a device or the file standard output writes to, as it is, emptying a
/// regular file.
SystemError OpenInPlace(const std::string& path, PipeReader reader, OutputHandle& file);

OutputHandle StandardOutput();

/// Whether the open file is a file on a disk, which a flush applies to (a pipe or a
/// terminal has nothing to flush).
bool IsDiskFile(OutputHandle file);

void RemoveFile(const std::string& path);

/// The names of the temporaries of the runs in progress, for the handler that removes them
/// when the program is interrupted: it may not touch the heap, so each name is copied in
/// full before its slot is marked used. A run writes a handful of files; a name that finds
/// no slot is only unguarded.
class GuardedNames {
  public:
    static constexpr std::size_t kSlots = 16;
    static constexpr std::size_t kLongestName = 4096;

    /// The slot holding `name` now, or kSlots.
    std::size_t Add(const std::string& name);
    void Drop(std::size_t slot);
    /// Calls `remove` with every name held; safe in a signal handler.
    void ForEach(void (*remove)(const char* name));

  private:
    struct Slot {
        std::atomic<bool> used{false};
        char name[kLongestName] = {};
    };
    Slot slots_[kSlots];
};

/// While it exists, an interrupt (Ctrl+C, SIGTERM) removes the temporaries it made before
/// the program ends as the interrupt ends it.
class InterruptGuard {
  public:
    InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
    ~InterruptGuard();

    /// Creates a new empty file beside `target.path` to replace it, with the old file's
    /// permissions, and guards its name; returns 0 or the error.
    SystemError CreateBeside(const OutputTarget& target, OutputHandle& file, std::string& temporary,
                             std::size_t& slot);
    void Release(std::size_t slot);
};

}  // namespace quorvel::output_platform
