// The PNG export through the real binary: exactly the paint composition, without a display,
// with the marker readout where a click would put it.
#include <gtest/gtest.h>

#include "app/cli_options.h"
#include "export_fixture.h"

namespace quorvel {
namespace {

using test::Composed;
using test::ExportBinaryTest;
using test::LoadedPng;
using test::ProcessResult;
using test::RunQuorvel;

TEST_F(ExportBinaryTest, PngIsThePaintCompositionPixelForPixelWithoutADisplay) {
    const ProcessResult result = RunQuorvel({"--export-png", "chart.png", "--size", "1000x600"},
                                            dir_.path(), test::EnvironmentWithoutDisplay());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    const QImage exported = LoadedPng(PathOf("chart.png"));
    ASSERT_EQ(exported.size(), QSize(1000, 600));
    EXPECT_TRUE(exported == Composed(PlanFields{}, 1000, 600));
}

TEST_F(ExportBinaryTest, PngDefaultsToTheDialogsInitialChartArea) {
    ASSERT_EQ(Run({"--export-png=chart.png"}).exitCode, 0);
    EXPECT_EQ(LoadedPng(PathOf("chart.png")).size(), QSize(744, 532));
}

TEST_F(ExportBinaryTest, PngOfAPlanWithoutChartDataIsStillWritten) {
    const ProcessResult result = Run({"--rf-bw", "0", "--export-png", "gated.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(LoadedPng(PathOf("gated.png")) ==
                Composed(PlanFields{.m_rfBw = 0}, kDefaultChartAreaWidth, kDefaultChartAreaHeight));
}

TEST_F(ExportBinaryTest, MarkerShowsTheReadoutAboveTheClickPoint) {
    ASSERT_EQ(Run({"--export-png", "plain.png", "--size", "1000x600"}).exitCode, 0);
    // A click at client (413, 300) is bitmap row 250: the readout's boxes end 16 and 3
    // pixels above it, the blank box on it, all starting at the click's x.
    ASSERT_EQ(
        Run({"--export-png", "marked.png", "--size", "1000x600", "--marker", "413,300"}).exitCode,
        0);
    const QImage plain = LoadedPng(PathOf("plain.png"));
    const QImage marked = LoadedPng(PathOf("marked.png"));
    ASSERT_EQ(marked.size(), plain.size());
    const QRect readout(413, 250 - 16 - 13, 200, 16 + 13);
    int changed = 0;
    int changedOutside = 0;
    int whiteInside = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) != marked.pixel(x, y)) {
                ++changed;
                changedOutside += readout.contains(x, y) ? 0 : 1;
            }
            whiteInside += readout.contains(x, y) && marked.pixel(x, y) == 0xFFFFFFFFu ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(whiteInside, 200);  // the white boxes of both lines
    EXPECT_TRUE(marked == Composed(PlanFields{.m_markerX = 413, .m_markerY = 300}, 1000, 600));
}

}  // namespace
}  // namespace quorvel
