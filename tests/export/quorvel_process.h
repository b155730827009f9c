// Runs the real quorvel binary, as a user or a script would, and collects what it did.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quorvel::test {

struct ProcessResult {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

/// Runs the binary with `args` in `workDir` and waits for it to end.
ProcessResult RunQuorvel(const QStringList& args, const QString& workDir,
                         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

/// An environment with no display at all, and a platform that would need one.
QProcessEnvironment EnvironmentWithoutDisplay();

}  // namespace quorvel::test
