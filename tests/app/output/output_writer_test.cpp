// The file writer: a failure at any step leaves the old files as they were and no new one;
// pipes and devices are written, never replaced; names keep their bytes; one file under two
// names is found. The same cases on POSIX and on Win32.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/export_output.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// Names are UTF-8 on Windows, bytes elsewhere.
fs::path PathOf(const std::string& name) {
#if defined(_WIN32)
    return fs::path(std::u8string(name.begin(), name.end()));
#else
    return fs::path(name);
#endif
}

std::string NameOf(const fs::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

class OutputWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = fs::temp_directory_path() / ("quorvel-writer-" + std::to_string(seed()));
        ASSERT_TRUE(fs::create_directory(dir_));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string Path(const std::string& name) const { return NameOf(dir_) + "/" + name; }
    std::string Read(const std::string& name) const {
        std::ifstream file(PathOf(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void Put(const std::string& name, const std::string& text) const {
        std::ofstream(PathOf(Path(name)), std::ios::binary) << text;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            names.push_back(NameOf(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

// Fake system calls: each fails the way a full disk, a failing device or a quota does,
// with the system's own code for it.
#if defined(_WIN32)
constexpr SystemError kDiskFull = ERROR_DISK_FULL;
constexpr SystemError kDeviceError = ERROR_IO_DEVICE;
constexpr SystemError kOverQuota = ERROR_HANDLE_DISK_FULL;
constexpr SystemError kNothingWritten = ERROR_WRITE_FAULT;
constexpr SystemError kReadOnly = ERROR_WRITE_PROTECT;
#else
constexpr SystemError kDiskFull = ENOSPC;
constexpr SystemError kDeviceError = EIO;
constexpr SystemError kOverQuota = EDQUOT;
constexpr SystemError kNothingWritten = EIO;
constexpr SystemError kReadOnly = EROFS;
#endif

// The system's words for a code as the message shows them: strerror's, or FormatMessage's
// without its closing full stop (Wine words them unlike Windows).
std::string Said(SystemError error) {
#if defined(_WIN32)
    wchar_t buffer[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(error), 0, buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L'.')) {
        --length;
    }
    return NameOf(fs::path(std::wstring(buffer, length)));
#else
    switch (error) {
        case ENOSPC:
            return "No space left on device";
        case EDQUOT:
            return "Disk quota exceeded";
        case EROFS:
            return "Read-only file system";
        default:
            return "Input/output error";
    }
#endif
}

const OutputSystemCalls kReal = RealOutputSystemCalls();

std::size_t g_written = 0;
SystemError WriteUntilFull(OutputHandle file, const char* data, std::size_t size,
                           std::size_t& written) {
    if (g_written >= 4096) {
        return kDiskFull;
    }
    const SystemError error = kReal.write(file, data, std::min(size, 4096 - g_written), written);
    g_written += written;
    return error;
}
SystemError WriteNothing(OutputHandle /*file*/, const char* /*data*/, std::size_t /*size*/,
                         std::size_t& written) {
    written = 0;
    return 0;
}
SystemError FlushFails(OutputHandle /*file*/) {
    return kDeviceError;
}
SystemError CloseOverQuota(OutputHandle file) {
    kReal.close(file);
    return kOverQuota;
}
SystemError ReplaceRefused(const std::string& /*from*/, const std::string& /*to*/) {
    return kReadOnly;
}

struct FailingCalls {
    const char* name;
    OutputSystemCalls calls;
    SystemError reason;
};

class FailingWriteTest : public OutputWriterTest,
                         public ::testing::WithParamInterface<FailingCalls> {};

TEST_P(FailingWriteTest, LeavesTheOldFileAndNothingNewAndSaysWhy) {
    Put("keep.csv", "old\n");
    g_written = 0;
    const std::vector<ExportOutput> outputs = {{Path("new.csv"), "new"},
                                               {Path("keep.csv"), std::string(10000, 'x')}};
    const auto failure = WriteExportOutputs(outputs, GetParam().calls);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->rfind("quorvel: cannot write '" + Path(""), 0), 0u) << *failure;
    EXPECT_TRUE(failure->ends_with("': " + Said(GetParam().reason))) << *failure;
    EXPECT_EQ(Read("keep.csv"), "old\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"keep.csv"});
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailingWriteTest,
    ::testing::Values(
        FailingCalls{
            "DiskFills", {WriteUntilFull, kReal.flush, kReal.close, kReal.replace}, kDiskFull},
        FailingCalls{"WriteWritesNothing",
                     {WriteNothing, kReal.flush, kReal.close, kReal.replace},
                     kNothingWritten},
        FailingCalls{
            "SyncFails", {kReal.write, FlushFails, kReal.close, kReal.replace}, kDeviceError},
        FailingCalls{"CloseOverQuota",
                     {kReal.write, kReal.flush, CloseOverQuota, kReal.replace},
                     kOverQuota},
        FailingCalls{
            "ReplaceRefused", {kReal.write, kReal.flush, kReal.close, ReplaceRefused}, kReadOnly}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(OutputWriterTest, ReplacesAFileWholeAndWritesANewOne) {
    Put("old.csv", std::string(5000, 'o'));
    EXPECT_EQ(WriteExportOutputs({{Path("old.csv"), "short"}, {Path("new.csv"), "fresh"}}),
              std::nullopt);
    EXPECT_EQ(Read("old.csv"), "short");
    EXPECT_EQ(Read("new.csv"), "fresh");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"new.csv", "old.csv"}));
}

TEST_F(OutputWriterTest, PipesAndDevicesAreWrittenNotReplaced) {
#if defined(_WIN32)
    const std::string pipe = "\\\\.\\pipe\\quorvel-writer-" + std::to_string(GetCurrentProcessId());
    const HANDLE reader = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1,
                                           4096, 4096, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    // NUL names the null device in every folder.
    EXPECT_EQ(WriteExportOutputs({{pipe, "through the pipe"}, {Path("NUL"), "gone"}}),
              std::nullopt);
    char buffer[64] = {};
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(reader, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(std::string(buffer, got), "through the pipe");
    CloseHandle(reader);
    EXPECT_TRUE(Entries().empty());
#else
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
#endif
}

TEST_F(OutputWriterTest, NamesKeepTheirBytesAndMessagesShowNoControlCharacters) {
    // Any bytes but '/' on POSIX; on Windows any UTF-8 text.
#if defined(_WIN32)
    const std::string name =
        "gr\xc3\xbc\xc3\x9f"
        "e \xe2\x82\xac.csv";
    // Control characters name no file there.
    const std::string missing = Path("\x1b[31mred\n2nd");
    const std::string reason = Said(ERROR_INVALID_NAME);
#else
    const std::string name = "bad\xff.csv";
    const std::string missing = Path("none/\x1b[31mred\n2nd");
    const std::string reason = "No such file or directory";
#endif
    EXPECT_EQ(WriteExportOutputs({{Path(name), "kept"}}), std::nullopt);
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
    EXPECT_EQ(Read(name), "kept");

    const auto failure = WriteExportOutputs({{missing, "x"}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(std::count_if(failure->begin(), failure->end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
              0);
    EXPECT_NE(failure->find("?[31mred?2nd': " + reason), std::string::npos) << *failure;
}

struct TwoNames {
    const char* name;
    const char* first;
    const char* second;
    bool same;
};

class TwoNamesTest : public OutputWriterTest, public ::testing::WithParamInterface<TwoNames> {};

// Whether the system let the test make the symbolic links: Windows asks a privilege.
bool MakeSymbolicLinks(const fs::path& dir) {
    std::error_code error;
    fs::create_symlink("a.csv", dir / "link.csv", error);
    fs::create_symlink("new.csv", dir / "dangling.csv", error);
    return !error;
}

TEST_P(TwoNamesTest, OneFileUnderTwoNamesIsFound) {
    // a.csv exists; b.csv does not; link.csv and hard.csv reach a.csv, dangling.csv new.csv.
    Put("a.csv", "a");
    ASSERT_TRUE(fs::create_directory(dir_ / "sub"));
    fs::create_hard_link(dir_ / "a.csv", dir_ / "hard.csv");
    const bool links = MakeSymbolicLinks(dir_);
    const std::string first = GetParam().first;
    const std::string second = GetParam().second;
    if (!links && (first == "link.csv" || first == "dangling.csv")) {
        GTEST_SKIP() << "this system does not let the test make symbolic links";
    }
#if defined(_WIN32)
    if (second == "/dev/stdout") {
        GTEST_SKIP() << "Windows has no file name for standard output";
    }
#endif
    const auto name = [&](const std::string& given) {
        return given.front() == '/' || given == "-" ? given : Path(given);
    };
    const auto clash = SameFileUnderTwoNames({name(first), name(second)});
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

#if defined(_WIN32)
// Windows compares names without regard to case, reads a backslash as '/', and has NUL
// in every folder.
INSTANTIATE_TEST_SUITE_P(WindowsNames, TwoNamesTest,
                         ::testing::Values(TwoNames{"CaseOnly", "A.CSV", "a.csv", true},
                                           TwoNames{"NewFileCaseOnly", "B.csv", "b.csv", true},
                                           TwoNames{"Backslashes", "sub\\..\\a.csv", "a.csv", true},
                                           TwoNames{"NullDevice", "NUL", "sub/nul", true}),
                         [](const auto& row) { return std::string(row.param.name); });
#endif

}  // namespace
}  // namespace quorvel
