#include "planfile/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quorvel {

namespace {

// Closes the descriptor however the reading ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd() const { return fd_; }

  private:
    int fd_;
};

// Reads up to `limit` bytes; returns 0 or the errno. The buffer starts at the size the
// file gave (and a byte to see its end by) and grows as the file does: one of the limit's
// size made up front would be zeroed whole, a gigabyte for every small file.
int ReadUpTo(int fd, std::int64_t limit, std::int64_t sizeHint, std::string& text) {
    constexpr std::int64_t kLeastBuffer = 4096;
    std::int64_t size = std::min(limit, std::max(sizeHint + 1, kLeastBuffer));
    text.resize(static_cast<std::size_t>(size));
    std::int64_t got = 0;
    while (got < limit) {
        if (got == size) {
            size = std::min(limit, 2 * size);
            text.resize(static_cast<std::size_t>(size));
        }
        const ssize_t n = ::read(fd, text.data() + got, static_cast<std::size_t>(size - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    text.resize(static_cast<std::size_t>(got));
    return 0;
}

RegularFileReading Failed(RegularFileReading::Problem problem, int error = 0,
                          std::uint32_t mode = 0) {
    RegularFileReading reading;
    reading.problem = problem;
    reading.error = error;
    reading.mode = mode;
    return reading;
}

}  // namespace

RegularFileReading ReadRegularFile(const std::string& name, std::int64_t limit) {
    using Problem = RegularFileReading::Problem;
    // What the name shows as not regular is refused unopened. The open does not wait
    // either, and what it opened is judged again by the descriptor itself, so a file
    // swapped in between is caught too.
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Failed(Problem::kNotRegular, 0, info.st_mode);
    }
    const Descriptor file(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0) {
        return errno == ENOENT ? Failed(Problem::kMissing) : Failed(Problem::kCannotRead, errno);
    }
    if (::fstat(file.fd(), &info) != 0) {
        return Failed(Problem::kCannotRead, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Failed(Problem::kNotRegular, 0, info.st_mode);
    }
    // One byte more than allowed tells an oversized file without reading it all.
    RegularFileReading reading;
    if (const int error = ReadUpTo(file.fd(), limit + 1, info.st_size, reading.bytes)) {
        return Failed(Problem::kCannotRead, error);
    }
    if (static_cast<std::int64_t>(reading.bytes.size()) > limit) {
        return Failed(Problem::kTooLarge);
    }
    return reading;
}

std::string NotARegularFileText(std::uint32_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder";
    }
    const char* kind = S_ISFIFO(mode)                   ? "a pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                        : "not a file of data";
    return std::string("it is not a regular file (") + kind + ")";
}

}  // namespace quorvel
