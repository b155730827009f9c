// Renders the program's icon into res/icons: one PNG per size for the desktop and the
// embedded resource, and quorvel.ico (16 and 32) for the Windows resource script.
// Usage: quorvel_render_icons <output folder>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <vector>

#include "res/icon_file.h"
#include "res/main_frame_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quorvel_render_icons <output folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : quorvel::kIconSizes) {
        const QString path = folder.filePath(QStringLiteral("quorvel-%1.png").arg(size));
        if (!quorvel::DrawMainFrameIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::vector<QImage> group;
    for (const int size : quorvel::kIconGroupSizes) {
        group.push_back(quorvel::DrawMainFrameIcon(size));
    }
    QFile ico(folder.filePath(QStringLiteral("quorvel.ico")));
    const QByteArray bytes = quorvel::EncodeIconFile(group);
    if (bytes.isEmpty() || !ico.open(QIODevice::WriteOnly) || ico.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
