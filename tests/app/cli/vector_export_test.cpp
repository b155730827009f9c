// The vector exports: each chart as an SVG document and a PDF page whose texts are text, and
// through the real binary the options around them: the format by the file's name, the light
// theme and the scale.
#include "app/export_vector.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>
#include <functional>
#include <string>
#include <vector>

#include "app/export_png.h"
#include "charts/clean_map_rows.h"
#include "charts/plot_frame.h"
#include "export_fixture.h"
#include "paint/paint_cycle.h"

namespace quorvel {
namespace {

using test::ExportBinaryTest;
using test::LoadedPng;
using test::ProcessResult;

const CleanMapView kView{{300, 2000}, {0, 400}, {}};

struct VectorCase {
    const char* name;
    std::function<std::optional<QByteArray>(ImageFormat, int, int)> make;
    std::vector<QString> texts;  ///< some of what the chart writes
};

std::optional<QByteArray> Bytes(std::variant<QByteArray, CleanExportFailure> made) {
    if (const auto* bytes = std::get_if<QByteArray>(&made)) {
        return *bytes;
    }
    return std::nullopt;
}

const VectorCase kCharts[] = {
    {"ChartArea",
     [](ImageFormat format, int w, int h) {
         return format == ImageFormat::kSvg ? ChartAreaSvg({}, w, h, {}, Theme::kDark)
                                            : ChartAreaPdf({}, w, h, {}, Theme::kDark);
     },
     {"Frequency (MHz)", "Harmonic", "368.64", "0.00"}},
    {"Spectrum",
     [](ImageFormat format, int w, int h) {
         return format == ImageFormat::kSvg ? SpectrumSvg({}, {}, w, h, Theme::kLight)
                                            : SpectrumPdf({}, {}, w, h, Theme::kLight);
     },
     {"Frequency (MHz)", "dBFS", "harmonics", "-120"}},
    {"CleanMap",
     [](ImageFormat format, int w, int h) {
         return Bytes(format == ImageFormat::kSvg
                          ? CleanMapSvg({}, kView.fsRange, kView.ifRange, {}, w, h, Theme::kDark)
                          : CleanMapPdf({}, kView.fsRange, kView.ifRange, {}, w, h, Theme::kDark));
     },
     {"Fs (MHz)", "IF (MHz)", "clean", "2000"}},
};

class VectorFileTest : public ExportBinaryTest, public testing::WithParamInterface<VectorCase> {};

TEST_P(VectorFileTest, SvgIsWellFormedAtItsSizeWithItsTextsAsText) {
    const auto svg = GetParam().make(ImageFormat::kSvg, 640, 400);
    ASSERT_TRUE(svg);
    QXmlStreamReader xml(*svg);
    std::vector<QString> texts;
    QString viewBox;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QStringLiteral("svg")) {
            viewBox = xml.attributes().value("viewBox").toString();
        } else if (xml.name() == QStringLiteral("text")) {
            texts.push_back(xml.readElementText());
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, QStringLiteral("0 0 640 400"));
    for (const QString& text : GetParam().texts) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text.toStdString();
    }
}

TEST_P(VectorFileTest, PdfIsAPageWithItsTextsAsText) {
    const auto pdf = GetParam().make(ImageFormat::kPdf, 640, 400);
    ASSERT_TRUE(pdf);
    EXPECT_TRUE(pdf->startsWith("%PDF-"));
    if (std::string(QUORVEL_PDFTOTEXT).empty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the texts are not read back";
    }
    QFile file(PathOf("chart.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*pdf);
    file.close();
    QProcess reader;
    reader.start(QStringLiteral(QUORVEL_PDFTOTEXT), {file.fileName(), QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished());
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const QString& expected : GetParam().texts) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Charts, VectorFileTest, testing::ValuesIn(kCharts),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ExportBinaryTest, ChartAreaAsSvgAndPdfIsWhatTheExportsMake) {
    const ProcessResult result = Run({"--export-svg", "chart.svg", "--export-pdf", "chart.pdf",
                                      "--marker", "300,250", "--theme", "light"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(Contents("chart.svg"),
              ChartAreaSvg({}, 744, 532, MarkerPoint{300, 250}, Theme::kLight).value());
    EXPECT_TRUE(Contents("chart.pdf").startsWith("%PDF-"));
}

TEST_F(ExportBinaryTest, MapAndSpectrumTakeTheirFormatFromTheFileName) {
    const ProcessResult result =
        Run({"--export-clean-map", "map.SVG", "--export-spectrum", "spectrum.pdf", "--fs-range",
             "300:2000", "--if-range", "0:400"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(Contents("map.SVG").startsWith("<?xml"));
    EXPECT_TRUE(Contents("spectrum.pdf").startsWith("%PDF-"));
}

TEST_F(ExportBinaryTest, LightPngIsTheLightCompositionOnWhite) {
    const ProcessResult result = Run({"--export-png", "light.png", "--theme", "light"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage light = LoadedPng(PathOf("light.png"));
    for (const QPoint corner : {QPoint(0, 0), QPoint(743, 0), QPoint(0, 531), QPoint(743, 531)}) {
        EXPECT_EQ(light.pixel(corner), 0xFFFFFFFFu);
    }
    EXPECT_TRUE(light == ComposeChartArea({}, 744, 532, {}, std::nullopt, {.theme = Theme::kLight})
                             .convertToFormat(QImage::Format_RGB32));
}

// 3000 x 1800 at scale 2 is the layout of 1500 x 900 with every pixel a square of four: the
// plot's left axis, one pixel wide at x = 38, covers device columns 76 and 77.
TEST_F(ExportBinaryTest, ScaleTwoIsTheLayoutOfHalfTheSizeTwiceAsLarge) {
    const ProcessResult result =
        Run({"--export-png", "print.png", "--size", "3000x1800", "--scale", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage print = LoadedPng(PathOf("print.png"));
    ASSERT_EQ(print.size(), QSize(3000, 1800));
    const QImage layout = test::Composed(PlanFields{}, 1500, 900);
    const PlotFrame frame = MakePlotFrame(0, 450, 1500);
    // Half way between two grid rows, clear of the alias lines that leave the axis.
    const int y = frame.top + frame.height * 9 / 20;
    const QRgb axis = layout.pixel(frame.left, y);
    ASSERT_NE(axis, layout.pixel(frame.left + 1, y));
    for (int dy = 0; dy < 2; ++dy) {
        EXPECT_EQ(print.pixel(2 * frame.left - 1, 2 * y + dy), layout.pixel(frame.left - 1, y));
        EXPECT_EQ(print.pixel(2 * frame.left, 2 * y + dy), axis);
        EXPECT_EQ(print.pixel(2 * frame.left + 1, 2 * y + dy), axis);
        EXPECT_EQ(print.pixel(2 * frame.left + 2, 2 * y + dy), layout.pixel(frame.left + 1, y));
    }
}

}  // namespace
}  // namespace quorvel
