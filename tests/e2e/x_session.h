// A private X server (Xvfb) for one test suite, the program started in it, input through
// xdotool, and screenshots read back through the test's own connection to the server.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

namespace quorvel::test {

/// Output and status of a helper command.
struct CommandResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class XSession {
  public:
    /// Starts Xvfb on a free display (it picks the number) and connects this process to
    /// it for screenshots. Check `Error()` afterwards.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    /// Empty when the server is up; otherwise what went wrong.
    const QString& Error() const { return error_; }

    /// An environment for programs shown on this server.
    QProcessEnvironment Environment() const;

    /// Runs a command on this server and waits for it.
    CommandResult Run(const QString& program, const QStringList& args) const;

    /// Runs xdotool with `args`; true when it succeeded.
    bool XDoTool(const QStringList& args) const;

    /// The id of the visible window titled exactly `title`, waiting for it to appear.
    std::optional<QString> FindWindow(const QString& title) const;

    /// The window's client rectangle on the screen.
    std::optional<QRect> Geometry(const QString& window) const;

    /// A screenshot of `area` of the screen, as RGB32.
    QImage Grab(const QRect& area) const;

  private:
    std::unique_ptr<QProcess> server_;
    QTemporaryDir runtimeDir_;
    QString display_;
    QString error_;
};

/// Processes events until `condition` holds; false if it never does. The bound only keeps
/// a broken build from hanging the suite.
bool WaitFor(const std::function<bool()>& condition, int limitMs = 15000);

/// Saves `image` beside the test binary for a person to look at; returns the path.
QString SaveScreenshot(const QImage& image, const QString& name);

}  // namespace quorvel::test
