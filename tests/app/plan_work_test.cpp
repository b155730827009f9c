// The window's plan files, copy and export, and its menu button, under the offscreen
// platform: what a user does with the keyboard, checked against files and the render layer.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <bit>
#include <cerrno>
#include <memory>
#include <set>

#include "app/chart_export_actions.h"
#include "app/export_clean.h"
#include "app/export_csv.h"
#include "app/export_png.h"
#include "app/export_vector.h"
#include "app/plan_file_session.h"
#include "app/plan_history.h"
#include "app/plan_work_actions.h"
#include "app/save_name_dialog.h"
#include "charts/chart_area.h"
#include "dialog/clean_map_window.h"
#include "dialog/converter_window.h"
#include "dialog/spur_plan_dlg.h"
#include "dialog/spur_table_window.h"
#include "paint/paint_cycle.h"
#include "plan/clean_map_ranges.h"
#include "plan/spur_ledger.h"
#include "plan_file_put.h"
#include "planfile/plan_file.h"
#include "res/resource.h"
#include "widget_test_support.h"

namespace quorvel {
namespace {

using test::WaitUntil;

// Values the fields' own "%.15g" would not show exactly, and the slider on the IF.
PlanFileValues AwkwardPlan() {
    PlanFileValues values;
    values.fs = 3000.0000000000005;
    values.ifCentre = 1800.1;
    values.ifBw = 0.30000000000000004;
    values.rfBw = 400.0;
    values.harmonics = 14;
    values.sliderVariable = kSliderDrivesIf;
    values.finder.margin = 0.25;
    return values;
}

class PlanWorkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        saved = dir.filePath(QStringLiteral("saved.qvplan"));
        ASSERT_TRUE(test::PutPlanFile(saved, AwkwardPlan()));
    }

    // As the program starts: the command line has put the file's values in the fields.
    CSpurPlanDlg& Window(const QString& planFile = {}) {
        PlanFields initial;
        if (!planFile.isEmpty()) {
            ReadPlanFile(planFile).values->ApplyTo(initial);
        }
        dlg = std::make_unique<CSpurPlanDlg>(nullptr, initial);
        InstallPlanWork(*dlg, planFile);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return *dlg;
    }

    PlanFileSession& Session() const { return *dlg->findChild<PlanFileSession*>(); }

    static bool SamePlanValues(const PlanFields& shown, const PlanFileValues& values) {
        PlanFileValues got = PlanFileValues::FromPlan(shown);
        got.finder = values.finder;
        return got == values && std::bit_cast<std::uint64_t>(shown.m_ifBw) ==
                                    std::bit_cast<std::uint64_t>(*values.ifBw);
    }

    QTemporaryDir dir;
    QString saved;
    std::unique_ptr<CSpurPlanDlg> dlg;
};

TEST_F(PlanWorkTest, OpenChangeSaveAndReopenKeepTheExactPlan) {
    CSpurPlanDlg& window = Window();
    const QString caption = window.windowTitle();
    ASSERT_TRUE(Session().Open(saved));
    EXPECT_TRUE(SamePlanValues(window.Plan(), AwkwardPlan()));
    EXPECT_EQ(window.VariableCombo()->currentIndex(), kSliderDrivesIf);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("saved.qvplan[*] - ") + caption);
    EXPECT_FALSE(window.isWindowModified());

    test::TypeInto(*window.Edit(IDC_HARMONICS), QStringLiteral("9"));
    EXPECT_TRUE(window.isWindowModified());
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window.isWindowModified());

    PlanFileValues expected = AwkwardPlan();
    expected.harmonics = 9;
    EXPECT_EQ(ReadPlanFile(saved).values, expected);  // the finder's margin kept as it came
    Window(saved);
    EXPECT_TRUE(SamePlanValues(dlg->Plan(), expected));
    EXPECT_FALSE(dlg->isWindowModified());
}

struct BadOpenRow {
    const char* name;
    QByteArray text;  // empty: no file
    const char* reason;
};

class BadOpenTest : public PlanWorkTest, public ::testing::WithParamInterface<BadOpenRow> {};

