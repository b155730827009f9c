// The picture of the minimised window: the program's icon centred in the client area.
#include <gtest/gtest.h>

#include <QPainter>

#include "dialog/minimised_icon.h"
#include "res/main_frame_icon.h"

namespace quorvel {
namespace {

struct Placement {
    const char* name;
    QSize client;
    QPoint expected;
};

class MinimisedIconOriginTest : public ::testing::TestWithParam<Placement> {};

TEST_P(MinimisedIconOriginTest, CentresWithTheOddPixelToTheRight) {
    EXPECT_EQ(MinimisedIconOrigin(GetParam().client, QSize(32, 32)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MinimisedIconOriginTest,
                         ::testing::Values(Placement{"Square36", {36, 36}, {2, 2}},
                                           Placement{"Odd37x35", {37, 35}, {3, 2}},
                                           Placement{"Exact", {32, 32}, {0, 0}},
                                           // Truncation toward zero, not flooring.
                                           Placement{"Smaller", {29, 28}, {-1, -1}},
                                           Placement{"Empty", {0, 0}, {-15, -15}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(MinimisedIcon, PaintsTheBackgroundAndTheIconAtItsPlace) {
    QImage image(36, 36, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        PaintMinimisedIcon(painter, image.size(), MainFrameIcon(), QColor(Qt::gray));
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::gray));
    EXPECT_EQ(image.pixelColor(35, 35), QColor(Qt::gray));
    const QImage icon = MainFrameIcon().pixmap(32, 32).toImage().convertToFormat(image.format());
    QImage expected(36, 36, image.format());
    expected.fill(Qt::gray);
    {
        QPainter painter(&expected);
        painter.drawImage(2, 2, icon);
    }
    EXPECT_EQ(image, expected);
}

}  // namespace
}  // namespace quorvel
