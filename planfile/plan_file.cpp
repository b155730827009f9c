#include "planfile/plan_file.h"

#include "planfile/quoted_name.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <cerrno>
#include <cstring>

namespace quorvel {

namespace {

PlanFileReading CannotOpen(const QByteArray& name, const QString& reason) {
    PlanFileReading reading;
    reading.error =
        QStringLiteral("Cannot open the plan file %1: %2.").arg(QuotedNativeName(name), reason);
    return reading;
}

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a file that is not a regular one is, in the words of someone who made it.
QString NotARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("it is a folder");
    }
    const char* kind = S_ISFIFO(mode)                   ? "a pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                        : "not a file of data";
    return QStringLiteral("it is not a regular file (%1)").arg(QLatin1String(kind));
}

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

// Reads up to `limit` bytes; returns 0 or the errno.
int ReadUpTo(int fd, qint64 limit, QByteArray& text) {
    text.resize(limit);
    qint64 got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, text.data() + got, static_cast<std::size_t>(limit - got));
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
    text.resize(got);
    return 0;
}

}  // namespace

PlanFileReading ReadPlanFile(const QByteArray& name) {
    // Only a regular file is read. A pipe with no writer, or a device, would hold the
    // caller (the window among them) for ever, and opening some devices does something of
    // its own: what the name shows as not regular is refused unopened. The open does not
    // wait either, and what it opened is judged again by the descriptor itself, so a file
    // swapped in between is caught too.
    struct stat info {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return CannotOpen(name, NotARegularFile(info.st_mode));
    }
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0) {
        if (errno == ENOENT) {
            return CannotOpen(name, QStringLiteral("there is no such file"));
        }
        return CannotOpen(name, QStringLiteral("it cannot be read (%1)").arg(SystemReason(errno)));
    }
    if (::fstat(file.fd(), &info) != 0) {
        return CannotOpen(name, QStringLiteral("it cannot be read (%1)").arg(SystemReason(errno)));
    }
    if (!S_ISREG(info.st_mode)) {
        return CannotOpen(name, NotARegularFile(info.st_mode));
    }
    // One byte more than allowed tells an oversized file without reading it all.
    QByteArray text;
    if (const int error = ReadUpTo(file.fd(), kMaxPlanFileBytes + 1, text)) {
        return CannotOpen(name, QStringLiteral("it cannot be read (%1)").arg(SystemReason(error)));
    }
    if (text.size() > kMaxPlanFileBytes) {
        return CannotOpen(name, QStringLiteral("it is larger than a plan file can be (%1 bytes)")
                                    .arg(kMaxPlanFileBytes));
    }
    const PlanDocumentReading document = ReadPlanDocument(text);
    if (!document.Ok()) {
        return CannotOpen(name, document.error);
    }
    PlanFileReading reading;
    reading.values = document.values;
    reading.ignored = document.ignored;
    if (!document.ignored.isEmpty()) {
        reading.notice = document.version > kPlanFormatVersion
                             ? QStringLiteral(
                                   "The plan file %1 is from a newer version of the format (%2); "
                                   "these settings were ignored: %3.")
                                   .arg(QuotedNativeName(name))
                                   .arg(document.version)
                                   .arg(QuotedList(document.ignored))
                             : QStringLiteral(
                                   "The plan file %1 has settings this version does not know; "
                                   "they were ignored: %2.")
                                   .arg(QuotedNativeName(name), QuotedList(document.ignored));
    }
    return reading;
}

PlanFileReading ReadPlanFile(const QString& path) {
    return ReadPlanFile(QFile::encodeName(path));
}

}  // namespace quorvel
