#include "app/export_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
};

constexpr std::size_t kLongestNameKept = 200;

class PendingFiles {
  public:
    ~PendingFiles() {
        for (const PendingFile& file : files_) {
            unlink(file.temporary.c_str());
        }
    }
    std::vector<PendingFile>& files() { return files_; }

  private:
    std::vector<PendingFile> files_;
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
    std::string temporary = directory + "." + name + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    pending.files().push_back({temporary, target.path, &output.path});
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
                 const QByteArray& bytes) {
    if (target.kind == OutputTarget::Kind::kStandardOutput) {
        return WriteAll(calls, STDOUT_FILENO, bytes);
    }
    const int fd = open(target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return errno;
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
                                          const OutputSystemCalls& calls) {
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
        if (const int error = WriteInPlace(calls, targets[i], outputs[i].bytes)) {
            return CannotWrite(outputs[i].path, error);
        }
    }
    auto& files = pending.files();
    while (!files.empty()) {
        const PendingFile& file = files.front();
        errno = 0;
        if (calls.rename(file.temporary.c_str(), file.path.c_str()) != 0) {
            return CannotWrite(*file.given, errno);
        }
        files.erase(files.begin());
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
