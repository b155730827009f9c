#include "app/export_clean.h"

#include <QBuffer>
#include <QImageWriter>
#include <tuple>
#include <type_traits>

#include "app/export_csv.h"
#include "app/export_png.h"
#include "app/export_vector.h"
#include "paint/clean_map_image.h"

namespace quorvel {

namespace {

std::string Refusal(const char* option, FinderStatus status) {
    if (status == FinderStatus::kTooManyIntervals) {
        return std::string("quorvel: ") + option +
               ": the range holds too many intervals to list (over 2 million); narrow it";
    }
    if (status == FinderStatus::kTooLargeAtThisSize) {
        return std::string("quorvel: ") + option +
               ": the map is too large at this size to compute; make it smaller (--size)";
    }
    return std::string("quorvel: ") + option +
           ": no answer for these values (each must be finite and within 1e100 MHz)";
}

std::variant<std::string, CleanExportFailure> Csv(const char* option, const char* header,
                                                  const CleanIntervals& clean) {
    if (clean.status != FinderStatus::kOk) {
        return CleanExportFailure{Refusal(option, clean.status)};
    }
    return CleanIntervalsCsv(header, clean);
}

}  // namespace

std::string CleanIntervalsCsv(const char* header, const CleanIntervals& clean) {
    std::string csv = std::string(header) + '\n';
    for (const FrequencyInterval& interval : clean.intervals) {
        csv += ShortestNumberText(interval.lo) + ',' + ShortestNumberText(interval.hi) + '\n';
    }
    return csv;
}

std::variant<std::string, CleanExportFailure> CleanFsCsv(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         const SpurQuery& query) {
    return Csv("--export-clean-fs", "fs_lo_mhz,fs_hi_mhz", FindCleanFs(plan, fsRange, query));
}

std::variant<std::string, CleanExportFailure> CleanIfCsv(const PlanFields& plan,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query) {
    return Csv("--export-clean-if", "if_lo_mhz,if_hi_mhz", FindCleanIf(plan, ifRange, query));
}

std::string CleanMapRefusal(FinderStatus status) {
    return Refusal("--export-clean-map", status);
}

std::variant<QByteArray, CleanExportFailure> CleanMapPng(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, const ChartLook& look) {
    const ScaledImageSize size = ScaledImageSizeOf(width, height, look.scale);
    const CleanMapImage map =
        ComposeCleanMap(plan, {fsRange, ifRange, query}, size.chartWidth, size.chartHeight, look);
    if (map.status != FinderStatus::kOk) {
        return CleanExportFailure{CleanMapRefusal(map.status)};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    const QImage image = CutToSize(map.image, width, height);
    if (image.isNull() || !writer.write(image)) {
        return CleanExportFailure{"quorvel: cannot make a " + std::to_string(width) + "x" +
                                  std::to_string(height) + " image"};
    }
    return bytes;
}

std::optional<std::string> AddCleanExports(const CliRequest& request,
                                           std::vector<ExportOutput>& outputs) {
    const auto add = [&outputs](const std::string& path,
                                auto&& made) -> std::optional<std::string> {
        if (const auto* failure = std::get_if<CleanExportFailure>(&made)) {
            return failure->message;
        }
        using Bytes = std::decay_t<decltype(std::get<0>(made))>;
        if constexpr (std::is_same_v<Bytes, QByteArray>) {
            outputs.push_back({path, std::get<0>(made).toStdString()});
        } else {
            outputs.push_back({path, std::move(std::get<0>(made))});
        }
        return std::nullopt;
    };
    if (request.cleanFsPath) {
        if (auto failure = add(*request.cleanFsPath,
                               CleanFsCsv(request.plan, *request.fsRange, request.query))) {
            return failure;
        }
    }
    if (request.cleanIfPath) {
        if (auto failure = add(*request.cleanIfPath,
                               CleanIfCsv(request.plan, *request.ifRange, request.query))) {
            return failure;
        }
    }
    if (request.cleanMapPath) {
        const ImageFormat format = ImageFormatOfName(*request.cleanMapPath);
        const ExportImageSize size =
            ExportSizeOf(request, format, kDefaultCleanMapWidth, kDefaultCleanMapHeight);
        const auto& [plan, query] = std::tie(request.plan, request.query);
        switch (format) {
            case ImageFormat::kSvg:
                return add(*request.cleanMapPath,
                           CleanMapSvg(plan, *request.fsRange, *request.ifRange, query, size.width,
                                       size.height, request.theme));
            case ImageFormat::kPdf:
                return add(*request.cleanMapPath,
                           CleanMapPdf(plan, *request.fsRange, *request.ifRange, query, size.width,
                                       size.height, request.theme));
            case ImageFormat::kPng:
                break;
        }
        return add(*request.cleanMapPath,
                   CleanMapPng(plan, *request.fsRange, *request.ifRange, query, size.width,
                               size.height, PngLookOf(request)));
    }
    return std::nullopt;
}

}  // namespace quorvel
