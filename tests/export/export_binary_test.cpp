// The exports through the real binary, spawned as a script would: what it writes, what it
// says, its exit status, and that bad use or failure leaves no file behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <charconv>
#include <memory>
#include <sstream>
#include <vector>

#include "app/cli_options.h"
#include "app/export_csv.h"
#include "plan/alias_lines.h"
#include "plan/harmonic_band.h"
#include "quorvel_process.h"
#include "render/paint_cycle.h"

namespace quorvel {
namespace {

using test::ProcessResult;
using test::RunQuorvel;

class ExportBinaryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The in-process composition needs fonts, hence a GUI application.
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "export_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }

    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    ProcessResult Run(const QStringList& args) { return RunQuorvel(args, dir_.path()); }

    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    QByteArray Contents(const QString& name) const {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList Entries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
};

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

// The default plan's folding worked out by hand, two decimals, with which bands each
// image meets (IF band 174.32..194.32, RF band 134.32..234.32).
struct BandRow {
    int n;
    double lo, hi;
    int inIf, inRf;
};
constexpr BandRow kDefaultBands[] = {
    {2, 348.64, 368.64, 0, 0},  {3, 214.32, 154.32, 1, 1}, {4, 0.00, 40.00, 0, 0},
    {5, 134.32, 234.32, 1, 1},  {6, 308.64, 368.64, 0, 0}, {7, 254.32, 114.32, 1, 1},
    {8, 0.00, 80.00, 0, 0},     {9, 94.32, 274.32, 1, 1},  {10, 268.64, 368.64, 0, 0},
    {11, 294.32, 74.32, 1, 1},  {12, 0.00, 120.00, 0, 0},  {13, 54.32, 314.32, 1, 1},
    {14, 228.64, 368.64, 0, 1}, {15, 334.32, 34.32, 1, 1},
};

TEST_F(ExportBinaryTest, DefaultBandTableMatchesTheFoldingAsComputed) {
    const ProcessResult result = Run({"--export-csv", "bands.csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();

    const auto rows = CsvRows(Contents("bands.csv"));
    ASSERT_EQ(rows.size(), std::size(kDefaultBands) + 1);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"harmonic", "lo_mhz", "hi_mhz", "in_if_band",
                                                 "in_rf_band"}));
    const PlanFields plan;
    for (std::size_t i = 0; i < std::size(kDefaultBands); ++i) {
        const BandRow& expected = kDefaultBands[i];
        const auto& row = rows[i + 1];
        SCOPED_TRACE("harmonic " + std::to_string(expected.n));
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], std::to_string(expected.n));
        const double lo = Number(row[1]);
        const double hi = Number(row[2]);
        EXPECT_NEAR(lo, expected.lo, 0.005);
        EXPECT_NEAR(hi, expected.hi, 0.005);  // reversed pairs stay reversed
        const HarmonicBand band = FoldHarmonicBand(plan.m_fs, plan.m_if, plan.m_ifBw, expected.n);
        EXPECT_EQ(lo, band.lo);  // exactly, not just to two decimals
        EXPECT_EQ(hi, band.hi);
        EXPECT_EQ(row[3], std::to_string(expected.inIf));
        EXPECT_EQ(row[4], std::to_string(expected.inRf));
    }
}

TEST_F(ExportBinaryTest, AliasLinesAreEveryVertexInDrawingOrder) {
    const ProcessResult result = Run({"--export-lines", "lines.csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const auto rows = CsvRows(Contents("lines.csv"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"harmonic", "vertex", "x_mhz", "y_mhz", "colour"}));
    const AliasLineSet set = BuildAliasLines(737.28, 15);
    std::size_t r = 1;
    for (int i = 0; i < set.count; ++i) {
        const AliasLine& line = set.lines[static_cast<std::size_t>(i)];
        for (int k = 0; k < line.count; ++k, ++r) {
            ASSERT_LT(r, rows.size());
            const auto& row = rows[r];
            const AliasPoint& point = line.points[static_cast<std::size_t>(k)];
            ASSERT_EQ(row.size(), 5u);
            EXPECT_EQ(row[0], std::to_string(line.harmonic));
            EXPECT_EQ(row[1], std::to_string(k));
            EXPECT_EQ(Number(row[2]), point.x);
            EXPECT_EQ(Number(row[3]), point.y);
        }
    }
    EXPECT_EQ(r, rows.size());
    // Harmonic 15 is drawn first, in dim cyan; harmonic 2 last, in full red.
    EXPECT_EQ(rows[1], (std::vector<std::string>{"15", "0", "0", "0", "0x00696900"}));
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"2", "2", "368.64", "0", "0x000000FF"}));
}

TEST_F(ExportBinaryTest, DashWritesTheCsvToStandardOutput) {
    const ProcessResult toFile = Run({"--export-csv", "bands.csv", "--export-lines", "lines.csv"});
    ASSERT_EQ(toFile.exitCode, 0);
    const ProcessResult bands = Run({"--export-csv", "-"});
    EXPECT_EQ(bands.exitCode, 0);
    EXPECT_EQ(bands.out, Contents("bands.csv"));
    const ProcessResult lines = Run({"--export-lines=-"});
    EXPECT_EQ(lines.exitCode, 0);
    EXPECT_EQ(lines.out, Contents("lines.csv"));
    EXPECT_EQ(Entries().size(), 2);
}

