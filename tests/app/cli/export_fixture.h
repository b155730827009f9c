// Runs the real quorvel binary, as a user or a script would, in a fresh directory, and
// reads back what it wrote.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "charts/marker_point.h"
#include "plan/plan_fields.h"

namespace quorvel::test {

struct ProcessResult {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

/// Runs the binary with `args` in `workDir` and waits for it to end; one still running
/// after `timeoutMs` (when given) is killed, and its result has exit code -1.
ProcessResult RunQuorvel(const QStringList& args, const QString& workDir,
                         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                         int timeoutMs = -1);

/// An environment with no display at all, and a platform that would need one.
QProcessEnvironment EnvironmentWithoutDisplay();

/// Each test gets an empty directory to run the binary in.
class ExportBinaryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    ProcessResult Run(const QStringList& args) const { return RunQuorvel(args, dir_.path()); }
    QString PathOf(const QString& name) const { return dir_.filePath(name); }
    QByteArray Contents(const QString& name) const;
    QStringList Entries() const;

    QTemporaryDir dir_;
};

std::vector<std::vector<std::string>> CsvRows(const QByteArray& bytes);

/// A CSV number, which must read completely.
double Number(const std::string& text);

/// The render layer's composition in-process, as RGB32.
QImage Composed(PlanFields plan, int width, int height, MarkerPoint marker = {});

QImage LoadedPng(const QString& path);

}  // namespace quorvel::test
