// The real program started on the suite's X server, with its main window found.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <memory>

#include "charts/marker_point.h"
#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"
#include "x_session.h"

namespace quorvel::test {

class QuorvelWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { s_session = new XSession(); }
    static void TearDownTestSuite() {
        delete s_session;
        s_session = nullptr;
    }

    void SetUp() override { StartQuorvel({}, QStringLiteral("Quorvel")); }

    /// Starts the program with `args` and finds its main window by its whole `title`.
    void StartQuorvel(const QStringList& args, const QString& title) {
        ASSERT_TRUE(s_session->Error().isEmpty()) << s_session->Error().toStdString();
        program_.setProcessEnvironment(s_session->Environment());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(QStringLiteral(QUORVEL_BINARY), args);
        ASSERT_TRUE(program_.waitForStarted(10000));
        const std::optional<QString> window = s_session->FindWindow(title);
        ASSERT_TRUE(window.has_value()) << "the main window did not appear";
        window_ = *window;
        const std::optional<QRect> geometry = s_session->Geometry(window_);
        ASSERT_TRUE(geometry.has_value());
        client_ = *geometry;
        // No window manager runs here, so the test gives the window the keyboard itself.
        ASSERT_TRUE(
            X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_}));
    }

    void TearDown() override {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished(5000);
        }
    }

    static const XSession& X() { return *s_session; }

    bool Keys(const QStringList& keys) const {
        QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")};
        args += keys;
        return X().XDoTool(args);
    }

    bool Type(const QString& text) const {
        return X().XDoTool(
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
    }

    /// A mouse click at client coordinates of the main window.
    bool Click(QPoint at, int button) const {
        return X().XDoTool({QStringLiteral("mousemove"), QStringLiteral("--sync"),
                            QString::number(client_.x() + at.x()),
                            QString::number(client_.y() + at.y()), QStringLiteral("click"),
                            QString::number(button)});
    }

    /// Waits for the question before closing a changed plan and answers it with `keys`;
    /// the main window has the keyboard again afterwards.
    bool AnswerUnsavedQuestion(const QStringList& keys) const {
        const std::optional<QString> box =
            X().FindWindow(QStringLiteral("Unsaved changes - Quorvel"));
        if (!box || !X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), *box})) {
            return false;
        }
        const bool answered = Keys(keys);
        X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_});
        return answered;
    }

    QImage Screenshot() const { return X().Grab(client_); }

    QRect ChartArea() const {
        return QRect(0, kControlStripHeight, client_.width(),
                     client_.height() - kControlStripHeight);
    }

    /// What the window's chart area must show for `plan` and `marker`, composed in this
    /// process.
    QImage Expected(PlanFields plan, MarkerPoint marker) const {
        return ComposeChartArea(plan, ChartArea().width(), ChartArea().height(), marker)
            .convertToFormat(QImage::Format_RGB32);
    }

    /// Waits until the window's chart area shows exactly the composition of `plan` with
    /// `marker`.
    ::testing::AssertionResult ChartsShow(const PlanFields& plan, const QString& name,
                                          MarkerPoint marker = {}) const {
        const QImage expected = Expected(plan, marker);
        QImage shown;
        const bool same = WaitFor([&] {
            shown = Screenshot().copy(ChartArea());
            return shown == expected;
        });
        const QString path = SaveScreenshot(Screenshot(), name);
        if (same) {
            return ::testing::AssertionSuccess();
        }
        SaveScreenshot(expected, name + QStringLiteral("-expected"));
        return ::testing::AssertionFailure()
               << "the chart area never showed the expected plan; see " << path.toStdString();
    }

    /// Waits for the program to end; its exit status, or -1 if it crashed or hung.
    int ExitStatus() {
        if (!program_.waitForFinished(15000) || program_.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return program_.exitCode();
    }

    QProcess program_;
    QString window_;
    QRect client_;

  private:
    static inline XSession* s_session = nullptr;
};

}  // namespace quorvel::test
