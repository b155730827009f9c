#include "app/export_output.h"

#include <cstring>

#include "app/output_target.h"
#include "app/quoted_text.h"
#include "output_platform.h"

namespace quorvel {

namespace output_platform {

std::size_t GuardedNames::Add(const std::string& name) {
    if (name.size() >= kLongestName) {
        return kSlots;
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (!slots_[i].used.load(std::memory_order_acquire)) {
            std::memcpy(slots_[i].name, name.c_str(), name.size() + 1);
            slots_[i].used.store(true, std::memory_order_release);
            return i;
        }
    }
    return kSlots;
}

void GuardedNames::Drop(std::size_t slot) {
    if (slot < kSlots) {
        slots_[slot].used.store(false, std::memory_order_release);
    }
}

void GuardedNames::ForEach(void (*remove)(const char* name)) {
    for (Slot& slot : slots_) {
        if (slot.used.load(std::memory_order_acquire)) {
            remove(slot.name);
        }
    }
}

static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt handler reads it");

}  // namespace output_platform

namespace {

using output_platform::kInputOutputError;

OutputFailure CannotWrite(const std::string& path, SystemError error) {
    return {path, SystemErrorText(error != 0 ? error : kInputOutputError)};
}

/// Writes all of `bytes`, however many calls that takes; returns 0 or the error.
SystemError WriteAll(const OutputSystemCalls& calls, OutputHandle file, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        std::size_t written = 0;
        if (const SystemError error = calls.write(file, data, left, written)) {
            return error;
        }
        if (written == 0 || written > left) {
            return kInputOutputError;
        }
        data += written;
        left -= written;
    }
    return 0;
}

/// Flushes a file on a disk and closes; returns 0 or the first failure. The file is closed
/// either way.
SystemError FlushAndClose(const OutputSystemCalls& calls, OutputHandle file) {
    const SystemError flushed = output_platform::IsDiskFile(file) ? calls.flush(file) : 0;
    const SystemError closed = calls.close(file);
    return flushed != 0 ? flushed : closed;
}

/// Writes, flushes and closes an open file; returns 0 or the first failure.
SystemError WriteAndClose(const OutputSystemCalls& calls, OutputHandle file,
                          const std::string& bytes) {
    if (const SystemError error = WriteAll(calls, file, bytes)) {
        calls.close(file);
        return error;
    }
    return FlushAndClose(calls, file);
}

// A file on its way to replace `path`: removed unless it is renamed into place.
struct PendingFile {
    std::string temporary;
    std::string path;
    const std::string* given = nullptr;
    std::size_t slot = 0;  ///< its slot among the interrupt's names
};

class PendingFiles {
  public:
    PendingFiles() = default;
    PendingFiles(const PendingFiles&) = delete;
    PendingFiles& operator=(const PendingFiles&) = delete;
    ~PendingFiles() {
        while (!files_.empty()) {
            output_platform::RemoveFile(files_.front().temporary);
            Forget();
        }
    }

    /// Makes the temporary for `target` and keeps it; returns 0 or the error.
    SystemError Create(const OutputTarget& target, const std::string* given, OutputHandle& file) {
        std::string temporary;
        std::size_t slot = 0;
        if (const SystemError error = guard_.CreateBeside(target, file, temporary, slot)) {
            return error;
        }
        files_.push_back({std::move(temporary), target.path, given, slot});
        return 0;
    }

    bool Empty() const { return files_.empty(); }
    const PendingFile& Front() const { return files_.front(); }

    /// The first file is in place (or removed): it is no longer this run's to remove.
    void Forget() {
        guard_.Release(files_.front().slot);
        files_.erase(files_.begin());
    }

  private:
    output_platform::InterruptGuard guard_;
    std::vector<PendingFile> files_;
};

/// Writes to standard output, a pipe or a device as it is; returns 0 or the error.
SystemError WriteInPlace(const OutputSystemCalls& calls, const OutputTarget& target,
                         const std::string& bytes, PipeReader reader) {
    if (target.kind == OutputTarget::Kind::kStandardOutput) {
        return WriteAll(calls, output_platform::StandardOutput(), bytes);
    }
    OutputHandle file = 0;
    if (const SystemError error = output_platform::OpenInPlace(target.path, reader, file)) {
        return error;
    }
    return WriteAndClose(calls, file, bytes);
}

}  // namespace

std::string OutputFailure::Message() const {
    if (path == kStandardOutputName) {
        return "quorvel: cannot write to standard output: " + reason;
    }
    return "quorvel: cannot write " + Quoted(path) + ": " + reason;
}

std::optional<OutputFailure> WriteOutputs(const std::vector<ExportOutput>& outputs,
                                          const OutputSystemCalls& calls, PipeReader reader) {
    std::vector<OutputTarget> targets;
    for (const ExportOutput& output : outputs) {
        targets.push_back(ResolveOutputTarget(output.path));
    }
    PendingFiles pending;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (targets[i].kind != OutputTarget::Kind::kReplace) {
            continue;
        }
        OutputHandle file = 0;
        SystemError error = pending.Create(targets[i], &outputs[i].path, file);
        if (error == 0) {
            error = WriteAndClose(calls, file, outputs[i].bytes);
        }
        if (error != 0) {
            return CannotWrite(outputs[i].path, error);
        }
    }
    // What is written directly cannot be taken back, so it goes once every file is
    // complete, and the files go into place only once it has been written too.
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (targets[i].kind == OutputTarget::Kind::kReplace) {
            continue;
        }
        if (const SystemError error = WriteInPlace(calls, targets[i], outputs[i].bytes, reader)) {
            return CannotWrite(outputs[i].path, error);
        }
    }
    while (!pending.Empty()) {
        const PendingFile& file = pending.Front();
        if (const SystemError error = calls.replace(file.temporary, file.path)) {
            return CannotWrite(*file.given, error);
        }
        pending.Forget();
    }
    return std::nullopt;
}

std::optional<std::string> WriteExportOutputs(const std::vector<ExportOutput>& outputs,
                                              const OutputSystemCalls& calls) {
    if (const auto failure = WriteOutputs(outputs, calls)) {
        return failure->Message();
    }
    return std::nullopt;
}

std::optional<std::string> SameFileUnderTwoNames(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            if (SameOutputFile(names[i], names[j])) {
                return "quorvel: " + Quoted(names[i]) + " and " + Quoted(names[j]) +
                       " are the same file; each export needs a file of its own";
            }
        }
    }
    return std::nullopt;
}

}  // namespace quorvel
