// Helpers for driving widgets the way a user does, under the offscreen platform.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <functional>

namespace quorvel::test {

/// Processes events until `condition` holds; false if it never does (a generous bound
/// keeps a broken build from hanging the suite; no test relies on the time itself).
inline bool WaitUntil(const std::function<bool()>& condition, int limitMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

/// Replaces the text of `edit` by typing: select all, then the keys (an empty text is a
/// Backspace over the selection). Each key raises its own change, as at the keyboard.
inline void TypeInto(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(&edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(&edit, text);
    }
}

/// Replaces the text of `edit` in one change, as a paste over the selection does.
inline void PasteInto(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    edit.insert(text);
}

/// The widget as it would appear on screen, `area` of it, as RGB32.
inline QImage Grab(QWidget& widget, const QRect& area) {
    return widget.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace quorvel::test
