// What the main window shows while minimised: the program's icon, centred.
#pragma once

#include <QPoint>
#include <QSize>

class QColor;
class QIcon;
class QPainter;

namespace quorvel {

/// Where an icon of `icon` size goes in a client area of `client` size:
/// ((w - iw + 1) / 2, (h - ih + 1) / 2), truncating toward zero.
QPoint MinimisedIconOrigin(QSize client, QSize icon);

/// Paints the minimised picture: the window background, then the icon at the standard
/// icon size (32 x 32) centred in `client`.
void PaintMinimisedIcon(QPainter& painter, QSize client, const QIcon& icon,
                        const QColor& background);

}  // namespace quorvel
