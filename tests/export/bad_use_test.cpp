// The command line's failures through the real binary: bad use, unwritable paths, and files
// that are written whole or not at all.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "export_fixture.h"

namespace quorvel {
namespace {

using test::ExportBinaryTest;
using test::ProcessResult;

struct BadUse {
    const char* name;
    QStringList args;
    const char* message;  ///< the whole line, without its newline
};

class BadUseTest : public ExportBinaryTest, public ::testing::WithParamInterface<BadUse> {};

TEST_P(BadUseTest, SaysWhatIsWrongInOneLineAndWritesNothing) {
    const BadUse& use = GetParam();
    const ProcessResult result = Run(use.args);
    EXPECT_FALSE(result.crashed);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.toStdString(), std::string(use.message) + "\n");
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadUseTest,
    ::testing::Values(
        BadUse{"UnknownOption",
               {"--export-csv", "a.csv", "--sample-rate", "1000"},
               "quorvel: unknown option '--sample-rate' (see --help)"},
        BadUse{"UnknownJoinedOption",
               {"--export-csv", "a.csv", "--fz=1000"},
               "quorvel: unknown option '--fz' (see --help)"},
        BadUse{"StrayArgument",
               {"--export-csv", "a.csv", "1000"},
               "quorvel: unexpected argument '1000' (see --help)"},
        BadUse{"MissingValue", {"--export-csv", "a.csv", "--fs"}, "quorvel: --fs needs a value"},
        BadUse{"NumberDoesNotConvert",
               {"--export-csv", "a.csv", "--if-bw", "20MHz"},
               "quorvel: --if-bw: '20MHz' is not a number"},
        BadUse{"NumberOutOfRange",
               {"--export-png", "a.png", "--rf-bw=1e999"},
               "quorvel: --rf-bw: '1e999' is not a number"},
        BadUse{"HarmonicsNotWhole",
               {"--export-csv", "a.csv", "--harmonics", "2.5"},
               "quorvel: --harmonics: '2.5' is not a whole number"},
        BadUse{"SizeZero",
               {"--export-png", "a.png", "--size", "0x600"},
               "quorvel: --size: '0x600' is not WIDTHxHEIGHT in pixels, each 1 to 16384"},
        BadUse{"SizeTooLarge",
               {"--export-png", "a.png", "--size", "1000x16385"},
               "quorvel: --size: '1000x16385' is not WIDTHxHEIGHT in pixels, each 1 to 16384"},
        BadUse{"SizeOneSide",
               {"--export-png", "a.png", "--size=800"},
               "quorvel: --size: '800' is not WIDTHxHEIGHT in pixels, each 1 to 16384"},
        BadUse{"SizeSigned",
               {"--export-png", "a.png", "--size", "-800x600"},
               "quorvel: --size: '-800x600' is not WIDTHxHEIGHT in pixels, each 1 to 16384"},
        BadUse{"MarkerOneNumber",
               {"--export-png", "a.png", "--marker", "413"},
               "quorvel: --marker: '413' is not X,Y (two whole numbers)"},
        BadUse{"MarkerThreeNumbers",
               {"--export-png", "a.png", "--marker", "1,2,3"},
               "quorvel: --marker: '1,2,3' is not X,Y (two whole numbers)"},
        BadUse{"FlagWithValue", {"--version=2"}, "quorvel: --version takes no value"},
        BadUse{"RepeatedOption",
               {"--export-csv", "a.csv", "--fs", "1", "--fs=2"},
               "quorvel: --fs is given more than once"},
        BadUse{"EmptyFileName", {"--export-csv="}, "quorvel: --export-csv needs a file name"},
        BadUse{"PngToStandardOutput",
               {"--export-png", "-"},
               "quorvel: --export-png needs a file name ('-' is for the CSV exports)"},
        BadUse{"SizeWithoutPng",
               {"--export-csv", "a.csv", "--size", "10x10"},
               "quorvel: --size applies only to --export-png"},
        BadUse{"MarkerWithoutExport",
               {"--marker", "10,60"},
               "quorvel: --marker applies only to --export-png"},
        BadUse{"BothCsvToStandardOutput",
               {"--export-csv", "-", "--export-lines", "-"},
               "quorvel: --export-csv and --export-lines cannot both write to standard output"},
        BadUse{"SameFileTwice",
               {"--export-png", "a.out", "--export-lines", "a.out"},
               "quorvel: --export-lines and --export-png name the same file"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ExportBinaryTest, HelpAndVersionExitZeroOnStandardOutput) {
    const ProcessResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quorvel [OPTIONS]\n"));
    EXPECT_TRUE(help.err.isEmpty());
    const ProcessResult version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quorvel 1.1.0.1\n");
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(ExportBinaryTest, UnwritablePathExitsOneAndNamesIt) {
    const QString missingDir = PathOf("no-such-dir/bands.csv");
    const ProcessResult missing = Run({"--export-csv", missingDir});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith(("quorvel: cannot write '" + missingDir + "': ").toUtf8()))
        << missing.err.toStdString();

    ASSERT_TRUE(QDir(dir_.path()).mkdir("a-directory"));
    const ProcessResult directory = Run({"--export-png", "a-directory"});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_TRUE(directory.err.startsWith("quorvel: cannot write 'a-directory': "));
    EXPECT_EQ(Entries(), QStringList{"a-directory"});
}

TEST_F(ExportBinaryTest, OneUnwritableOutputMeansNoOutputAtAll) {
    const ProcessResult result = Run({"--export-png", "chart.png", "--export-csv", "bands.csv",
                                      "--export-lines", "no-such-dir/lines.csv"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

TEST_F(ExportBinaryTest, AFileIsReplacedWholeOrLeftAsItWas) {
    {
        QFile old(PathOf("bands.csv"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous contents, much longer than nothing at all\n");
    }
    const QByteArray before = Contents("bands.csv");
    EXPECT_EQ(Run({"--export-csv", "bands.csv", "--fs", "x"}).exitCode, 2);
    EXPECT_EQ(Run({"--export-csv", "bands.csv", "--fs", "0"}).exitCode, 1);
    EXPECT_EQ(Contents("bands.csv"), before);

    ASSERT_EQ(Run({"--export-csv", "bands.csv", "--harmonics", "2"}).exitCode, 0);
    EXPECT_EQ(Contents("bands.csv"),
              "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n2,348.64,368.64,0,0\n");
    EXPECT_EQ(Entries(), QStringList{"bands.csv"});
}

}  // namespace
}  // namespace quorvel
