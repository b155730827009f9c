#include "x_session.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <csignal>

namespace quorvel::test {

namespace {

// The test's own connection to the server: made once, for the whole run, because Qt
// allows one application object per process.
QGuiApplication* g_application = nullptr;

void ConnectToServer(const QString& display, const QString& runtimeDir) {
    if (g_application != nullptr) {
        return;
    }
    qputenv("DISPLAY", display.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
    }
    static int argc = 1;
    static char name[] = "e2e_tests";
    static char* argv[] = {name, nullptr};
    g_application = new QGuiApplication(argc, argv);
}

// Reads the display number Xvfb writes to the pipe once it accepts connections.
std::optional<QString> ReadDisplayNumber(int fd, const QProcess& server) {
    QByteArray number;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000 && server.state() != QProcess::NotRunning) {
        char c = 0;
        const ssize_t got = read(fd, &c, 1);
        if (got == 1) {
            if (c == '\n') {
                return QStringLiteral(":") + QString::fromLatin1(number);
            }
            number.append(c);
        } else if (got == 0) {
            break;
        } else {
            QThread::msleep(10);
        }
    }
    return std::nullopt;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

XSession::XSession() : server_(std::make_unique<QProcess>()) {
    int fds[2] = {-1, -1};
    if (pipe(fds) != 0) {
        error_ = QStringLiteral("cannot make a pipe for Xvfb");
        return;
    }
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Should the test die without cleaning up, the server goes with it.
    server_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    server_->start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QString::number(fds[1]),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    close(fds[1]);
    if (!server_->waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start Xvfb (package xvfb; scripts/install-deps.sh)");
        close(fds[0]);
        return;
    }
    const std::optional<QString> display = ReadDisplayNumber(fds[0], *server_);
    close(fds[0]);
    if (!display) {
        error_ = QStringLiteral("Xvfb did not report a display");
        return;
    }
    display_ = *display;
    ConnectToServer(display_, runtimeDir_.path());
}

XSession::~XSession() {
    if (server_->state() != QProcess::NotRunning) {
        server_->terminate();
        server_->waitForFinished(5000);
    }
}

QProcessEnvironment XSession::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    return env;
}

CommandResult XSession::Run(const QString& program, const QStringList& args) const {
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(program, args);
    CommandResult result;
    result.finished = process.waitForFinished(20000);
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    return result;
}

bool XSession::XDoTool(const QStringList& args) const {
    const CommandResult result = Run(QStringLiteral("xdotool"), args);
    return result.finished && result.exitCode == 0;
}

std::optional<QString> XSession::FindWindow(const QString& title) const {
    std::optional<QString> found;
    WaitFor([&] {
        const CommandResult result =
            Run(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--name"), QStringLiteral("^%1$").arg(title)});
        const QString id =
            QString::fromLatin1(result.out).trimmed().section(QLatin1Char('\n'), 0, 0);
        if (result.exitCode == 0 && !id.isEmpty()) {
            found = id;
        }
        return found.has_value();
    });
    return found;
}

std::optional<QRect> XSession::Geometry(const QString& window) const {
    const CommandResult result =
        Run(QStringLiteral("xdotool"),
            {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    if (result.exitCode != 0) {
        return std::nullopt;
    }
    int values[4] = {-1, -1, -1, -1};
    const char* keys[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
    for (const QByteArray& line : result.out.split('\n')) {
        for (int i = 0; i < 4; ++i) {
            if (line.startsWith(keys[i])) {
                values[i] = line.mid(static_cast<qsizetype>(qstrlen(keys[i]))).toInt();
            }
        }
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

QImage XSession::Grab(const QRect& area) const {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString SaveScreenshot(const QImage& image, const QString& name) {
    QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
    const QString path = QStringLiteral(QUORVEL_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
    image.save(path);
    return path;
}

}  // namespace quorvel::test
