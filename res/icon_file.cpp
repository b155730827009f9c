#include "res/icon_file.h"

#include <QBuffer>
#include <QDataStream>
#include <vector>

namespace quorvel {

namespace {

constexpr int kDirectoryHeaderBytes = 6;
constexpr int kDirectoryEntryBytes = 16;
constexpr int kMaxIconSide = 256;

// In a directory entry 0 stands for 256.
quint8 SideByte(int side) {
    return static_cast<quint8>(side == kMaxIconSide ? 0 : side);
}

}  // namespace

QByteArray EncodeIconFile(std::span<const QImage> images) {
    std::vector<QByteArray> payloads;
    for (const QImage& image : images) {
        if (image.isNull() || image.width() > kMaxIconSide || image.height() > kMaxIconSide) {
            return {};
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
            return {};
        }
        payloads.push_back(png);
    }

    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto count = static_cast<quint16>(payloads.size());
    out << quint16{0} << quint16{1} << count;  // reserved, type 1 = icon, image count
    auto offset = static_cast<quint32>(kDirectoryHeaderBytes + kDirectoryEntryBytes * count);
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        const QImage& image = images[i];
        out << SideByte(image.width()) << SideByte(image.height()) << quint8{0} << quint8{0}
            << quint16{1} << quint16{32} << static_cast<quint32>(payloads[i].size()) << offset;
        offset += static_cast<quint32>(payloads[i].size());
    }
    for (const QByteArray& png : payloads) {
        out.writeRawData(png.constData(), static_cast<int>(png.size()));
    }
    return file;
}

}  // namespace quorvel
