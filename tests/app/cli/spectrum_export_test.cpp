// The folded spectrum export through the real binary: the composition the window shows, at
// the size asked for, and a frame even for a plan that gives no spectrum.
#include <gtest/gtest.h>

#include "app/cli_options.h"
#include "export_fixture.h"
#include "paint/spectrum_image.h"

namespace quorvel {
namespace {

using test::ExportBinaryTest;
using test::LoadedPng;
using test::ProcessResult;

QImage Spectrum(const PlanFields& plan, const SpurModel& model, int width, int height) {
    return ComposeSpectrum(plan, model, width, height).convertToFormat(QImage::Format_RGB32);
}

TEST_F(ExportBinaryTest, SpectrumIsTheCompositionAtTheAskedSize) {
    const ProcessResult result =
        Run({"--export-spectrum", "spectrum.png", "--size", "640x360", "--interleave", "4", "--hd",
             "-60,-70", "--offset-level", "-80", "--spur-floor", "-90"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    SpurModel model;
    model.interleave = 4;
    model.levels.harmonics = {-60, -70};
    model.levels.offset = -80;
    model.levels.floor = -90;
    const QImage exported = LoadedPng(PathOf("spectrum.png"));
    ASSERT_EQ(exported.size(), QSize(640, 360));
    EXPECT_TRUE(exported == Spectrum(PlanFields{}, model, 640, 360));
    EXPECT_FALSE(exported == Spectrum(PlanFields{}, SpurModel{}, 640, 360));
}

TEST_F(ExportBinaryTest, SpectrumDefaultsToTheCleanMapsSize) {
    ASSERT_EQ(Run({"--export-spectrum=spectrum.png"}).exitCode, 0);
    EXPECT_EQ(LoadedPng(PathOf("spectrum.png")).size(), QSize(960, 640));
}

TEST_F(ExportBinaryTest, APlanWithNoSpectrumStillGetsItsFrame) {
    const ProcessResult result =
        Run({"--fs", "0", "--export-spectrum", "frame.png", "--size", "300x200"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(LoadedPng(PathOf("frame.png")) ==
                Spectrum(PlanFields{.m_fs = 0}, SpurModel{}, 300, 200));
}

TEST(SpectrumExportOption, NeedsAFileThatIsNotStandardOutput) {
    const std::string_view args[] = {"--export-spectrum", "-"};
    const auto parsed = ParseCommandLine(args, PlanFields{});
    ASSERT_TRUE(std::holds_alternative<CliUsageError>(parsed));
    EXPECT_EQ(std::get<CliUsageError>(parsed).message,
              "quorvel: --export-spectrum needs a file name ('-' is for the CSV exports)");
}

}  // namespace
}  // namespace quorvel
