// The bench capture of the 3 GS/s example opened in the folded-spectrum window, as the
// program reads it: Ctrl+O there opens a measured spectrum (not a plan), its peaks are named
// on the chart, a click or a typed frequency lists the members there, and a file refused
// leaves the trace shown.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "app/chart_export_actions.h"
#include "app/measured_spectrum_prompts.h"
#include "app/plan_work_actions.h"
#include "dialog/field_mark.h"
#include "dialog/spectrum_window.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/spectrum_image.h"
#include "planfile/plan_file.h"
#include "widget_test_support.h"

namespace quorvel {
namespace {

using test::WaitUntil;

const QDir kExamples(QStringLiteral(QUORVEL_EXAMPLES));

class MeasuredSpectrumWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString plan = kExamples.filePath(QStringLiteral("rf-sampling-4way-3gsps.qvplan"));
        PlanFields initial;
        const PlanFileReading reading = ReadPlanFile(plan);
        ASSERT_TRUE(reading.values);
        reading.values->ApplyTo(initial);
        dlg = std::make_unique<CSpurPlanDlg>(nullptr, initial);
        dlg->SetModel(*reading.values->model);
        InstallPlanWork(*dlg, plan);
        MeasuredSpectrumPrompts prompts = StandardMeasuredSpectrumPrompts();
        prompts.openName = [this](QWidget*) {
            ++asked;
            return next;
        };
        prompts.warn = [this](QWidget*, const QString& message) { warnings << message; };
        InstallSpectrumWindow(*dlg, prompts);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::keyClick(dlg.get(), Qt::Key_F, Qt::ControlModifier);
        window = dlg->findChild<SpectrumWindow*>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == window; }));
        OpenWithKey(kExamples.filePath(QStringLiteral("bench-capture-4way-3gsps.csv")));
        ASSERT_TRUE(window->Measured());
    }

    // Ctrl+O with the focus in one of the window's fields. Were it the main window's Open
    // plan, its file dialog would wait for ever: closing it makes the test fail instead.
    void OpenWithKey(const QString& path) {
        next = path;
        QTimer::singleShot(2000, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        QTest::keyClick(window->ThresholdEdit(), Qt::Key_O, Qt::ControlModifier);
    }

    std::vector<std::string> PeakLabels() const {
        std::vector<std::string> labels;
        for (const PeakMark& mark : window->Canvas()->Overlay()->peaks) {
            labels.push_back(mark.label);
        }
        return labels;
    }

    // The canvas as shown is the spectrum composed with the trace and peaks.
    bool ShowsTheTrace() const {
        SpectrumCanvas& canvas = *window->Canvas();
        const QImage composed = ComposeSpectrum(canvas.Layout(), canvas.Overlay())
                                    .convertToFormat(QImage::Format_RGB32);
        return WaitUntil([&] { return test::Grab(canvas, canvas.rect()) == composed; });
    }

    QStringList Members() const {
        QStringList members;
        for (int row = 0; row < window->CandidateTable()->rowCount(); ++row) {
            members << window->CandidateTable()->item(row, 0)->text();
        }
        return members;
    }

    QTemporaryDir dir;
    std::unique_ptr<CSpurPlanDlg> dlg;
    SpectrumWindow* window = nullptr;
    QString next;
    int asked = 0;
    QStringList warnings;
};

