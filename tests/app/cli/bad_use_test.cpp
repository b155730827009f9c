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

// Every message is checked in-process (cli_options_test.cpp); this is what the binary does
// with one.
TEST_F(ExportBinaryTest, BadUsePrintsTheMessageExitsTwoAndWritesNothing) {
    const std::pair<QStringList, const char*> rows[] = {
        {{"--export-csv", "a.csv", "--sample-rate", "1000"},
         "quorvel: unknown option '--sample-rate' (see --help)\n"},
        {{"--export-png", "a.out", "--export-lines", "a.out"},
         "quorvel: --export-lines and --export-png name the same file\n"},
        {{"--export-svg", "a.svg", "--scale", "2"},
         "quorvel: --scale applies only to the PNG exports\n"},
        // A measured spectrum is read whole or refused at its line, before anything is written.
        {{"--measured", "trace.csv", "--export-peaks", "peaks.csv"},
         "quorvel: cannot read the measured spectrum 'trace.csv': there is no such file\n"}};
    for (const auto& [args, message] : rows) {
        const ProcessResult result = Run(args);
        EXPECT_FALSE(result.crashed);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err.toStdString(), message);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
    }
}

TEST_F(ExportBinaryTest, HelpAndVersionExitZeroOnStandardOutput) {
    const ProcessResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quorvel [OPTIONS] [FILE]\n"));
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