TEST_P(BadOpenTest, TellsTheFileAndReasonAndKeepsThePlanAndFile) {
    CSpurPlanDlg& window = Window(saved);
    test::TypeInto(*window.Edit(IDC_FS), QStringLiteral("1234.5"));
    const PlanFields before = window.Plan();
    const QString path = dir.filePath(QStringLiteral("bad.qvplan"));
    if (!GetParam().text.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().text);
    }
    QString told;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        told = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_FALSE(Session().Open(path));
    EXPECT_TRUE(told.contains(QStringLiteral("'") + path + QStringLiteral("'")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QLatin1String(GetParam().reason))) << told.toStdString();
    EXPECT_EQ(window.Plan(), before);
    EXPECT_EQ(Session().path(), saved);
    EXPECT_TRUE(window.isWindowModified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadOpenTest,
    ::testing::Values(
        BadOpenRow{"Missing", {}, "no such file"},
        BadOpenRow{"Malformed", R"({"format": "quorvel-plan", "version": 1,)", "not valid JSON"},
        BadOpenRow{"ValueTheFieldRefuses",
                   R"({"format": "quorvel-plan", "version": 1, "harmonics": 2.5})",
                   "harmonics is 2.5"},
        BadOpenRow{"OtherFormat", R"({"format": "x", "version": 1})", "not \"quorvel-plan\""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(PlanWorkTest, NewerFileOpensWhatItCanAndSaysWhatWasIgnored) {
    const QString newer = dir.filePath(QStringLiteral("newer.qvplan"));
    QFile file(newer);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "quorvel-plan", "version": 3, "harmonics": 21, "colour": "red"})");
    file.close();
    CSpurPlanDlg& window = Window();
    QString told;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        told = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    ASSERT_TRUE(Session().Open(newer));
    EXPECT_EQ(window.Plan().m_harmonics, 21);
    EXPECT_TRUE(told.contains(QStringLiteral("'colour'"))) << told.toStdString();
    // Saved from the window, the file keeps what this version did not understand.
    window.TypeIntoField(IDC_HARMONICS, QStringLiteral("9"));
    ASSERT_TRUE(Session().Save());
    const PlanFileReading reread = ReadPlanFile(newer);
    ASSERT_TRUE(reread.values) << reread.error.toStdString();
    EXPECT_EQ(reread.values->harmonics, 9);
    EXPECT_EQ(reread.ignored, QStringList{QStringLiteral("colour")});
    EXPECT_EQ(reread.kept.value(QStringLiteral("colour")).toString(), QStringLiteral("red"));
}

struct CloseRow {
    const char* name;
    QMessageBox::StandardButton answer;
    bool closes;
    int savedHarmonics;
};

class UnsavedCloseTest : public PlanWorkTest, public ::testing::WithParamInterface<CloseRow> {};

TEST_P(UnsavedCloseTest, AsksBeforeClosingAChangedPlanFromAFile) {
    CSpurPlanDlg& window = Window(saved);
    test::TypeInto(*window.Edit(IDC_HARMONICS), QStringLiteral("7"));
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->text().contains(QStringLiteral("saved.qvplan"));
        box->button(GetParam().answer)->click();
    });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(asked);
    EXPECT_EQ(window.isVisible(), !GetParam().closes);
    EXPECT_EQ(ReadPlanFile(saved).values->harmonics, GetParam().savedHarmonics);
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedCloseTest,
                         ::testing::Values(CloseRow{"Save", QMessageBox::Save, true, 7},
                                           CloseRow{"Discard", QMessageBox::Discard, true, 14},
                                           CloseRow{"Cancel", QMessageBox::Cancel, false, 14}),
                         [](const auto& row) { return std::string(row.param.name); });

// A session of its own, with the answers and system calls a test gives it.
class OwnSessionTest : public PlanWorkTest {
  protected:
    PlanFileSession& Own(OutputSystemCalls calls = RealOutputSystemCalls(),
                         const PlanFields& initial = {}) {
        dlg = std::make_unique<CSpurPlanDlg>(nullptr, initial);
        PlanFilePrompts prompts;
        prompts.openName = [](QWidget*) { return QString(); };
        prompts.saveName = [this](QWidget*, const QString&) { return saveName; };
        prompts.askToSave = [this](QWidget*, const QString& question) {
            questions << question;
            return answer;
        };
        prompts.warn = [this](QWidget*, const QString& message) { warnings << message; };
        prompts.inform = [](QWidget*, const QString&) {};
        own = new PlanFileSession(*dlg, prompts, calls);
        dlg->show();
        return *own;
    }

