// The plan document: a JSON object with a format name, a format version, the plan values
// in MHz and count, the slider variable and the finder's settings. For example:
//   {"format": "quorvel-plan", "version": 1, "fs_mhz": 737.28, "if_mhz": 184.32,
//    "if_bw_mhz": 20, "rf_bw_mhz": 100, "harmonics": 15, "slider": "fs",
//    "finder": {"fs_range_mhz": [368, 2000], "if_range_mhz": [0, 368.64],
//               "against": "both", "margin_mhz": 0.5},
//    "converter": {"interleave": 4, "interleave_orders": 2, "clock_spur_mhz": 10,
//                  "clock_spur_orders": 1,
//                  "interferers": [{"centre_mhz": 2400, "width_mhz": 80, "orders": 2}]}}
// Every member but the format name and version may be left out. Qt's JSON classes read and
// write it: a negative zero reads back as 0, and a member given twice keeps its last value.
#pragma once

#include "planfile/plan_file_values.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace quorvel {

inline constexpr char kPlanFormatName[] = "quorvel-plan";
/// The version this program writes; it reads every version, a newer one in part.
inline constexpr int kPlanFormatVersion = 1;
/// The file name suffix of a plan file, without its dot.
inline constexpr char kPlanFileSuffix[] = "qvplan";
inline constexpr char kPlanFileMimeType[] = "application/x-quorvel-plan";

/// What a plan document gave.
struct PlanDocumentReading {
    PlanFileValues values;  ///< meaningful only when `error` is empty
    QString error;          ///< why the document cannot be used, in a few plain words
    QStringList ignored;    ///< members not understood and left out ("name", "finder.name")
    /// Those members with their values, at their places ({"name": 1, "finder": {...}}),
    /// for a save to write again.
    QJsonObject kept;
    int version = 0;  ///< the document's format version, once read

    bool Ok() const { return error.isEmpty(); }
};

/// The document text for `values`, in UTF-8, members that are not set left out. Every
/// number reads back as exactly the same double. The members of `kept` (a reading's, not
/// understood by this version) are written again at their places, so that saving a file
/// loses nothing of it; a kept member of an interferer that is no longer there goes with it.
QByteArray PlanDocumentText(const PlanFileValues& values, const QJsonObject& kept = {});

/// Why `values` cannot go into a document (a number that is not finite, a range whose min
/// is not below its max, a negative margin, a converter count out of its range); empty
/// when they can.
QString PlanValuesProblem(const PlanFileValues& values);

/// Reads a document. A value that would not do in the window's field refuses the whole
/// document; members it does not know are listed in `ignored`, whatever the version.
PlanDocumentReading ReadPlanDocument(const QByteArray& text);

}  // namespace quorvel
