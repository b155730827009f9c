#include "quorvel_process.h"

#include <QProcess>

namespace quorvel::test {

ProcessResult RunQuorvel(const QStringList& args, const QString& workDir,
                         const QProcessEnvironment& env) {
    QProcess process;
    process.setProgram(QStringLiteral(QUORVEL_BINARY));
    process.setArguments(args);
    process.setWorkingDirectory(workDir);
    process.setProcessEnvironment(env);
    process.start();
    ProcessResult result;
    // Big images take a while to encode; there is no wall-clock expectation here.
    if (!process.waitForFinished(-1)) {
        return result;
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QProcessEnvironment EnvironmentWithoutDisplay() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
}

}  // namespace quorvel::test