    PlanFileSession* own = nullptr;
    QString saveName;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QStringList questions;
    QStringList warnings;
};

// Each step of a save that a full disk, a failing device or a refused rename can stop.
SystemError WriteOnFullDisk(OutputHandle /*file*/, const char* /*data*/, std::size_t /*size*/,
                            std::size_t& /*written*/) {
    return ENOSPC;
}
SystemError SyncFails(OutputHandle /*file*/) {
    return EIO;
}
SystemError RenameRefused(const std::string& /*from*/, const std::string& /*to*/) {
    return EROFS;
}
const OutputSystemCalls kReal = RealOutputSystemCalls();

struct FailedSaveRow {
    const char* name;
    OutputSystemCalls calls;
    const char* reason;
};

class FailedSaveTest : public OwnSessionTest,
                       public ::testing::WithParamInterface<FailedSaveRow> {};

TEST_P(FailedSaveTest, KeepsTheFileAndTheMarkAndTheWindowAndSaysWhy) {
    PlanFileSession& session = Own(GetParam().calls);
    ASSERT_TRUE(session.Open(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    test::TypeInto(*dlg->Edit(IDC_FS), QStringLiteral("2900"));

    EXPECT_FALSE(session.Save());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("saved.qvplan'")));
    EXPECT_TRUE(warnings[0].endsWith(QLatin1String(GetParam().reason) + QLatin1Char('.')))
        << warnings[0].toStdString();
    EXPECT_TRUE(dlg->isWindowModified());
    // The close question's Save fails the same way and the window stays open.
    answer = QMessageBox::Save;
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(warnings.size(), 2);

    file.seek(0);
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("saved.qvplan")});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedSaveTest,
    ::testing::Values(FailedSaveRow{"Write",
                                    {WriteOnFullDisk, kReal.flush, kReal.close, kReal.replace},
                                    "No space left on device"},
                      FailedSaveRow{"Flush",
                                    {kReal.write, SyncFails, kReal.close, kReal.replace},
                                    "Input/output error"},
                      FailedSaveRow{"Commit",
                                    {kReal.write, kReal.flush, kReal.close, RenameRefused},
                                    "Read-only file system"}),
    [](const auto& row) { return std::string(row.param.name); });

struct UntitledCloseRow {
    const char* name;
    std::vector<QString> typedFs;
    QMessageBox::StandardButton answer;
    bool asked;
    bool closes;
};

class UntitledCloseTest : public OwnSessionTest,
                          public ::testing::WithParamInterface<UntitledCloseRow> {};

