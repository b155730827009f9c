// The CSV exports through the real binary: the band table and the alias lines as computed,
// standard output, the forms of values, and plans that have nothing to export.
#include <gtest/gtest.h>

#include <QFile>

#include "app/export_csv.h"
#include "export_fixture.h"
#include "plan/alias_lines.h"
#include "plan/harmonic_band.h"

namespace quorvel {
namespace {

using test::Composed;
using test::CsvRows;
using test::ExportBinaryTest;
using test::LoadedPng;
using test::Number;
using test::ProcessResult;

// Which bands each image of the default plan meets (IF band 174.32..194.32, RF band
// 134.32..234.32); the edges themselves are the fold's, worked out in harmonic_band_test.
struct BandRow {
    int n, inIf, inRf;
};
constexpr BandRow kDefaultBands[] = {{2, 0, 0},  {3, 1, 1},  {4, 0, 0},  {5, 1, 1},  {6, 0, 0},
                                     {7, 1, 1},  {8, 0, 0},  {9, 1, 1},  {10, 0, 0}, {11, 1, 1},
                                     {12, 0, 0}, {13, 1, 1}, {14, 0, 1}, {15, 1, 1}};

TEST_F(ExportBinaryTest, DefaultBandTableIsTheFoldExactly) {
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
        const HarmonicBand band = FoldHarmonicBand(plan.m_fs, plan.m_if, plan.m_ifBw, expected.n);
        EXPECT_EQ(row[0], std::to_string(expected.n));
        EXPECT_EQ(Number(row[1]), band.lo);  // reversed pairs stay reversed
        EXPECT_EQ(Number(row[2]), band.hi);
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
    const PlanFields plan{.m_fs = 1000, .m_if = -5, .m_ifBw = 30, .m_harmonics = 40, .m_rfBw = 8};
    EXPECT_EQ(joined.out.toStdString(), HarmonicBandCsv(plan));
}

struct GateFailure {
    const char* name;
    QStringList plan;
    PlanFields fields;
};

class GateFailureTest : public ExportBinaryTest,
                        public ::testing::WithParamInterface<GateFailure> {};

// Each export keeps its own rule, alone or with others: the picture of grid and axes is
// written, the two tables are refused with one line and status 1.
TEST_P(GateFailureTest, TablesAreRefusedAndThePictureIsWrittenAloneOrTogether) {
    struct ExportSet {
        QStringList args;
        bool png;
        bool table;
    };
    const ExportSet sets[] = {
        {{"--export-png", "out.png"}, true, false},
        {{"--export-csv", "out.csv"}, false, true},
        {{"--export-lines", "-"}, false, true},
        {{"--export-csv", "out.csv", "--export-png", "out.png"}, true, true},
        {{"--export-lines", "out.csv", "--export-png", "out.png"}, true, true}};
    for (const ExportSet& set : sets) {
        SCOPED_TRACE(set.args.join(' ').toStdString());
        QFile::remove(PathOf("out.png"));
        const ProcessResult result =
            Run(GetParam().plan + set.args +
                (set.png ? QStringList{"--size", "300x200"} : QStringList{}));
        EXPECT_EQ(result.exitCode, set.table ? 1 : 0);
        EXPECT_EQ(result.err.startsWith("quorvel: no band table or alias lines"), set.table)
            << result.err.toStdString();
        EXPECT_EQ(result.err.count('\n'), set.table ? 1 : 0);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(Entries(), set.png ? QStringList{"out.png"} : QStringList{});
        if (set.png) {
            EXPECT_TRUE(LoadedPng(PathOf("out.png")) == Composed(GetParam().fields, 300, 200));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GateFailureTest,
    ::testing::Values(GateFailure{"NegativeFs", {"--fs=-737.28"}, {.m_fs = -737.28}},
                      GateFailure{"ZeroRfBw", {"--rf-bw", "0"}, {.m_rfBw = 0}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
