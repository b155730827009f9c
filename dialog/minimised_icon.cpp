#include "dialog/minimised_icon.h"

#include <QColor>
#include <QIcon>
#include <QPainter>

namespace quorvel {

namespace {
constexpr int kStandardIconSize = 32;
}

QPoint MinimisedIconOrigin(QSize client, QSize icon) {
    return {(client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2};
}

void PaintMinimisedIcon(QPainter& painter, QSize client, const QIcon& icon,
                        const QColor& background) {
    painter.fillRect(QRect(QPoint(0, 0), client), background);
    const QSize size(kStandardIconSize, kStandardIconSize);
    painter.drawPixmap(MinimisedIconOrigin(client, size), icon.pixmap(size));
}

}  // namespace quorvel