TEST_P(UntitledCloseTest, AsksOnlyWhenThePlanDiffersFromTheOneItStartedWith) {
    Own();
    for (const QString& fs : GetParam().typedFs) {
        test::TypeInto(*dlg->Edit(IDC_FS), fs);
    }
    answer = GetParam().answer;
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_EQ(questions.size(), GetParam().asked ? 1 : 0);
    EXPECT_EQ(dlg->isVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, UntitledCloseTest,
    ::testing::Values(
        UntitledCloseRow{"Unchanged", {}, QMessageBox::Cancel, false, true},
        UntitledCloseRow{"TypedBack", {"1000", "737.28"}, QMessageBox::Cancel, false, true},
        UntitledCloseRow{"ChangedCancel", {"1000"}, QMessageBox::Cancel, true, false},
        UntitledCloseRow{"ChangedDiscard", {"1000"}, QMessageBox::Discard, true, true},
        // Save asks for a name; cancelling that keeps the window and the typing.
        UntitledCloseRow{"ChangedSaveNoName", {"1000"}, QMessageBox::Save, true, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(OwnSessionTest, AHarmonicCountThePaintLowersIsNoChange) {
    Own(RealOutputSystemCalls(), PlanFields{.m_harmonics = 40});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    QTest::mouseClick(dlg.get(), Qt::RightButton, {}, QPoint(300, 250));
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(OwnSessionTest, UntitledPlanSavedFromTheCloseQuestionIsWrittenThenCloses) {
    Own();
    test::TypeInto(*dlg->Edit(IDC_FS), QStringLiteral("1000"));
    saveName = dir.filePath(QStringLiteral("new.qvplan"));
    answer = QMessageBox::Save;
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(ReadPlanFile(saveName).values->fs, 1000.0);
}

TEST_F(OwnSessionTest, APipeIsWrittenWhereItIsAndOneNobodyReadsIsRefusedAtOnce) {
    PlanFileSession& session = Own();
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("plan.fifo")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    saveName = QFile::decodeName(fifo);
    EXPECT_FALSE(session.SaveAs());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("plan.fifo'"))) << warnings[0].toStdString();

    const int reader = open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    test::TypeInto(*dlg->Edit(IDC_FS), QStringLiteral("1000"));
    EXPECT_TRUE(session.SaveAs());
    char text[4096];
    const ssize_t got = read(reader, text, sizeof text);
    close(reader);
    EXPECT_TRUE(QByteArray(text, got > 0 ? got : 0).contains("\"fs_mhz\": 1000"));
    struct stat file {};
    ASSERT_EQ(stat(fifo.constData(), &file), 0);
    EXPECT_TRUE(S_ISFIFO(file.st_mode));
}

TEST_F(OwnSessionTest, FinderSettingsComeFromTheFileMarkTheChangeAndAreSaved) {
    PlanFileSession& session = Own();
    ASSERT_TRUE(session.Open(saved));
    EXPECT_EQ(dlg->Finder(), AwkwardPlan().finder);
    FinderSettings finder = dlg->Finder();
    finder.fsRange = FrequencyInterval{400.0, 1500.0};
    finder.against = Against::kIf;
    dlg->SetFinder(finder);
    EXPECT_TRUE(dlg->isWindowModified());
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(ReadPlanFile(saved).values->finder, finder);
}

TEST_F(OwnSessionTest, ConverterModelComesFromTheFileMarksTheChangeAndIsSaved) {
    PlanFileValues withModel = AwkwardPlan();
    withModel.model = SpurModel{.interleave = 4, .interferers = {{2400.0, 80.0, 2}}};
    const QString modelled = dir.filePath(QStringLiteral("modelled.qvplan"));
    ASSERT_TRUE(test::PutPlanFile(modelled, withModel));
    PlanFileSession& session = Own();
    ASSERT_TRUE(session.Open(modelled));
    EXPECT_EQ(dlg->Model(), *withModel.model);
    EXPECT_FALSE(dlg->isWindowModified());
    SpurModel model = dlg->Model();
    model.interleave = 8;
    dlg->SetModel(model);
    EXPECT_TRUE(dlg->isWindowModified());
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(ReadPlanFile(modelled).values->model, model);
    ASSERT_TRUE(session.Open(saved));  // a file without a model is a plan without one
    EXPECT_EQ(dlg->Model(), SpurModel{});
}

TEST_F(PlanWorkTest, TheMapOpensWithTheFilesFinderSettingsAndItsChangesAreSaved) {
    CSpurPlanDlg& window = Window(saved);
    InstallCleanMap(window);
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    auto* map = window.findChild<CleanMapWindow*>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->MarginEdit()->text(), QStringLiteral("0.25"));
    EXPECT_FALSE(window.isWindowModified());
    test::TypeInto(*map->MarginEdit(), QStringLiteral("2.5"));
    EXPECT_TRUE(window.isWindowModified());
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadPlanFile(saved).values->finder.margin, 2.5);
}

TEST_F(PlanWorkTest, SaveAsAsksBeforeReplacingAFileNamedWithoutItsExtension) {
    QString question;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(dir.path());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("saved"));
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                question = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        QTest::keyClick(name, Qt::Key_Return);
        dialog->reject();
    });
    EXPECT_TRUE(StandardPlanFilePrompts().saveName(nullptr, {}).isEmpty());
    EXPECT_TRUE(question.contains(QStringLiteral("saved.qvplan"))) << question.toStdString();
}

