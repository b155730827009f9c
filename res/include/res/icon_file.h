// Writes a Windows icon file (.ico) from images: the icon group the resource script binds
// to IDR_MAINFRAME.
#pragma once

#include <QByteArray>
#include <QImage>
#include <span>

namespace quorvel {

/// One .ico holding every image at 32 bits per pixel (PNG-compressed entries). Images
/// larger than 256 pixels across cannot be described by the format and give an empty result.
QByteArray EncodeIconFile(std::span<const QImage> images);

}  // namespace quorvel
