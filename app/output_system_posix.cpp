// The export writer on POSIX: descriptors, fsync, rename, and SIGINT and SIGTERM removing
// the temporaries of an interrupted run.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "output_platform.h"

namespace quorvel {

namespace {

SystemError LastError() {
    return errno != 0 ? errno : EIO;
}

SystemError Write(OutputHandle file, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    for (;;) {
        errno = 0;
        const ssize_t count = ::write(static_cast<int>(file), data, size);
        if (count >= 0) {
            written = static_cast<std::size_t>(count);
            return 0;
        }
        if (errno != EINTR) {
            return LastError();
        }
    }
}

SystemError Flush(OutputHandle file) {
    errno = 0;
    return ::fsync(static_cast<int>(file)) == 0 ? 0 : LastError();
}

SystemError Close(OutputHandle file) {
    errno = 0;
    // After EINTR the descriptor is gone all the same, and the data was handed over.
    return ::close(static_cast<int>(file)) == 0 || errno == EINTR ? 0 : LastError();
}

SystemError Replace(const std::string& from, const std::string& to) {
    errno = 0;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : LastError();
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return mode_t{0666} & ~mask;
}

constexpr std::size_t kLongestNameKept = 200;

output_platform::GuardedNames g_guarded;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM};

void Unlink(const char* name) {
    unlink(name);
}

void RemoveTemporariesAndEnd(int signal) {
    g_guarded.ForEach(Unlink);
    // The run still ends as the signal ends it, status and all.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(signal, &byDefault, nullptr);
    raise(signal);
}

struct sigaction g_previous[std::size(kEndingSignals)]{};

}  // namespace

OutputSystemCalls RealOutputSystemCalls() {
    return {Write, Flush, Close, Replace};
}

std::string SystemErrorText(SystemError error) {
    return std::strerror(error);
}

namespace output_platform {

const SystemError kInputOutputError = EIO;

SystemError OpenInPlace(const std::string& path, PipeReader reader, OutputHandle& file) {
    // Opened without waiting, a pipe that nobody reads fails at once (ENXIO); once open,
    // the writes wait for the reader as usual.
    const int wait = reader == PipeReader::kRequire ? O_NONBLOCK : 0;
    errno = 0;
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | wait);
    if (fd < 0) {
        return LastError();
    }
    if (wait != 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const SystemError error = LastError();
        ::close(fd);
        return error;
    }
    file = fd;
    return 0;
}

OutputHandle StandardOutput() {
    return STDOUT_FILENO;
}

bool IsDiskFile(OutputHandle file) {
    struct stat status {};
    return fstat(static_cast<int>(file), &status) == 0 && S_ISREG(status.st_mode);
}

void RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

// Interrupting a run (Ctrl+C while a pipe waits for its reader, a kill) would otherwise
// leave its temporaries behind; while they exist, SIGINT and SIGTERM remove them first.
InterruptGuard::InterruptGuard() {
    struct sigaction guard {};
    guard.sa_handler = RemoveTemporariesAndEnd;
    sigemptyset(&guard.sa_mask);
    for (const int signal : kEndingSignals) {
        sigaddset(&guard.sa_mask, signal);
    }
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], nullptr, &g_previous[i]);
        // A signal the caller ignores (nohup, a background job) stays ignored.
        if (g_previous[i].sa_handler != SIG_IGN) {
            sigaction(kEndingSignals[i], &guard, nullptr);
        }
    }
}

InterruptGuard::~InterruptGuard() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], &g_previous[i], nullptr);
    }
}

SystemError InterruptGuard::CreateBeside(const OutputTarget& target, OutputHandle& file,
                                         std::string& temporary, std::size_t& slot) {
    const auto slash = target.path.rfind('/');
    const std::string directory =
        slash == std::string::npos ? std::string() : target.path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
    if (name.size() > kLongestNameKept) {
        name = "quorvel";  // the temporary name must stay within the system's limit
    }
    std::string pattern = directory + "." + name + ".XXXXXX";
    // Blocked until the handler knows the name, or a signal could strand the new file.
    sigset_t ending;
    sigset_t before;
    sigemptyset(&ending);
    for (const int signal : kEndingSignals) {
        sigaddset(&ending, signal);
    }
    pthread_sigmask(SIG_BLOCK, &ending, &before);
    errno = 0;
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    const SystemError error = fd < 0 ? LastError() : 0;
    if (fd >= 0) {
        slot = g_guarded.Add(pattern);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        return error;
    }
    const mode_t mode = target.mode ? static_cast<mode_t>(*target.mode) : NewFileMode();
    errno = 0;
    if (fchmod(fd, mode) != 0) {
        const SystemError failed = LastError();
        ::close(fd);
        unlink(pattern.c_str());
        g_guarded.Drop(slot);
        return failed;
    }
    file = fd;
    temporary = std::move(pattern);
    return 0;
}

void InterruptGuard::Release(std::size_t slot) {
    g_guarded.Drop(slot);
}

}  // namespace output_platform
}  // namespace quorvel