TEST_F(PlanWorkTest, CopiedChartIsTheComposedChartArea) {
    CSpurPlanDlg& window = Window();
    test::TypeInto(*window.Edit(IDC_FS), QStringLiteral("1000"));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 250));
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(window.Marker(), (MarkerPoint{300, 250}));  // the copy carries the readout
    const QImage composed = ComposeChartArea(
        window.Plan(), window.width(), window.height() - kControlStripHeight, window.Marker());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), composed);
}

TEST(WindowExportTest, NameAndFilterChooseTheExport) {
    const QStringList filters = WindowExportFilters();
    const struct {
        const char* path;
        int filter;  // -1: none chosen
        std::optional<WindowExport> kind;
    } rows[] = {{"a.png", 2, WindowExport::kChartPng}, {"a.PNG", -1, WindowExport::kChartPng},
                {"a.csv", 0, WindowExport::kBandCsv},  {"a.csv", 2, WindowExport::kLineCsv},
                {"a.csv", -1, WindowExport::kBandCsv}, {"a", 2, WindowExport::kLineCsv},
                {"a", 0, WindowExport::kChartPng},     {"a.txt", -1, std::nullopt}};
    for (const auto& row : rows) {
        const QString filter = row.filter < 0 ? QString() : filters[row.filter];
        EXPECT_EQ(WindowExportFor(QString::fromLatin1(row.path), filter), row.kind)
            << row.path << " " << row.filter;
    }
    // Every filter, with or without its own extension, gives an export of its own.
    std::set<WindowExport> kinds;
    for (const QString& filter : filters) {
        const QString suffix = filter.section(QStringLiteral("*."), 1).chopped(1);
        const auto named = WindowExportFor(QStringLiteral("a.") + suffix, filter);
        ASSERT_TRUE(named) << filter.toStdString();
        EXPECT_EQ(WindowExportFor(QStringLiteral("a"), filter), named);
        kinds.insert(*named);
    }
    EXPECT_EQ(kinds.size(), static_cast<std::size_t>(filters.size()));
}

TEST_F(PlanWorkTest, ExportsAreTheCommandLinesBytes) {
    CSpurPlanDlg& window = Window(saved);
    const QString csv = dir.filePath(QStringLiteral("lines.csv"));
    ASSERT_EQ(ExportFromWindow(window, WindowExport::kLineCsv, csv), std::nullopt);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), AliasLineCsv(window.Plan()));

    const QString png = dir.filePath(QStringLiteral("chart.png"));
    ASSERT_EQ(ExportFromWindow(window, WindowExport::kChartPng, png), std::nullopt);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              ComposeChartArea(window.Plan(), window.width(), window.height() - kControlStripHeight,
                               window.Marker()));

    // The ledger, the clean intervals over the map's ranges, the map and the spectrum are the
    // command line's bytes for the window's plan, finder settings and model.
    SpurModel model;
    model.interleave = 4;
    window.SetModel(model);
    FinderSettings finder;
    finder.ifRange = FrequencyInterval{100.0, 300.0};
    finder.margin = 1.5;
    window.SetFinder(finder);
    const CleanExportRanges ranges = WindowCleanRanges(window);
    EXPECT_EQ(ranges.ifc, *finder.ifRange);
    EXPECT_EQ(ranges.fs, DefaultCleanMapRanges(window.Plan()).fs);
    const auto exported = [&](WindowExport kind) {
        const QString path = dir.filePath(QStringLiteral("out"));
        EXPECT_EQ(ExportFromWindow(window, kind, path), std::nullopt);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::ReadOnly));
        return out.readAll();
    };
    const SpurQuery query(Against::kBoth, 1.5, model);
    const PlanFields plan = window.Plan();
    EXPECT_EQ(exported(WindowExport::kSpurLedgerCsv).toStdString(),
              SpurLedgerCsv(BuildSpurLedger(plan, model), model));
    EXPECT_EQ(exported(WindowExport::kCleanFsCsv).toStdString(),
              std::get<std::string>(CleanFsCsv(plan, ranges.fs, query)));
    EXPECT_EQ(exported(WindowExport::kCleanIfCsv).toStdString(),
              std::get<std::string>(CleanIfCsv(plan, ranges.ifc, query)));
    EXPECT_EQ(exported(WindowExport::kCleanMapPng),
              std::get<QByteArray>(CleanMapPng(plan, ranges.fs, ranges.ifc, query,
                                               kDefaultCleanMapWidth, kDefaultCleanMapHeight)));
    EXPECT_EQ(exported(WindowExport::kSpectrumPng),
              *SpectrumPng(plan, model, kDefaultSpectrumWidth, kDefaultSpectrumHeight));

    // The light theme, from the menu, goes into the images exported and copied.
    QAction* light = window.findChild<QAction*>(QStringLiteral("lightTheme"));
    ASSERT_NE(light, nullptr);
    ASSERT_EQ(ExportFromWindow(window, WindowExport::kChartPng, png), std::nullopt);
    EXPECT_EQ(QImage(png).pixel(1, 1), qRgb(0, 0, 0));
    light->trigger();
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixel(1, 1), qRgb(255, 255, 255));
    const QString svg = dir.filePath(QStringLiteral("chart.svg"));
    ASSERT_EQ(ExportFromWindow(window, WindowExport::kChartSvg, svg, Theme::kLight), std::nullopt);
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(svgFile.readAll(),
              *ChartAreaSvg(window.Plan(), window.width(), window.height() - kControlStripHeight,
                            std::nullopt, Theme::kLight));

    test::TypeInto(*window.Edit(IDC_FS), QStringLiteral("0"));
    const auto refused = ExportFromWindow(window, WindowExport::kBandCsv, csv);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QStringLiteral("No band table or alias lines")));
    EXPECT_EQ(ExportFromWindow(window, WindowExport::kChartPng, png), std::nullopt);
}

