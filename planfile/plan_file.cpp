#include "planfile/plan_file.h"

#include "planfile/quoted_name.h"

#include <QFile>
#include <QFileInfo>

namespace quorvel {

namespace {

PlanFileReading CannotOpen(const QString& path, const QString& reason) {
    PlanFileReading reading;
    reading.error =
        QStringLiteral("Cannot open the plan file %1: %2.").arg(QuotedName(path), reason);
    return reading;
}

QString Quoted(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names) {
        quoted.append(QuotedName(name));
    }
    return quoted.join(QStringLiteral(", "));
}

}  // namespace

PlanFileReading ReadPlanFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return CannotOpen(path, QStringLiteral("there is no such file"));
    }
    if (info.isDir()) {
        return CannotOpen(path, QStringLiteral("it is a folder"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return CannotOpen(path, QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
    }
    // One byte more than allowed tells an oversized file, and a device that never ends,
    // without reading it all.
    const QByteArray text = file.read(kMaxPlanFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return CannotOpen(path, QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
    }
    if (text.size() > kMaxPlanFileBytes) {
        return CannotOpen(path, QStringLiteral("it is larger than a plan file can be (%1 bytes)")
                                    .arg(kMaxPlanFileBytes));
    }
    const PlanDocumentReading document = ReadPlanDocument(text);
    if (!document.Ok()) {
        return CannotOpen(path, document.error);
    }
    PlanFileReading reading;
    reading.values = document.values;
    reading.ignored = document.ignored;
    if (!document.ignored.isEmpty()) {
        reading.notice = document.version > kPlanFormatVersion
                             ? QStringLiteral(
                                   "The plan file %1 is from a newer version of the format (%2); "
                                   "these settings were ignored: %3.")
                                   .arg(QuotedName(path))
                                   .arg(document.version)
                                   .arg(Quoted(document.ignored))
                             : QStringLiteral(
                                   "The plan file %1 has settings this version does not know; "
                                   "they were ignored: %2.")
                                   .arg(QuotedName(path), Quoted(document.ignored));
    }
    return reading;
}

}  // namespace quorvel
