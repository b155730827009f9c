// The exports' writer as the program uses it: one file under two names is bad use, devices
// and standard output are written as they are, a failed or interrupted run leaves no file.
// (The writer itself is tested in tests/app/output/, without Qt.)
#include "app/export_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/export_csv.h"
#include "export_fixture.h"

namespace quorvel {
namespace {

using test::ExportBinaryTest;
using test::ProcessResult;

TEST_F(ExportBinaryTest, ExportsToOneFileUnderTwoNamesAreBadUse) {
    const ProcessResult result = Run({"--export-csv", "a.csv", "--export-lines", "./a.csv"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err,
              "quorvel: 'a.csv' and './a.csv' are the same file; each export needs a "
              "file of its own\n");
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(ExportBinaryTest, DevicesAndStandardOutputAreWrittenAsTheyAre) {
    const ProcessResult full = Run({"--export-csv", "/dev/full"});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "quorvel: cannot write '/dev/full': No space left on device\n");
    struct stat device {};
    ASSERT_EQ(stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));

    const ProcessResult stdoutByName = Run({"--export-csv", "/dev/stdout"});
    EXPECT_EQ(stdoutByName.exitCode, 0) << stdoutByName.err.toStdString();
    EXPECT_EQ(stdoutByName.out.toStdString(), HarmonicBandCsv(PlanFields{}));
}

TEST_F(ExportBinaryTest, AFailedStandardOutputLeavesNoFile) {
    QProcess process;
    process.setProgram(QStringLiteral(QUORVEL_BINARY));
    process.setArguments({"--export-png", "p.png", "--export-csv", "-"});
    process.setWorkingDirectory(dir_.path());
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start();
    ASSERT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError(),
              "quorvel: cannot write to standard output: No space left on device\n");
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

class InterruptedRunTest : public ExportBinaryTest, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptedRunTest, LeavesNoTemporaryBehindAndEndsByTheSignal) {
    // The CSV's temporary is written first; then the run waits for the pipe's reader.
    ASSERT_EQ(mkfifo(PathOf("pipe").toLocal8Bit().constData(), 0600), 0);
    QProcess process;
    process.setProgram(QStringLiteral(QUORVEL_BINARY));
    process.setArguments({"--export-csv", "a.csv", "--export-lines", "pipe"});
    process.setWorkingDirectory(dir_.path());
    process.start();
    ASSERT_TRUE(process.waitForStarted(-1));
    // The listing leaves out the pipe: it is no file of data.
    const auto waiting = [&] { return Entries().size() == 1; };
    for (int tries = 0; tries < 2000 && !waiting(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(waiting()) << Entries().join(' ').toStdString();
    ASSERT_EQ(kill(static_cast<pid_t>(process.processId()), GetParam()), 0);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(process.exitCode(), GetParam());
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedRunTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& row) {
                             return row.param == SIGINT ? "Interrupt" : "Terminate";
                         });

}  // namespace
}  // namespace quorvel
