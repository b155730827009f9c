#include "app/export_vector.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <string>

#include "paint/vector_charts.h"
#include "res/version.h"

namespace quorvel {

namespace {

// The dots per inch the PNG exports' images have, so that the platform font (the clean
// map's and the spectrum's texts, sized in points) takes the same pixels in every format.
int ChartDpi() {
    return QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
}

const QString kCreator = QStringLiteral("Quorvel ") + QString::fromLatin1(version::kVersion);

template <typename Paint>
std::optional<QByteArray> Svg(int width, int height, const QString& title, Paint&& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(ChartDpi());
    svg.setTitle(title);
    svg.setDescription(kCreator);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return std::nullopt;
    }
    paint(painter);
    if (!painter.end() || bytes.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

template <typename Paint>
std::optional<QByteArray> Pdf(int width, int height, const QString& title, Paint&& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int dpi = ChartDpi();
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dpi);
    pdf.setCreator(kCreator);
    pdf.setTitle(title);
    // The page is the chart, edge to edge: width x height of the writer's dots.
    const QPageSize page(
        QSizeF(static_cast<double>(width) / dpi, static_cast<double>(height) / dpi),
        QPageSize::Inch, title, QPageSize::ExactMatch);
    if (!pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()))) {
        return std::nullopt;
    }
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return std::nullopt;
    }
    // The page's dots may round off from the chart's pixels by a fraction.
    painter.scale(static_cast<double>(pdf.width()) / width,
                  static_cast<double>(pdf.height()) / height);
    paint(painter);
    if (!painter.end() || bytes.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

const QString kChartAreaTitle = QStringLiteral("Quorvel chart area");
const QString kSpectrumTitle = QStringLiteral("Quorvel folded spectrum");
const QString kCleanMapTitle = QStringLiteral("Quorvel clean map");

auto ChartAreaPainting(const PlanFields& plan, int width, int height,
                       std::optional<MarkerPoint> marker, Theme theme) {
    return [&plan, width, height, marker, theme](QPainter& painter) {
        PaintChartAreaOn(painter, plan, width, height, marker.value_or(MarkerPoint{}), theme);
    };
}

auto SpectrumPainting(const PlanFields& plan, const SpurModel& model, int width, int height,
                      Theme theme) {
    return [&plan, &model, width, height, theme](QPainter& painter) {
        PaintSpectrumOn(painter, plan, model, width, height, theme);
    };
}

auto LaidOutSpectrumPainting(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                             Theme theme) {
    return [&layout, measured, theme](QPainter& painter) {
        PaintSpectrumOn(painter, layout, measured, theme);
    };
}

/// The map on either kind of file, or the finder's refusal.
template <typename Make>
std::variant<QByteArray, CleanExportFailure> CleanMapFile(Make&& make, const char* kind,
                                                          const PlanFields& plan,
                                                          const CleanMapView& view, int width,
                                                          int height, Theme theme) {
    FinderStatus status = FinderStatus::kOk;
    const auto bytes = make(width, height, kCleanMapTitle, [&](QPainter& painter) {
        status = PaintCleanMapOn(painter, plan, view, width, height, theme);
    });
    if (status != FinderStatus::kOk) {
        return CleanExportFailure{CleanMapRefusal(status)};
    }
    if (!bytes) {
        return CleanExportFailure{"quorvel: cannot make a " + std::to_string(width) + "x" +
                                  std::to_string(height) + " " + kind + " file"};
    }
    return *bytes;
}

}  // namespace

ImageFormat ImageFormatOfName(std::string_view name) {
    const auto endsWith = [name](std::string_view extension) {
        return name.size() >= extension.size() &&
               std::equal(
                   extension.begin(), extension.end(), name.end() - extension.size(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    };
    if (endsWith(".svg")) {
        return ImageFormat::kSvg;
    }
    if (endsWith(".pdf")) {
        return ImageFormat::kPdf;
    }
    return ImageFormat::kPng;
}

std::optional<QByteArray> ChartAreaSvg(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker, Theme theme) {
    return Svg(width, height, kChartAreaTitle,
               ChartAreaPainting(plan, width, height, marker, theme));
}

std::optional<QByteArray> ChartAreaPdf(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker, Theme theme) {
    return Pdf(width, height, kChartAreaTitle,
               ChartAreaPainting(plan, width, height, marker, theme));
}

std::optional<QByteArray> SpectrumSvg(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, Theme theme) {
    return Svg(width, height, kSpectrumTitle, SpectrumPainting(plan, model, width, height, theme));
}

std::optional<QByteArray> SpectrumPdf(const PlanFields& plan, const SpurModel& model, int width,
                                      int height, Theme theme) {
    return Pdf(width, height, kSpectrumTitle, SpectrumPainting(plan, model, width, height, theme));
}

std::optional<QByteArray> SpectrumSvg(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      Theme theme) {
    return Svg(layout.width, layout.height, kSpectrumTitle,
               LaidOutSpectrumPainting(layout, measured, theme));
}

std::optional<QByteArray> SpectrumPdf(const SpectrumLayout& layout, const MeasuredOverlay* measured,
                                      Theme theme) {
    return Pdf(layout.width, layout.height, kSpectrumTitle,
               LaidOutSpectrumPainting(layout, measured, theme));
}

std::variant<QByteArray, CleanExportFailure> CleanMapSvg(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, Theme theme) {
    return CleanMapFile([](auto... args) { return Svg(args...); }, "SVG", plan,
                        {fsRange, ifRange, query}, width, height, theme);
}

std::variant<QByteArray, CleanExportFailure> CleanMapPdf(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, Theme theme) {
    return CleanMapFile([](auto... args) { return Pdf(args...); }, "PDF", plan,
                        {fsRange, ifRange, query}, width, height, theme);
}

}  // namespace quorvel