TEST_F(PlanWorkTest, MenuListsEveryActionWithItsShortcutInTheStripsFreeSpace) {
    CSpurPlanDlg& window = Window();
    // An action added after the menu button, as other windows of the program add theirs.
    auto* later = new QAction(QStringLiteral("Spur table..."), &window);
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    window.addAction(later);

    auto* button = window.findChild<QToolButton*>(QStringLiteral("actionMenu"));
    ASSERT_NE(button, nullptr);
    emit button->menu()->aboutToShow();
    QStringList shown;
    for (const QAction* action : button->menu()->actions()) {
        shown.append(action->text() + QLatin1Char('\t') +
                     action->shortcut().toString(QKeySequence::PortableText));
    }
    EXPECT_EQ(shown,
              (QStringList{"Open plan...\tCtrl+O", "Save plan\tCtrl+S",
                           "Save plan as...\tCtrl+Shift+S", "Copy chart\tCtrl+Shift+C",
                           "Export...\tCtrl+E", "Light theme for exports\t", "About Quorvel...\tF1",
                           "Undo\tCtrl+Z", "Redo\tCtrl+Shift+Z", "Spur table...\tCtrl+T"}));

    const QRect strip(0, 0, window.width(), kControlStripHeight);
    EXPECT_TRUE(strip.contains(button->geometry()));
    // Shrunk as far as it goes, the window keeps the whole strip.
    window.resize(100, 100);
    EXPECT_GT(window.width(), button->geometry().right());
    EXPECT_GT(window.height(), kControlStripHeight);
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != button && control->isVisible()) {
            EXPECT_FALSE(control->geometry().intersects(button->geometry()))
                << control->metaObject()->className();
        }
    }
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// The keyboard reaches everything: F10 opens the menu, the main window's shortcuts work
// from a side window with a field focused, and Escape or Ctrl+W closes a side window.
TEST_F(PlanWorkTest, SideWindowsTakeTheMainShortcutsAndCloseFromTheKeyboard) {
    CSpurPlanDlg& window = Window(saved);
    InstallSpurTable(window);
    InstallCleanMap(window);
    InstallConverterWindow(window);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
    auto* converter = window.findChild<ConverterWindow*>();
    ASSERT_NE(converter, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(converter));
    converter->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(converter));
    QLineEdit* cores = converter->InterleaveEdit();
    cores->setFocus();
    test::PasteInto(*cores, QStringLiteral("4"));
    EXPECT_TRUE(window.isWindowModified());
    // Ctrl+K would cut the field's text; Ctrl+M and Ctrl+S are the main window's.
    QTest::keyClick(cores, Qt::Key_M, Qt::ControlModifier);
    auto* map = window.findChild<CleanMapWindow*>();
    ASSERT_NE(map, nullptr);
    QTest::keyClick(cores, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(ReadPlanFile(saved).values->model->interleave, 4);

    map->activateWindow();
    ASSERT_TRUE(WaitUntil([map] { return QApplication::activeWindow() == map; }));
    map->setGeometry(QRect(40, 60, 700, 520));
    const QRect placed = map->geometry();
    QTest::keyClick(map->MarginEdit(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(map->isVisible());
    // Opened again, it comes back where and as large as it was left.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->geometry(), placed);
    map->close();
    converter->activateWindow();
    ASSERT_TRUE(WaitUntil([converter] { return QApplication::activeWindow() == converter; }));
    QTest::keyClick(cores, Qt::Key_Escape);
    EXPECT_FALSE(converter->isVisible());
    EXPECT_TRUE(window.isVisible());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* button = window.findChild<QToolButton*>(QStringLiteral("actionMenu"));
    bool menuShown = false;
    QTimer::singleShot(0, [button, &menuShown] {
        menuShown = button->menu()->isVisible();
        button->menu()->close();
    });
    QTest::keyClick(&window, Qt::Key_F10);
    EXPECT_TRUE(menuShown);
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

QAction* ActionNamed(CSpurPlanDlg& window, const QString& start) {
    for (QAction* action : window.actions()) {
        if (action->text().startsWith(start)) {
            return action;
        }
    }
    return nullptr;
}

// Each kind of change is one step: a number typed key by key, a slider drag, a file opened
// (several fields at once) and a converter change; Undo walks back through them and Redo
// forward again, to the exact plan.
TEST_F(PlanWorkTest, UndoAndRedoStepThroughEditsADragAFileAndTheModel) {
    CSpurPlanDlg& window = Window();
    const PlanFields start = window.Plan();
    const auto settle = [] { QCoreApplication::processEvents(); };
    test::TypeInto(*window.Edit(IDC_HARMONICS), QStringLiteral("12"));
    settle();
    const PlanFields typed = window.Plan();
    for (int step = 1; step <= 5; ++step) {
        window.Slider()->setValue(window.Slider()->value() + 10);
        settle();
    }
    const PlanFields dragged = window.Plan();
    ASSERT_NE(dragged.m_fs, typed.m_fs);
    ASSERT_TRUE(Session().Open(saved));
    settle();
    const PlanFields opened = window.Plan();
    window.SetModel(SpurModel{.interleave = 4});
    settle();

    QAction* undo = ActionNamed(window, QStringLiteral("Undo"));
    QAction* redo = ActionNamed(window, QStringLiteral("Redo"));
    ASSERT_TRUE(undo && redo);
    undo->trigger();
    EXPECT_EQ(window.Model(), SpurModel{});
    EXPECT_EQ(window.Plan(), opened);
    undo->trigger();
    EXPECT_EQ(window.Plan(), dragged);
    undo->trigger();
    EXPECT_EQ(window.Plan(), typed);
    undo->trigger();
    EXPECT_EQ(window.Plan(), start);
    EXPECT_FALSE(undo->isEnabled());
    for (int i = 0; i < 4; ++i) {
        redo->trigger();
    }
    EXPECT_EQ(window.Plan(), opened);
    EXPECT_EQ(window.Model().interleave, 4);
    EXPECT_FALSE(redo->isEnabled());

    // With typing of its own to undo, a field keeps Ctrl+Z: the plan's history does not
    // step back, the field's typing is undone (and that is a step of its own).
    QLineEdit& rf = *window.Edit(IDC_RF_BW);
    test::TypeInto(rf, QStringLiteral("77"));
    settle();
    const QUndoStack& stack = window.findChild<PlanHistory*>()->Stack();
    const int steps = stack.index();
    QTest::keyClick(&rf, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_NE(rf.text(), QStringLiteral("77"));
    EXPECT_GE(stack.index(), steps);
}

}  // namespace
}  // namespace quorvel
