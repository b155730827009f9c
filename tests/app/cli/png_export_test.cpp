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

// Where the readout lands for a marker is the render layer's to check; here, that the
// point given is the click point, in client coordinates.
TEST_F(ExportBinaryTest, MarkerIsTheClickPointOfTheDialog) {
    ASSERT_EQ(
        Run({"--export-png", "marked.png", "--size", "1000x600", "--marker", "413,300"}).exitCode,
        0);
    const QImage marked = LoadedPng(PathOf("marked.png"));
    EXPECT_TRUE(marked == Composed(PlanFields{}, 1000, 600, MarkerPoint{413, 300}));
    EXPECT_FALSE(marked == Composed(PlanFields{}, 1000, 600));
}

}  // namespace
}  // namespace quorvel
