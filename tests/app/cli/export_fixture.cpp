#include "export_fixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <charconv>
#include <sstream>

#include "paint/paint_cycle.h"

namespace quorvel::test {

ProcessResult RunQuorvel(const QStringList& args, const QString& workDir,
                         const QProcessEnvironment& env, int timeoutMs) {
    QProcess process;
    process.setProgram(QStringLiteral(QUORVEL_BINARY));
    process.setArguments(args);
    process.setWorkingDirectory(workDir);
    process.setProcessEnvironment(env);
    process.start();
    ProcessResult result;
    // Big images take a while to encode; there is no wall-clock expectation here, only a
    // bound on a run that would otherwise never end.
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
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

void ExportBinaryTest::SetUpTestSuite() {
    // The in-process composition needs fonts, hence a GUI application.
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "export_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
}

QByteArray ExportBinaryTest::Contents(const QString& name) const {
    QFile file(PathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ExportBinaryTest::Entries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

std::vector<std::vector<std::string>> CsvRows(const QByteArray& bytes) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(bytes.toStdString());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) {
            fields.push_back(cell);
        }
        rows.push_back(fields);
    }
    return rows;
}

double Number(const std::string& text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

QImage Composed(PlanFields plan, int width, int height, MarkerPoint marker) {
    return ComposeChartArea(plan, width, height, marker).convertToFormat(QImage::Format_RGB32);
}

QImage LoadedPng(const QString& path) {
    return QImage(path, "png").convertToFormat(QImage::Format_RGB32);
}

}  // namespace quorvel::test
