#include "app/export_output.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <iterator>

#include "app/output_target.h"
#include "app/quoted_text.h"

namespace quorvel {
namespace {

// The system's reason for the last failure; a call that failed without one (a write
// that wrote nothing) counts as an input/output error.
std::string Reason(int error) {
    return std::strerror(error != 0 ? error : EIO);
}

OutputFailure CannotWrite(const std::string& path, int error) {
    return {path, Reason(error)};
}

/// Writes all of `bytes`, however many calls that takes; returns 0 or the errno.
int WriteAll(const OutputSystemCalls& calls, int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        errno = 0;
        const ssize_t written = calls.write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return errno != 0 ? errno : EIO;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

/// Syncs (regular files only: a pipe or a terminal has nothing to sync) and closes;
/// returns 0 or the errno of the first failure. The descriptor is closed either way.
int SyncAndClose(const OutputSystemCalls& calls, int fd) {
    struct stat file {};
    errno = 0;
    int error = 0;
    if (fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && calls.fsync(fd) != 0) {
        error = errno != 0 ? errno : EIO;
    }
    errno = 0;
    if (calls.close(fd) != 0 && error == 0 && errno != EINTR) {
        error = errno != 0 ? errno : EIO;
    }
    return error;
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return mode_t{0666} & ~mask;
}

// A file on its way to replace `path`: removed unless it is renamed into place.
struct PendingFile {
    std::string temporary;
    std::string path;
    const std::string* given = nullptr;
    std::size_t guard = 0;  ///< its slot in the signal handler's table
};

constexpr std::size_t kLongestNameKept = 200;

// The temporaries as the signal handler sees them: it may not touch the heap, so their
// names are copied here, each in full before its slot is marked used. One run writes a
// handful of files; a name that finds no slot (or no room) is only unguarded.
constexpr std::size_t kGuardedFiles = 16;
struct GuardedName {
    std::atomic<bool> used{false};
    char name[PATH_MAX] = {};
};
GuardedName g_guarded[kGuardedFiles];
static_assert(std::atomic<bool>::is_always_lock_free, "the handler reads it");

constexpr int kEndingSignals[] = {SIGINT, SIGTERM};

void RemoveTemporariesAndEnd(int signal) {
    for (GuardedName& slot : g_guarded) {
        if (slot.used.load(std::memory_order_acquire)) {
            unlink(slot.name);
        }
    }
    // The run still ends as the signal ends it, status and all.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(signal, &byDefault, nullptr);
    raise(signal);
}

// Interrupting a run (Ctrl+C while a pipe waits for its reader, a kill) would otherwise
// leave its temporaries behind; while they exist, SIGINT and SIGTERM remove them first.
class PendingFiles {
  public:
    PendingFiles() {
        struct sigaction guard {};
        guard.sa_handler = RemoveTemporariesAndEnd;
        sigemptyset(&guard.sa_mask);
        for (const int signal : kEndingSignals) {
            sigaddset(&guard.sa_mask, signal);
        }
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
            sigaction(kEndingSignals[i], nullptr, &previous_[i]);
            // A signal the caller ignores (nohup, a background job) stays ignored.
            if (previous_[i].sa_handler != SIG_IGN) {
                sigaction(kEndingSignals[i], &guard, nullptr);
            }
        }
    }
    PendingFiles(const PendingFiles&) = delete;
    PendingFiles& operator=(const PendingFiles&) = delete;
    ~PendingFiles() {
        while (!files_.empty()) {
            unlink(files_.front().temporary.c_str());
            Forget();
        }
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
            sigaction(kEndingSignals[i], &previous_[i], nullptr);
        }
    }

    /// Makes a temporary from `pattern` (mkostemp's) and keeps it; returns its descriptor.
    int Create(std::string pattern, const std::string& path, const std::string* given) {
        // Blocked until the handler knows the name, or a signal could strand the new file.
        sigset_t ending;
        sigset_t before;
        sigemptyset(&ending);
        for (const int signal : kEndingSignals) {
            sigaddset(&ending, signal);
        }
        pthread_sigmask(SIG_BLOCK, &ending, &before);
        const int fd = mkostemp(pattern.data(), O_CLOEXEC);
        const int error = errno;
        if (fd >= 0) {
            const std::size_t guard = Guard(pattern);
            files_.push_back({std::move(pattern), path, given, guard});
        }
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        errno = error;
        return fd;
    }

