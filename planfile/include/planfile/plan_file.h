// Plan files on disk: read whole or not at all, every failure told in one plain line that
// names the file. They are written by the exports' writer, as every other output is.
#pragma once

#include "planfile/plan_document.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvel {

/// Plan files larger than this are refused unread: a plan is a few hundred bytes.
inline constexpr qint64 kMaxPlanFileBytes = 1 << 20;

/// What reading a plan file gave.
struct PlanFileReading {
    std::optional<PlanFileValues> values;  ///< absent when nothing of the file may be used
    QString error;                         ///< when `values` is absent: the file and the reason
    QStringList ignored;  ///< members left out, as written in the file ("finder.name")
    QString notice;       ///< when something was ignored: a line naming the file and them
    QJsonObject kept;     ///< the ignored members with their values, for a save to keep
};

/// Reads the plan file `name`, its bytes as the system spells it. A missing, unreadable,
/// oversized or malformed file, a file of another format, one with a value the window's
/// fields would refuse, and anything but a regular file (a pipe, a device, a folder: these
/// are refused at once, never waited on) give no values. A file of a newer version gives
/// what this version understands, the rest listed.
PlanFileReading ReadPlanFile(const QByteArray& name);

/// As above, for a name the user chose as text (a file dialog's).
PlanFileReading ReadPlanFile(const QString& path);

}  // namespace quorvel
