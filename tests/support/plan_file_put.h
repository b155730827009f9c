// Puts a plan file on disk for a test to open, the way the program writes one.
#pragma once

#include <QFile>
#include <QString>

#include "planfile/plan_document.h"

namespace quorvel::test {

inline bool PutPlanFile(const QString& path, const PlanFileValues& values) {
    QFile file(path);
    const QByteArray text = PlanDocumentText(values);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text) == text.size() && file.flush();
}

}  // namespace quorvel::test
