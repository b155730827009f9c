// The clean-frequency exports: the clean intervals of Fs or of the IF as CSV text, and the
// clean map as a PNG image.
#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/cli_options.h"
#include "app/export_output.h"
#include "charts/chart_look.h"

#include "plan/clean_intervals.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// The clean map's size when --size is not given.
inline constexpr int kDefaultCleanMapWidth = 960;
inline constexpr int kDefaultCleanMapHeight = 640;

/// The finder's refusal, as the one line the command line prints.
struct CleanExportFailure {
    std::string message;
};

/// header, then one row lo,hi per interval, ascending, in the shortest exact form.
std::string CleanIntervalsCsv(const char* header, const CleanIntervals& clean);

/// fs_lo_mhz,fs_hi_mhz for every clean Fs in fsRange, or the finder's refusal.
std::variant<std::string, CleanExportFailure> CleanFsCsv(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         const SpurQuery& query);

/// if_lo_mhz,if_hi_mhz for every clean IF in ifRange, or the finder's refusal.
std::variant<std::string, CleanExportFailure> CleanIfCsv(const PlanFields& plan,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query);

/// The clean map as PNG bytes, an image of width x height pixels; in a look of scale s the
/// map is laid out on width / s x height / s pixels (rounded up). Needs a QGuiApplication.
std::variant<QByteArray, CleanExportFailure> CleanMapPng(const PlanFields& plan,
                                                         FrequencyInterval fsRange,
                                                         FrequencyInterval ifRange,
                                                         const SpurQuery& query, int width,
                                                         int height, const ChartLook& look = {});

/// The line the command line prints for a map the finder refused.
std::string CleanMapRefusal(FinderStatus status);

/// Adds the clean-frequency exports the request asks for; returns the finder's refusal, as
/// the line to print, instead. The map needs a QGuiApplication.
std::optional<std::string> AddCleanExports(const CliRequest& request,
                                           std::vector<ExportOutput>& outputs);

}  // namespace quorvel
