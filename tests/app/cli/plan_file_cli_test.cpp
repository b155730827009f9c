// Plan files on the command line, through the real binary: a file's values under the
// options', the plan written back for scripts, and files that cannot be used.
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>

#include "app/export_csv.h"
#include "export_fixture.h"
#include "plan_file_put.h"
#include "planfile/plan_file.h"

namespace quorvel {
namespace {

using test::ExportBinaryTest;
using test::ProcessResult;

class PlanFileCliTest : public ExportBinaryTest {
  protected:
    // An under-sampling plan with values that "%.15g" would not show exactly.
    static PlanFileValues FileValues() {
        PlanFileValues values;
        values.fs = 3000.0000000000005;
        values.ifCentre = 1800.1;
        values.ifBw = 0.30000000000000004;
        values.rfBw = 400.0;
        values.harmonics = 14;
        values.sliderVariable = kSliderDrivesIf;
        values.finder.ifRange = FrequencyInterval{1500.0, 3000.0};
        values.finder.margin = 0.5;
        return values;
    }

    void SetUp() override {
        ExportBinaryTest::SetUp();
        ASSERT_TRUE(test::PutPlanFile(PathOf("plan.qvplan"), FileValues()));
    }
};

TEST_F(PlanFileCliTest, OptionsOverrideTheFilesValuesAndTheRestComesFromTheFile) {
    const ProcessResult result =
        Run({"--plan", "plan.qvplan", "--harmonics", "5", "--export-csv", "-"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    PlanFields expected;
    FileValues().ApplyTo(expected);
    expected.m_harmonics = 5;
    EXPECT_EQ(result.out.toStdString(), HarmonicBandCsv(expected));
}

TEST_F(PlanFileCliTest, SavedPlanIsTheFileOverriddenByTheOptionsBitForBit) {
    const ProcessResult result =
        Run({"plan.qvplan", "--if=-0.1", "--rf-bw", "1e-300", "--save-plan", "out.qvplan"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    PlanFileValues expected = FileValues();
    expected.ifCentre = -0.1;
    expected.rfBw = 1e-300;
    EXPECT_EQ(ReadPlanFile(PathOf("out.qvplan")).values, expected);

    // Fs 0 draws no chart, yet it is a plan a script may want to keep.
    ASSERT_EQ(Run({"--fs", "0", "--save-plan", "zero.qvplan"}).exitCode, 0);
    EXPECT_EQ(ReadPlanFile(PathOf("zero.qvplan")).values->fs, 0.0);
}

// The finder's settings travel with the plan: the file's serve an export that does not
// give its own, and the options given are what a saved plan keeps.
TEST_F(PlanFileCliTest, FindersSettingsComeFromTheFileAndGoIntoASavedPlan) {
    const ProcessResult fromFile = Run({"--plan", "plan.qvplan", "--export-clean-if", "-"});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
    const ProcessResult given = Run({"--plan", "plan.qvplan", "--export-clean-if", "-",
                                     "--if-range", "1500:3000", "--margin", "0.5"});
    EXPECT_EQ(fromFile.out, given.out);
    EXPECT_EQ(Run({"--plan", "plan.qvplan", "--export-clean-fs", "-"}).exitCode, 2);

    ASSERT_EQ(Run({"plan.qvplan", "--fs-range", "100:200", "--against", "rf", "--save-plan",
                   "out.qvplan"})
                  .exitCode,
              0);
    FinderSettings expected = FileValues().finder;
    expected.fsRange = FrequencyInterval{100, 200};
    expected.against = Against::kRf;
    EXPECT_EQ(ReadPlanFile(PathOf("out.qvplan")).values->finder, expected);
}

// The converter model travels with the plan as the finder's settings do: a saved plan
// keeps the options' model, and the file's model serves the ledger and the clean exports
// under the options that name a part of it.
TEST_F(PlanFileCliTest, ConverterModelComesFromTheFileAndGoesIntoASavedPlan) {
    const QStringList model{"--interleave", "4",    "--interleave-orders", "2",
                            "--clock-spur", "12.5", "--interferer",        "2400:80:2"};
    ASSERT_EQ(Run(model + QStringList{"plan.qvplan", "--save-plan", "model.qvplan"}).exitCode, 0);
    PlanFileValues expected = FileValues();
    expected.model = SpurModel{.interleave = 4,
                               .interleaveOrders = 2,
                               .hasClockSpur = true,
                               .clockSpur = 12.5,
                               .interferers = {{2400.0, 80.0, 2}}};
    EXPECT_EQ(ReadPlanFile(PathOf("model.qvplan")).values, expected);

    const QStringList exports[] = {{"--export-spurs", "-"},
                                   {"--harmonics", "3", "--fs-range", "2000:4000", "--against",
                                    "if", "--export-clean-fs", "-"}};
    for (const QStringList& exported : exports) {
        const ProcessResult fromOptions = Run(model + QStringList{"plan.qvplan"} + exported);
        ASSERT_EQ(fromOptions.exitCode, 0) << fromOptions.err.toStdString();
        EXPECT_EQ(Run(QStringList{"model.qvplan"} + exported).out, fromOptions.out);
        EXPECT_NE(Run(QStringList{"plan.qvplan"} + exported).out, fromOptions.out);
    }
    // Interferers given replace the file's list; what the options leave out stays.
    const ProcessResult over = Run({"model.qvplan", "--interleave", "8", "--interferer", "900:10",
                                    "--save-plan", "over.qvplan"});
    ASSERT_EQ(over.exitCode, 0) << over.err.toStdString();
    expected.model->interleave = 8;
    expected.model->interferers = {{900.0, 10.0, 1}};
    EXPECT_EQ(ReadPlanFile(PathOf("over.qvplan")).values, expected);
}

// The example plans of the README open whole, each with a model and its levels, and each
// finds clean sample rates in its own range by its own floor.
TEST_F(PlanFileCliTest, ExamplePlansReadWholeAndExport) {
    const QDir examples(QStringLiteral(QUORVEL_EXAMPLES));
    const QStringList names = examples.entryList({QStringLiteral("*.qvplan")}, QDir::Files);
    ASSERT_GE(names.size(), 4);
    for (const QString& name : names) {
        const QString path = examples.filePath(name);
        const PlanFileReading reading = ReadPlanFile(path);
        ASSERT_TRUE(reading.values) << reading.error.toStdString();
        EXPECT_TRUE(reading.ignored.isEmpty()) << name.toStdString();
        ASSERT_TRUE(reading.values->model) << name.toStdString();
        EXPECT_TRUE(LevelsGiven(*reading.values->model)) << name.toStdString();
        const ProcessResult ledger = Run({path, "--export-spurs", "-"});
        ASSERT_EQ(ledger.exitCode, 0) << ledger.err.toStdString();
        EXPECT_TRUE(ledger.out.contains(",level_dbfs,level_dbc,counts\n")) << name.toStdString();
        const ProcessResult clean = Run({path, "--export-clean-fs", "-"});
        ASSERT_EQ(clean.exitCode, 0) << clean.err.toStdString();
        EXPECT_GT(clean.out.count('\n'), 1) << name.toStdString() << " has no clean Fs";
    }
}

TEST_F(PlanFileCliTest, UnusableFileIsBadUseNamingItAndWritesNothing) {
    QFile broken(PathOf("broken.qvplan"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(R"({"format": "quorvel-plan", "version": 1, "fs_mhz": "fast"})");
    broken.close();
    const std::pair<const char*, const char*> rows[] = {{"missing.qvplan", "there is no such file"},
                                                        {"broken.qvplan", "fs_mhz is a text"}};
    for (const auto& [name, reason] : rows) {
        const ProcessResult result =
            Run({"--plan", name, "--export-csv", "out.csv", "--save-plan", "out.qvplan"});
        EXPECT_EQ(result.exitCode, 2) << name;
        const std::string err = result.err.toStdString();
        EXPECT_NE(err.find(std::string("'") + name + "'"), std::string::npos) << err;
        EXPECT_NE(err.find(reason), std::string::npos) << err;
        EXPECT_EQ(Entries(), (QStringList{"broken.qvplan", "plan.qvplan"}));
    }
    // The window is not started either: a bad file ends the run before any display is needed.
    EXPECT_EQ(test::RunQuorvel({"missing.qvplan"}, dir_.path(), test::EnvironmentWithoutDisplay())
                  .exitCode,
              2);
}

// Long enough for any plan run; a run still going after it is one that waits for ever.
constexpr int kHangMs = 20000;

struct FifoRow {
    const char* name;
    QStringList args;
    bool display;
};

class FifoPlanTest : public PlanFileCliTest, public ::testing::WithParamInterface<FifoRow> {};

TEST_P(FifoPlanTest, IsRefusedAtOnceInOneLine) {
    ASSERT_EQ(mkfifo(PathOf("p.qvplan").toLocal8Bit().constData(), 0600), 0);
    const ProcessResult result =
        test::RunQuorvel(GetParam().args, dir_.path(),
                         GetParam().display ? QProcessEnvironment::systemEnvironment()
                                            : test::EnvironmentWithoutDisplay(),
                         kHangMs);
    EXPECT_EQ(result.exitCode, 2) << "a run that hangs is killed with -1";
    EXPECT_EQ(result.err,
              "quorvel: Cannot open the plan file 'p.qvplan': it is not a regular file (a "
              "pipe).\n");
    EXPECT_TRUE(result.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, FifoPlanTest,
    ::testing::Values(FifoRow{"Export", {"--plan", "p.qvplan", "--save-plan", "-"}, true},
                      FifoRow{"WindowWithoutDisplay", {"p.qvplan"}, false}),
    [](const auto& row) { return std::string(row.param.name); });

struct OverPlanRow {
    const char* name;
    QStringList args;
    QByteArray err;  ///< empty: the run succeeds and the plan is saved over
};

class OverThePlanTest : public PlanFileCliTest,
                        public ::testing::WithParamInterface<OverPlanRow> {};

TEST_P(OverThePlanTest, OnlySavingThePlanMayReplaceIt) {
    const QByteArray before = Contents("plan.qvplan");
    const ProcessResult result = Run(GetParam().args);
    EXPECT_EQ(result.exitCode, GetParam().err.isEmpty() ? 0 : 2);
    EXPECT_EQ(result.err, GetParam().err);
    EXPECT_EQ(Contents("plan.qvplan") == before, !GetParam().err.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OverThePlanTest,
    ::testing::Values(
        OverPlanRow{"CsvOverThePlan",
                    {"--plan", "plan.qvplan", "--export-csv", "plan.qvplan"},
                    "quorvel: 'plan.qvplan' and 'plan.qvplan' are the same file; each export "
                    "needs a file of its own\n"},
        OverPlanRow{"LinesOverThePlanByAnotherName",
                    {"plan.qvplan", "--export-lines", "./plan.qvplan", "--save-plan", "out.qvplan"},
                    "quorvel: 'plan.qvplan' and './plan.qvplan' are the same file; each export "
                    "needs a file of its own\n"},
        OverPlanRow{"PlanSavedBackOntoItself",
                    {"plan.qvplan", "--harmonics", "7", "--save-plan", "plan.qvplan"},
                    {}}),
    [](const auto& row) { return std::string(row.param.name); });

// QProcess passes arguments as text; the shell passes a name that is not UTF-8 as it is.
int RunInShell(const QTemporaryDir& dir, const std::string& args) {
    const std::string line = "cd '" + dir.path().toStdString() + "' && " QUORVEL_BINARY " " + args;
    return WEXITSTATUS(std::system(line.c_str()));
}

TEST_F(PlanFileCliTest, NameThatIsNotUtf8IsReadByItsBytes) {
    ASSERT_EQ(RunInShell(dir_, "--fs 1234 --save-plan 'caf\xe9.qvplan'"), 0);
    ASSERT_EQ(RunInShell(dir_, "--plan 'caf\xe9.qvplan' --save-plan back.qvplan"), 0);
    EXPECT_EQ(ReadPlanFile(PathOf("back.qvplan")).values->fs, 1234.0);
    EXPECT_EQ(RunInShell(dir_, "--plan 'gone\xe9.qvplan' --save-plan - 2>err.txt"), 2);
    EXPECT_EQ(Contents("err.txt"),
              "quorvel: Cannot open the plan file 'gone\\xe9.qvplan': there is no such file.\n");
}

}  // namespace
}  // namespace quorvel