    bool Empty() const { return files_.empty(); }
    const PendingFile& Front() const { return files_.front(); }

    /// The first file is in place (or removed): it is no longer this run's to remove.
    void Forget() {
        if (files_.front().guard < kGuardedFiles) {
            g_guarded[files_.front().guard].used.store(false, std::memory_order_release);
        }
        files_.erase(files_.begin());
    }

  private:
    static std::size_t Guard(const std::string& name) {
        if (name.size() >= PATH_MAX) {
            return kGuardedFiles;
        }
        for (std::size_t i = 0; i < kGuardedFiles; ++i) {
            if (!g_guarded[i].used.load(std::memory_order_acquire)) {
                std::memcpy(g_guarded[i].name, name.c_str(), name.size() + 1);
                g_guarded[i].used.store(true, std::memory_order_release);
                return i;
            }
        }
        return kGuardedFiles;
    }

    std::vector<PendingFile> files_;
    struct sigaction previous_[std::size(kEndingSignals)]{};
};

/// Writes a regular file's bytes beside it; returns the errno or 0.
int WriteBeside(const OutputSystemCalls& calls, const OutputTarget& target,
                const ExportOutput& output, PendingFiles& pending) {
    const auto slash = target.path.rfind('/');
    const std::string directory =
        slash == std::string::npos ? std::string() : target.path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
    if (name.size() > kLongestNameKept) {
        name = "quorvel";  // the temporary name must stay within the system's limit
    }
    const int fd = pending.Create(directory + "." + name + ".XXXXXX", target.path, &output.path);
    if (fd < 0) {
        return errno;
    }
    if (fchmod(fd, target.mode.value_or(NewFileMode())) != 0) {
        const int error = errno;
        calls.close(fd);
        return error;
    }
    if (const int error = WriteAll(calls, fd, output.bytes)) {
        calls.close(fd);
        return error;
    }
    return SyncAndClose(calls, fd);
}

/// Writes to standard output, a pipe or a device as it is; returns the errno or 0.
int WriteInPlace(const OutputSystemCalls& calls, const OutputTarget& target,
                 const QByteArray& bytes, PipeReader reader) {
    if (target.kind == OutputTarget::Kind::kStandardOutput) {
        return WriteAll(calls, STDOUT_FILENO, bytes);
    }
    // Opened without waiting, a pipe that nobody reads fails at once (ENXIO); once open,
    // the writes wait for the reader as usual.
    const int wait = reader == PipeReader::kRequire ? O_NONBLOCK : 0;
    const int fd = open(target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | wait);
    if (fd < 0) {
        return errno;
    }
    if (wait != 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        calls.close(fd);
        return error;
    }
    if (const int error = WriteAll(calls, fd, bytes)) {
        calls.close(fd);
        return error;
    }
    return SyncAndClose(calls, fd);
}

}  // namespace

OutputSystemCalls RealOutputSystemCalls() {
    return {::write, ::fsync, ::close};
}

std::string OutputFailure::Message() const {
    if (path == "-") {
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
        if (const int error = WriteBeside(calls, targets[i], outputs[i], pending)) {
            return CannotWrite(outputs[i].path, error);
        }
    }
    // What is written directly cannot be taken back, so it goes once every file is
    // complete, and the files go into place only once it has been written too.
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (targets[i].kind == OutputTarget::Kind::kReplace) {
            continue;
        }
        if (const int error = WriteInPlace(calls, targets[i], outputs[i].bytes, reader)) {
            return CannotWrite(outputs[i].path, error);
        }
    }
    while (!pending.Empty()) {
        const PendingFile& file = pending.Front();
        errno = 0;
        if (calls.rename(file.temporary.c_str(), file.path.c_str()) != 0) {
            return CannotWrite(*file.given, errno);
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
