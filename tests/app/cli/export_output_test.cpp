// Writing the exports: a failure at any step leaves the old files as they were and no new
// one; pipes and devices are written, never replaced; names keep their bytes; one file
// under two names is found.
#include "app/export_output.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

class ExportOutputTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string Path(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void Put(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        DIR* dir = opendir(dir_.path().toLocal8Bit().constData());
        while (const dirent* entry = readdir(dir)) {
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") {
                names.emplace_back(entry->d_name);
            }
        }
        closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }
    QTemporaryDir dir_;
};

// Fake system calls: each fails the way a full disk, a failing device or a quota does.
std::size_t g_written = 0;
ssize_t WriteUntilFull(int fd, const void* data, std::size_t size) {
    if (g_written >= 4096) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = ::write(fd, data, std::min<std::size_t>(size, 4096 - g_written));
    g_written += static_cast<std::size_t>(written);
    return written;
}
ssize_t WriteNothing(int /*fd*/, const void* /*data*/, std::size_t /*size*/) {
    errno = 0;
    return 0;
}
int SyncFails(int /*fd*/) {
    errno = EIO;
    return -1;
}
int CloseOverQuota(int fd) {
    ::close(fd);
    errno = EDQUOT;
    return -1;
}

struct FailingCalls {
    const char* name;
    OutputSystemCalls calls;
    const char* reason;
};

class FailingWriteTest : public ExportOutputTest,
                         public ::testing::WithParamInterface<FailingCalls> {};

TEST_P(FailingWriteTest, LeavesTheOldFileAndNothingNewAndSaysWhy) {
    Put("keep.csv", "old\n");
    g_written = 0;
    const std::vector<ExportOutput> outputs = {{Path("new.csv"), "new"},
                                               {Path("keep.csv"), QByteArray(10000, 'x')}};
    const auto failure = WriteExportOutputs(outputs, GetParam().calls);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->rfind("quorvel: cannot write '" + Path(""), 0), 0u) << *failure;
    EXPECT_TRUE(failure->ends_with(std::string("': ") + GetParam().reason)) << *failure;
    EXPECT_EQ(Read("keep.csv"), "old\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"keep.csv"});
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailingWriteTest,
    ::testing::Values(
        FailingCalls{"DiskFills", {WriteUntilFull, ::fsync, ::close}, "No space left on device"},
        FailingCalls{"WriteWritesNothing", {WriteNothing, ::fsync, ::close}, "Input/output error"},
        FailingCalls{"SyncFails", {::write, SyncFails, ::close}, "Input/output error"},
        FailingCalls{"CloseOverQuota", {::write, ::fsync, CloseOverQuota}, "Disk quota exceeded"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ExportOutputTest, PipesAndDevicesAreWrittenNotReplaced) {
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    const int reader = open(Path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::vector<ExportOutput> outputs = {{Path("pipe"), "through the pipe"}};
    // A device of its own (the null device's numbers) where the system lets us make one.
    const bool device = mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (device) {
        outputs.push_back({Path("null"), "gone"});
    }
    EXPECT_EQ(WriteExportOutputs(outputs), std::nullopt);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(read(reader, buffer, sizeof buffer))),
              "through the pipe");
    close(reader);
    struct stat file {};
    ASSERT_EQ(lstat(Path("pipe").c_str(), &file), 0);
    EXPECT_TRUE(S_ISFIFO(file.st_mode));
    if (device) {
        ASSERT_EQ(lstat(Path("null").c_str(), &file), 0);
        EXPECT_TRUE(S_ISCHR(file.st_mode));
    }
}

TEST_F(ExportOutputTest, NamesKeepTheirBytesAndMessagesShowNoControlCharacters) {
    const std::string name = "bad\xff.csv";
    EXPECT_EQ(WriteExportOutputs({{Path(name), "kept"}}), std::nullopt);
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
    unlink(Path(name).c_str());  // Qt could not remove it: its name is not text

    const auto failure = WriteExportOutputs({{Path("none/\x1b[31mred\n2nd"), "x"}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(std::count_if(failure->begin(), failure->end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
              0);
    EXPECT_NE(failure->find("?[31mred?2nd': No such file or directory"), std::string::npos);
}

struct TwoNames {
    const char* name;
    const char* first;
    const char* second;
    bool same;
};

class TwoNamesTest : public ExportOutputTest, public ::testing::WithParamInterface<TwoNames> {};

TEST_P(TwoNamesTest, OneFileUnderTwoNamesIsFound) {
    // a.csv exists; b.csv does not; link.csv and hard.csv reach a.csv, dangling.csv new.csv.
    Put("a.csv", "a");
    ASSERT_EQ(mkdir(Path("sub").c_str(), 0700), 0);
    ASSERT_EQ(symlink("a.csv", Path("link.csv").c_str()), 0);
    ASSERT_EQ(link(Path("a.csv").c_str(), Path("hard.csv").c_str()), 0);
    ASSERT_EQ(symlink("new.csv", Path("dangling.csv").c_str()), 0);
    const auto name = [&](const std::string& given) {
        return given.front() == '/' || given == "-" ? given : Path(given);
    };
    const auto clash = SameFileUnderTwoNames({name(GetParam().first), name(GetParam().second)});
    EXPECT_EQ(clash.has_value(), GetParam().same) << clash.value_or("");
}

INSTANTIATE_TEST_SUITE_P(
    Names, TwoNamesTest,
    ::testing::Values(TwoNames{"DotSlashNewFile", "b.csv", "./b.csv", true},
                      TwoNames{"ThroughParent", "a.csv", "sub/../a.csv", true},
                      TwoNames{"SymbolicLink", "link.csv", "a.csv", true},
                      TwoNames{"HardLink", "hard.csv", "a.csv", true},
                      TwoNames{"DanglingLinkAndItsTarget", "dangling.csv", "new.csv", true},
                      TwoNames{"StandardOutputTwice", "-", "/dev/stdout", true},
                      TwoNames{"TwoFiles", "a.csv", "b.csv", false},
                      TwoNames{"NewAndExisting", "b.csv", "a.csv", false}),
    [](const auto& row) { return std::string(row.param.name); });

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
