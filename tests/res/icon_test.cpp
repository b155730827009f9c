// The icon files shipped in res/icons are what the drawing code draws, at 32 bits per
// pixel, and the Windows icon group holds the 16 and 32 pixel images.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

#include "res/icon_file.h"
#include "res/main_frame_icon.h"

namespace quorvel {
namespace {

QString IconPath(const QString& name) {
    return QStringLiteral(QUORVEL_SOURCE_DIR "/res/icons/") + name;
}

// Largest difference of any channel of any pixel; the PNG round trip un-premultiplies.
int LargestDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

class IconFileTest : public ::testing::TestWithParam<int> {};

TEST_P(IconFileTest, MatchesItsDrawingCode) {
    const int size = GetParam();
    const QImage shipped(IconPath(QStringLiteral("quorvel-%1.png").arg(size)));
    ASSERT_FALSE(shipped.isNull()) << "run the quorvel_icons_update target";
    ASSERT_EQ(shipped.size(), QSize(size, size));
    EXPECT_TRUE(shipped.hasAlphaChannel());
    EXPECT_EQ(shipped.depth(), 32);
    EXPECT_LE(LargestDifference(shipped, DrawMainFrameIcon(size)), 2)
        << "res/icons is out of date: run the quorvel_icons_update target";
}

INSTANTIATE_TEST_SUITE_P(EverySize, IconFileTest, ::testing::ValuesIn(kIconSizes));

TEST(MainFrameIcon, HasRoundedCornersAndAnOpaqueFace) {
    for (const int size : {16, 32}) {
        const QImage icon = DrawMainFrameIcon(size);
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 128);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

TEST(MainFrameIcon, IsEmbeddedAtBothStandardSizes) {
    const QIcon icon = MainFrameIcon();
    for (const int size : kIconGroupSizes) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_LE(LargestDifference(image, DrawMainFrameIcon(size)), 2);
    }
}

TEST(IconGroupFile, HoldsTheSixteenAndThirtyTwoPixelImages) {
    QImageReader reader(IconPath(QStringLiteral("quorvel.ico")), "ico");
    ASSERT_EQ(reader.imageCount(), 2);
    std::vector<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        sizes.push_back(image.width());
        EXPECT_LE(LargestDifference(image, DrawMainFrameIcon(image.width())), 2);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

TEST(IconGroupFile, EncodesOnlyWhatTheFormatCanDescribe) {
    const QImage tooLarge = DrawMainFrameIcon(257);
    EXPECT_TRUE(EncodeIconFile(std::span(&tooLarge, 1)).isEmpty());
    const QImage largest = DrawMainFrameIcon(256);
    const QByteArray file = EncodeIconFile(std::span(&largest, 1));
    ASSERT_GT(file.size(), 22);
    EXPECT_EQ(static_cast<unsigned char>(file[6]), 0u);  // 256 is written as 0
}

}  // namespace
}  // namespace quorvel