TEST_F(MeasuredSpectrumWindowTest, NamesThePeaksOnTheChartAndSumsThemUp) {
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window->Measured()->mhz.size(), 14746u);
    // 370.7 H3 7 dB above its plan, 600 nothing, 735.9 H2, 737.3 Fs/4, 1106.6 the signal.
    EXPECT_EQ(PeakLabels(), (std::vector<std::string>{"H3 +7 dB", "?", "H2", "Fs/4", "signal"}));
    EXPECT_TRUE(ShowsTheTrace());
    EXPECT_EQ(window->Summary()->toPlainText().toStdString(),
              PeakSummary(window->Peaks(), dlg->Model()));

    // A threshold that will not do is marked and changes nothing; 30 dB leaves Fs/4 out.
    test::TypeInto(*window->ThresholdEdit(), QStringLiteral("ten"));
    EXPECT_TRUE(IsFieldMarked(*window->ThresholdEdit()));
    EXPECT_EQ(window->Peaks().size(), 5u);
    test::TypeInto(*window->ThresholdEdit(), QStringLiteral("30"));
    EXPECT_FALSE(IsFieldMarked(*window->ThresholdEdit()));
    EXPECT_EQ(PeakLabels(), (std::vector<std::string>{"H3 +7 dB", "?", "H2", "signal"}));

    // The peaks follow the model: without interleaving nothing lands at Fs/4.
    SpurModel model = dlg->Model();
    model.interleave = 1;
    dlg->SetModel(model);
    EXPECT_EQ(PeakLabels(), (std::vector<std::string>{"H3 +7 dB", "?", "H2", "signal"}));
    test::TypeInto(*window->ThresholdEdit(), QStringLiteral("10"));
    EXPECT_EQ(PeakLabels(), (std::vector<std::string>{"H3 +7 dB", "?", "H2", "?", "signal"}));
    EXPECT_TRUE(ShowsTheTrace());

    // Exported from the main window, the spectrum is the one this window shows, trace,
    // marks and names included.
    const QString png = dir.filePath(QStringLiteral("spectrum.png"));
    ASSERT_EQ(ExportFromWindow(*dlg, WindowExport::kSpectrumPng, png), std::nullopt);
    const SpectrumCanvas& canvas = *window->Canvas();
    EXPECT_EQ(
        QImage(png).convertToFormat(QImage::Format_RGB32),
        ComposeSpectrum(canvas.Layout(), canvas.Overlay()).convertToFormat(QImage::Format_RGB32));

    window->ClearMeasuredAction()->trigger();
    EXPECT_FALSE(window->Measured());
    EXPECT_EQ(window->Canvas()->Overlay(), nullptr);
}

TEST_F(MeasuredSpectrumWindowTest, AClickedPeakOrATypedFrequencyListsEveryMemberThere) {
    const auto click = [this](const std::string& label) {
        for (const PeakMark& mark : window->Canvas()->Overlay()->peaks) {
            if (mark.label == label) {
                QTest::mouseClick(window->Canvas(), Qt::LeftButton, {},
                                  QPoint(mark.x + 2, mark.y - 4));
                return;
            }
        }
        ADD_FAILURE() << "no peak named " << label;
    };
    click("?");
    EXPECT_EQ(window->FrequencyEdit()->text(), QStringLiteral("600"));
    EXPECT_TRUE(window->CandidateCaption()->text().startsWith(QStringLiteral("No member")));
    EXPECT_EQ(window->CandidateTable()->rowCount(), 0);
    click("H3 +7 dB");
    EXPECT_EQ(window->FrequencyEdit()->text(), QStringLiteral("370.7"));
    ASSERT_EQ(Members(), QStringList{QStringLiteral("H3")});
    EXPECT_EQ(window->CandidateTable()->item(0, 2)->text(), QStringLiteral("+0.040"));
    EXPECT_EQ(window->CandidateTable()->item(0, 3)->text(), QStringLiteral("-73"));

    // Units typed in both fields; nearest first.
    test::TypeInto(*window->ToleranceEdit(), QStringLiteral("2 MHz"));
    test::TypeInto(*window->FrequencyEdit(), QStringLiteral("0.737 GHz"));
    EXPECT_EQ(Members(), (QStringList{QStringLiteral("Fs/4"), QStringLiteral("H2"),
                                      QStringLiteral("2f + Fs/2")}));
    // Text that is no frequency is marked, and the list stays.
    test::TypeInto(*window->FrequencyEdit(), QStringLiteral("737 parsecs"));
    EXPECT_TRUE(IsFieldMarked(*window->FrequencyEdit()));
    EXPECT_EQ(Members().size(), 3);
}

TEST_F(MeasuredSpectrumWindowTest, AFileRefusedIsToldAtItsLineAndTheTraceStays) {
    const QString bad = dir.filePath(QStringLiteral("capture.csv"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("frequency_mhz,level_dbfs\n1,-100\n2,-101\n1.5,-90\n");
    file.close();
    OpenWithKey(bad);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("capture.csv'")));
    EXPECT_TRUE(warnings[0].contains(QStringLiteral(": line 4: ")));
    EXPECT_EQ(window->Measured()->mhz.size(), 14746u);
    EXPECT_EQ(window->Peaks().size(), 5u);
    EXPECT_TRUE(ShowsTheTrace());
}

}  // namespace
}  // namespace quorvel