TEST_F(ExportBinaryTest, ValuesJoinedOrSeparateAndNegativeValuesGiveTheSamePlan) {
    const ProcessResult joined = Run(
        {"--fs=1000", "--if=-5", "--if-bw=30", "--rf-bw=8", "--harmonics=40", "--export-csv=-"});
    const ProcessResult separate = Run({"--fs", "1000", "--if", "-5", "--if-bw", "30", "--rf-bw",
                                        "8", "--harmonics", "40", "--export-csv", "-"});
    ASSERT_EQ(joined.exitCode, 0) << joined.err.toStdString();
    EXPECT_EQ(joined.out, separate.out);
    PlanFields plan;
    plan.m_fs = 1000;
    plan.m_if = -5;
    plan.m_ifBw = 30;
    plan.m_rfBw = 8;
    plan.m_harmonics = 40;
    EXPECT_EQ(joined.out.toStdString(), HarmonicBandCsv(plan));
}

QImage Composed(PlanFields plan, int width, int height) {
    return ComposeChartArea(plan, width, height).convertToFormat(QImage::Format_RGB32);
}

QImage LoadedPng(const QString& path) {
    QImage image(path, "png");
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST_F(ExportBinaryTest, PngIsThePaintCompositionPixelForPixelWithoutADisplay) {
    const ProcessResult result = RunQuorvel({"--export-png", "chart.png", "--size", "1000x600"},
                                            dir_.path(), test::EnvironmentWithoutDisplay());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    const QImage exported = LoadedPng(PathOf("chart.png"));
    ASSERT_EQ(exported.size(), QSize(1000, 600));
    EXPECT_TRUE(exported == Composed(PlanFields{}, 1000, 600));
}

TEST_F(ExportBinaryTest, PngDefaultsToTheDialogsInitialChartArea) {
    ASSERT_EQ(Run({"--export-png=chart.png"}).exitCode, 0);
    EXPECT_EQ(LoadedPng(PathOf("chart.png")).size(), QSize(744, 532));
}

TEST_F(ExportBinaryTest, PngOfAPlanWithoutChartDataIsStillWritten) {
    const ProcessResult result = Run({"--rf-bw", "0", "--export-png", "gated.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    PlanFields plan;
    plan.m_rfBw = 0;
    EXPECT_TRUE(LoadedPng(PathOf("gated.png")) ==
                Composed(plan, kDefaultChartAreaWidth, kDefaultChartAreaHeight));
}

TEST_F(ExportBinaryTest, MarkerShowsTheReadoutAboveTheClickPoint) {
    PlanFields plan;
    plan.m_markerX = 413;
    plan.m_markerY = 300;
    if (Composed(plan, 1000, 600) == Composed(PlanFields{}, 1000, 600)) {
        GTEST_SKIP() << "the render layer draws no marker readout yet";
    }
    ASSERT_EQ(Run({"--export-png", "plain.png", "--size", "1000x600"}).exitCode, 0);
    // A click at client (413, 300) is bitmap row 250: the readout's boxes end 16 and 3
    // pixels above it, the blank box on it, all starting at the click's x.
    ASSERT_EQ(
        Run({"--export-png", "marked.png", "--size", "1000x600", "--marker", "413,300"}).exitCode,
        0);
    const QImage plain = LoadedPng(PathOf("plain.png"));
    const QImage marked = LoadedPng(PathOf("marked.png"));
    ASSERT_EQ(marked.size(), plain.size());
    const QRect readout(413, 250 - 16 - 13, 200, 16 + 13);
    int changed = 0;
    int whiteInside = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) != marked.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(readout.contains(x, y)) << "changed at " << x << "," << y;
            }
            whiteInside += readout.contains(x, y) && marked.pixel(x, y) == 0xFFFFFFFFu ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_GT(whiteInside, 200);  // the white boxes of both lines
    EXPECT_TRUE(marked == Composed(plan, 1000, 600));
}

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
        BadUse{"NumberIsNotANumber",
               {"--export-csv", "a.csv", "--fs", "nan"},
               "quorvel: --fs: 'nan' is not a number"},
        BadUse{
            "EmptyNumber", {"--export-csv", "a.csv", "--if="}, "quorvel: --if: '' is not a number"},
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
        BadUse{"MarkerFraction",
               {"--export-png", "a.png", "--marker=41.5,300"},
               "quorvel: --marker: '41.5,300' is not X,Y (two whole numbers)"},
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

struct GateFailure {
    const char* name;
    QStringList plan;
};

class GateFailureTest : public ExportBinaryTest,
                        public ::testing::WithParamInterface<GateFailure> {};

TEST_P(GateFailureTest, CsvExportsSaySoAndExitOneWithoutWriting) {
    for (const QString& option :
         {QStringLiteral("--export-csv"), QStringLiteral("--export-lines")}) {
        SCOPED_TRACE(option.toStdString());
        const ProcessResult result =
            Run(GetParam().plan + QStringList{option, "out.csv", "--export-png", "out.png"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.startsWith("quorvel: nothing to export"))
            << result.err.toStdString();
        EXPECT_EQ(result.err.count('\n'), 1);
        EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, GateFailureTest,
                         ::testing::Values(GateFailure{"ZeroFs", {"--fs", "0"}},
                                           GateFailure{"NegativeFs", {"--fs=-737.28"}},
                                           GateFailure{"ZeroRfBw", {"--rf-bw", "0"}},
                                           GateFailure{"NegativeRfBw", {"--rf-bw", "-1"}}),
                         [](const auto& row) { return std::string(row.param.name); });

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
