// Entry point of the ratio-two tests: the application sees a screen of two device pixels to
// the pixel, whatever the environment says.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
