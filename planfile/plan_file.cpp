#include "planfile/plan_file.h"

#include "planfile/quoted_name.h"
#include "planfile/regular_file.h"

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

}  // namespace

PlanFileReading ReadPlanFile(const QByteArray& name) {
    using Problem = RegularFileReading::Problem;
    const RegularFileReading file = ReadRegularFile(name.toStdString(), kMaxPlanFileBytes);
    switch (file.problem) {
        case Problem::kNone:
            break;
        case Problem::kMissing:
            return CannotOpen(name, QStringLiteral("there is no such file"));
        case Problem::kNotRegular:
            return CannotOpen(name, QString::fromStdString(NotARegularFileText(file.mode)));
        case Problem::kCannotRead:
            return CannotOpen(
                name, QStringLiteral("it cannot be read (%1)").arg(SystemReason(file.error)));
        case Problem::kTooLarge:
            return CannotOpen(name,
                              QStringLiteral("it is larger than a plan file can be (%1 bytes)")
                                  .arg(kMaxPlanFileBytes));
    }
    const QByteArray text = QByteArray::fromStdString(file.bytes);
    const PlanDocumentReading document = ReadPlanDocument(text);
    if (!document.Ok()) {
        return CannotOpen(name, document.error);
    }
    PlanFileReading reading;
    reading.values = document.values;
    reading.ignored = document.ignored;
    reading.kept = document.kept;
    if (!document.ignored.isEmpty()) {
        reading.notice = document.version > kPlanFormatVersion
                             ? QStringLiteral(
                                   "The plan file %1 is from a newer version of the format (%2). "
                                   "A save keeps the settings this version does not read, but "
                                   "they were ignored: %3.")
                                   .arg(QuotedNativeName(name))
                                   .arg(document.version)
                                   .arg(QuotedList(document.ignored))
                             : QStringLiteral(
                                   "The plan file %1 has settings this version does not know. "
                                   "A save keeps them, but they were ignored: %2.")
                                   .arg(QuotedNativeName(name), QuotedList(document.ignored));
    }
    return reading;
}

PlanFileReading ReadPlanFile(const QString& path) {
    return ReadPlanFile(QFile::encodeName(path));
}

}  // namespace quorvel
