// Output names on POSIX: stat, realpath and symbolic links.
#include "app/output_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace quorvel {

namespace {

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

// A name that reaches no file yet: where a write would create it, through any dangling
// symbolic links (as the shell's '>' would).
std::string WhereNewFileGoes(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            break;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0) {
            break;
        }
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : DirectoryOf(path) + "/" + target;
    }
    return path;
}

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsAStandardStream(const struct stat& file) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (fstat(fd, &stream) == 0 && SameInode(stream, file)) {
            return true;
        }
    }
    return false;
}

// The identity of a file that does not exist yet: its canonical directory and its name.
std::string NewFileIdentity(const std::string& name) {
    const std::string path = WhereNewFileGoes(name);
    const std::string directory = RealPath(DirectoryOf(path)).value_or(DirectoryOf(path));
    return directory + "/" + NameOf(path);
}

}  // namespace

OutputTarget ResolveOutputTarget(const std::string& name) {
    if (name == kStandardOutputName) {
        return {OutputTarget::Kind::kStandardOutput, name, std::nullopt};
    }
    struct stat file {};
    if (stat(name.c_str(), &file) != 0) {
        return {OutputTarget::Kind::kReplace, WhereNewFileGoes(name), std::nullopt};
    }
    // Replacing anything but a regular file would turn a device or a pipe into a file; the
    // file that standard output is already writing to is kept too.
    if (!S_ISREG(file.st_mode) || IsAStandardStream(file)) {
        return {OutputTarget::Kind::kInPlace, name, std::nullopt};
    }
    return {OutputTarget::Kind::kReplace, RealPath(name).value_or(name),
            static_cast<unsigned>(file.st_mode & mode_t{07777})};
}

bool SameOutputFile(const std::string& a, const std::string& b) {
    const auto inode = [](const std::string& name) -> std::optional<struct stat> {
        struct stat file {};
        const int status =
            name == kStandardOutputName ? fstat(STDOUT_FILENO, &file) : stat(name.c_str(), &file);
        return status == 0 ? std::optional(file) : std::nullopt;
    };
    const auto fileA = inode(a);
    const auto fileB = inode(b);
    if (fileA || fileB) {
        return fileA && fileB && SameInode(*fileA, *fileB);
    }
    return NewFileIdentity(a) == NewFileIdentity(b);
}

}  // namespace quorvel
