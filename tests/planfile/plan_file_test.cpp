#include "planfile/plan_file.h"
#include "plan_file_put.h"
#include "planfile/quoted_name.h"
#include "planfile/regular_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// Bit patterns of every kind: subnormals, huge values, zero, whole numbers, plain MHz.
std::vector<double> AwkwardDoubles(std::size_t count) {
    std::vector<double> values{0.0,
                               std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               9007199254740993.0,
                               9223372036854775808.0,
                               737.28,
                               0.1};
    std::mt19937_64 random(20240613);
    while (values.size() < count) {
        const std::uint64_t bits = random();
        double value = std::bit_cast<double>(bits);
        switch (bits % 4) {
            case 0:  // subnormal
                value = std::bit_cast<double>(bits & 0x800FFFFFFFFFFFFFull);
                break;
            case 1:  // a whole number, where JSON readers like to switch to integers
                value = static_cast<double>(static_cast<std::int64_t>(random()) >> (bits % 63));
                break;
            case 2:  // MHz as typed, a few decimals
                value = static_cast<double>(random() % 10000000) / 100.0;
                break;
            default:
                break;
        }
        if (std::isfinite(value) && value != 0.0) {
            values.push_back(value);
        }
    }
    return values;
}

TEST(PlanDocumentTest, EveryDoubleReadsBackBitForBit) {
    const std::vector<double> doubles = AwkwardDoubles(40000);
    for (std::size_t i = 0; i + 8 <= doubles.size(); i += 8) {
        PlanFileValues values;
        values.fs = doubles[i];
        values.ifCentre = doubles[i + 1];
        values.ifBw = doubles[i + 2];
        values.rfBw = doubles[i + 3];
        values.harmonics = static_cast<int>(Bits(doubles[i + 4]));
        values.sliderVariable = static_cast<int>(i / 8 % 2);
        values.finder.fsRange = FrequencyInterval{std::min(doubles[i + 4], doubles[i + 5]),
                                                  std::max(doubles[i + 4], doubles[i + 5])};
        values.finder.margin = std::abs(doubles[i + 6]);
        if (values.finder.fsRange->lo == values.finder.fsRange->hi) {
            values.finder.fsRange.reset();
        }
        const PlanDocumentReading reading = ReadPlanDocument(PlanDocumentText(values));
        ASSERT_TRUE(reading.Ok()) << reading.error.toStdString();
        const PlanFileValues& back = reading.values;
        ASSERT_EQ(Bits(*back.fs), Bits(*values.fs)) << *values.fs;
        ASSERT_EQ(Bits(*back.ifCentre), Bits(*values.ifCentre)) << *values.ifCentre;
        ASSERT_EQ(Bits(*back.ifBw), Bits(*values.ifBw)) << *values.ifBw;
        ASSERT_EQ(Bits(*back.rfBw), Bits(*values.rfBw)) << *values.rfBw;
        // The finder's numbers are compared by value: a zero margin or range end may lose its sign.
        ASSERT_EQ(back, values);
    }
}

// Any model the ranges allow, with the awkward doubles as its frequencies, reads back as
// the same model; one left at its defaults is not written at all.
TEST(PlanDocumentTest, ConverterModelReadsBackAsTheSameModel) {
    std::vector<double> doubles = AwkwardDoubles(4000);
    std::erase_if(doubles, [](double v) { return std::fabs(v) > kFinderFrequencyLimit; });
    std::mt19937 random(7);
    const auto count = [&random](int hi) {
        return 1 + static_cast<int>(random() % static_cast<unsigned>(hi));
    };
    std::size_t next = 0;
    for (int round = 0; round < 300; ++round) {
        SpurModel model;
        model.interleave = count(kMaxInterleave);
        model.interleaveOrders = count(kMaxModelOrder);
        model.hasClockSpur = round % 3 != 0;
        model.clockSpur = model.hasClockSpur ? doubles[next++ % doubles.size()] : 0.0;
        model.clockSpurOrders = count(kMaxModelOrder);
        model.interferers.resize(static_cast<std::size_t>(round % (kMaxInterferers + 1)));
        for (Interferer& in : model.interferers) {
            in = {doubles[next++ % doubles.size()], std::fabs(doubles[next++ % doubles.size()]),
                  count(kMaxModelOrder)};
        }
        // Levels from the awkward doubles folded into -200..0, some left unknown.
        const auto level = [&] {
            return -std::fmod(std::fabs(doubles[next++ % doubles.size()]), 200.0);
        };
        for (Interferer& in : model.interferers) {
            in.level = round % 2 ? std::optional(level()) : std::nullopt;
        }
        for (auto* list :
             {&model.levels.harmonics, &model.levels.images, &model.levels.sidebands}) {
            list->resize(static_cast<std::size_t>(round % (kMaxLevelList + 1)));
            std::generate(list->begin(), list->end(), level);
        }
        model.levels.signal = level();
        model.levels.offset = round % 4 ? std::optional(level()) : std::nullopt;
        model.levels.floor = round % 5 ? std::optional(level()) : std::nullopt;
        PlanFileValues values;
        values.model = model;
        const PlanDocumentReading reading = ReadPlanDocument(PlanDocumentText(values));
        ASSERT_TRUE(reading.Ok()) << reading.error.toStdString();
        ASSERT_EQ(reading.values, values);
    }
    PlanFileValues plain;
    plain.model = SpurModel{};
    EXPECT_FALSE(PlanDocumentText(plain).contains("converter"));
    EXPECT_FALSE(ReadPlanDocument(PlanDocumentText(plain)).values.model);
}

class PlanFileTest : public testing::Test {
  protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QString Write(const QString& name, const QByteArray& text) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(text), text.size());
        return Path(name);
    }

    QTemporaryDir m_dir;
};

TEST_F(PlanFileTest, SavedPlanOpensAsTheSameFieldsAndAFileSetsOnlyWhatItHolds) {
    PlanFields plan;
    plan.m_fs = 3000.0;
    plan.m_if = -0.0;
    plan.m_harmonics = 26;
    plan.m_sliderVariable = kSliderDrivesIf;
    PlanFileValues values = PlanFileValues::FromPlan(plan);
    values.finder.ifRange = FrequencyInterval{0.0, 1500.0};
    values.finder.against = Against::kRf;
    const QString path = Path(QStringLiteral("plan.qvplan"));
    ASSERT_TRUE(test::PutPlanFile(path, values));

    const PlanFileReading reading = ReadPlanFile(path);
    ASSERT_TRUE(reading.values) << reading.error.toStdString();
    EXPECT_EQ(*reading.values, values);
    PlanFields opened;
    reading.values->ApplyTo(opened);
    EXPECT_EQ(opened, plan);
    EXPECT_FALSE(std::signbit(opened.m_if));  // Qt's JSON keeps no negative zero

    const PlanFileReading partial =
        ReadPlanFile(Write(QStringLiteral("partial.qvplan"),
                           R"({"format": "quorvel-plan", "version": 1, "if_bw_mhz": 40})"));
    ASSERT_TRUE(partial.values);
    PlanFileValues expected;
    expected.ifBw = 40.0;
    EXPECT_EQ(*partial.values, expected);
    PlanFields kept = plan;
    partial.values->ApplyTo(kept);
    plan.m_ifBw = 40.0;
    EXPECT_EQ(kept, plan);
}

struct BadFileRow {
    const char* name;
    QByteArray text;  // empty: the file is not created
    std::vector<const char*> words;
};

class BadPlanFileTest : public PlanFileTest, public testing::WithParamInterface<BadFileRow> {};

TEST_P(BadPlanFileTest, NamesTheFileAndTheReasonAndGivesNoValues) {
    // A control character in the name must not break the message's line.
    const QString path = Path(QStringLiteral("bad\nplan.qvplan"));
    if (!GetParam().text.isEmpty()) {
        Write(QStringLiteral("bad\nplan.qvplan"), GetParam().text);
    }
    const PlanFileReading reading = ReadPlanFile(path);
    EXPECT_FALSE(reading.values);
    EXPECT_TRUE(reading.ignored.isEmpty());
    const std::string error = reading.error.toStdString();
    EXPECT_NE(error.find("bad\\nplan.qvplan'"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    for (const char* word : GetParam().words) {
        EXPECT_NE(error.find(word), std::string::npos) << "no '" << word << "' in: " << error;
    }
}

QByteArray Plan(const QByteArray& members) {
    return QByteArray(R"({"format": "quorvel-plan", "version": 1)") + members + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadPlanFileTest,
    testing::Values(
        BadFileRow{"Missing", {}, {"no such file"}},
        BadFileRow{"Empty", " ", {"not valid JSON", "byte"}},
        BadFileRow{"Truncated", Plan(R"(, "fs_mhz": 7)").chopped(1), {"not valid JSON"}},
        BadFileRow{"Overflow", Plan(R"(, "fs_mhz": 1e400)"), {"not valid JSON", "number"}},
        BadFileRow{"NaN", Plan(R"(, "fs_mhz": NaN)"), {"not valid JSON"}},
        BadFileRow{"NotUtf8", Plan(", \"slider\": \"\xff\""), {"not valid JSON"}},
        BadFileRow{"Array", "[1, 2]", {"not a JSON object"}},
        BadFileRow{"NoFormat", R"({"version": 1, "fs_mhz": 1000})", {"no format name"}},
        BadFileRow{"OtherFormat",
                   R"({"format": "other\u0007", "version": 1})",
                   {"format is 'other\\x07'", "quorvel-plan"}},
        BadFileRow{"NoVersion", R"({"format": "quorvel-plan"})", {"no format version"}},
        BadFileRow{"VersionZero", R"({"format": "quorvel-plan", "version": 0})", {"version is 0"}},
        BadFileRow{
            "VersionFraction", R"({"format": "quorvel-plan", "version": 1.5})", {"version is 1.5"}},
        BadFileRow{"NumberAsText", Plan(R"(, "fs_mhz": "737.28")"), {"fs_mhz is a text", "number"}},
        BadFileRow{"NumberNull", Plan(R"(, "rf_bw_mhz": null)"), {"rf_bw_mhz is null"}},
        BadFileRow{"HarmonicsFraction",
                   Plan(R"(, "harmonics": 15.5)"),
                   {"harmonics is 15.5", "whole number"}},
        BadFileRow{"HarmonicsBeyondInt",
                   Plan(R"(, "harmonics": 2147483648)"),
                   {"harmonics is 2147483648", "2147483647"}},
        BadFileRow{
            "HarmonicsAsBool", Plan(R"(, "harmonics": true)"), {"harmonics is true or false"}},
        BadFileRow{"SliderUnknown", Plan(R"(, "slider": "rf")"), {"slider is 'rf'", "\"if\""}},
        BadFileRow{"FinderNotObject", Plan(R"(, "finder": [])"), {"finder is a list"}},
        BadFileRow{"RangeOneNumber",
                   Plan(R"(, "finder": {"fs_range_mhz": [5]})"),
                   {"finder.fs_range_mhz", "two numbers"}},
        BadFileRow{"RangeReversed",
                   Plan(R"(, "finder": {"if_range_mhz": [5, 5]})"),
                   {"finder.if_range_mhz is [5, 5]", "below"}},
        BadFileRow{"MarginNegative",
                   Plan(R"(, "finder": {"margin_mhz": -1})"),
                   {"finder.margin_mhz is -1"}},
        BadFileRow{"AgainstUnknown",
                   Plan(R"(, "finder": {"against": "all"})"),
                   {"finder.against is 'all'", "\"both\""}},
        BadFileRow{"ConverterNotObject", Plan(R"(, "converter": 4)"), {"converter is a number"}},
        BadFileRow{"InterleaveAboveItsRange",
                   Plan(R"(, "converter": {"interleave": 65})"),
                   {"converter.interleave is 65", "1 to 64"}},
        BadFileRow{"SidebandOrdersZero",
                   Plan(R"(, "converter": {"clock_spur_orders": 0})"),
                   {"converter.clock_spur_orders is 0", "1 to 26"}},
        BadFileRow{"ClockSpurBeyondTheLimit",
                   Plan(R"(, "converter": {"clock_spur_mhz": -1e101})"),
                   {"converter.clock_spur_mhz is -1e+101", "within 1e100"}},
        BadFileRow{"InterferersNotAList",
                   Plan(R"(, "converter": {"interferers": {}})"),
                   {"converter.interferers is an object, not a list"}},
        BadFileRow{"InterfererWithoutWidth",
                   Plan(R"(, "converter": {"interferers": [{"centre_mhz": 1, "width_mhz": 0},
                                                           {"centre_mhz": 2400}]})"),
                   {"converter.interferers[1] has no width_mhz"}},
        BadFileRow{"InterfererNegativeWidth",
                   Plan(R"(, "converter": {"interferers": [{"centre_mhz": 1, "width_mhz": -2}]})"),
                   {"converter.interferers[0].width_mhz is -2", "0 MHz or more"}},
        BadFileRow{"NineInterferers",
                   Plan(R"(, "converter": {"interferers": [{}, {}, {}, {}, {}, {}, {}, {}, {}]})"),
                   {"converter.interferers holds 9 interferers, at most 8"}},
        BadFileRow{"FloorAboveFullScale",
                   Plan(R"(, "converter": {"spur_floor_dbc": 1})"),
                   {"converter.spur_floor_dbc is 1", "-200 to 0"}},
        BadFileRow{"HarmonicLevelsNotNumbers",
                   Plan(R"(, "converter": {"harmonic_levels_dbc": [-70, "x"]})"),
                   {"converter.harmonic_levels_dbc is not a list of numbers"}},
        BadFileRow{"TooLarge",
                   Plan(R"(, "x": ")") + QByteArray(kMaxPlanFileBytes, 'a') + "\"",
                   {"larger than a plan file"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlanDocumentTest, MemberGivenTwiceKeepsTheLast) {
    const PlanDocumentReading reading =
        ReadPlanDocument(R"({"format": "quorvel-plan", "version": 1, "fs_mhz": 1, "fs_mhz": 2})");
    ASSERT_TRUE(reading.Ok()) << reading.error.toStdString();
    EXPECT_EQ(reading.values.fs, 2.0);
}

// A file the system gives no size for is read whole past the first buffer, and told too
// large against a limit all the same.
TEST(RegularFileTest, ReadsAFileWhoseSizeIsNotGivenWholeAndKeepsTheLimit) {
    const std::string name = "/proc/self/smaps";  // st_size 0, some kilobytes of lines
    const RegularFileReading whole = ReadRegularFile(name, std::int64_t{1} << 24);
    ASSERT_EQ(whole.problem, RegularFileReading::Problem::kNone);
    EXPECT_GT(whole.bytes.size(), 3 * 4096u);
    EXPECT_EQ(whole.bytes.back(), '\n');
    EXPECT_EQ(ReadRegularFile(name, 5000).problem, RegularFileReading::Problem::kTooLarge);
}

TEST_F(PlanFileTest, FolderIsRefused) {
    const PlanFileReading reading = ReadPlanFile(m_dir.path());
    EXPECT_FALSE(reading.values);
    EXPECT_TRUE(reading.error.contains(QStringLiteral("folder"))) << reading.error.toStdString();
}

TEST_F(PlanFileTest, NewerVersionGivesWhatItCanAndListsTheRest) {
    const PlanFileReading reading =
        ReadPlanFile(Write(QStringLiteral("newer.qvplan"),
                           R"({"format": "quorvel-plan", "version": 7, "fs_mhz": 0, "harmonics": 9,
            "window": {"fs_mhz": -0}, "finder": {"margin_mhz": 2, "depth": 3},
            "converter": {"interleave": 4, "skew": 1,
                          "interferers": [{"centre_mhz": 900, "width_mhz": 5, "level": 3}]}})"));
    ASSERT_TRUE(reading.values) << reading.error.toStdString();
    PlanFileValues expected;
    expected.fs = 0.0;
    expected.harmonics = 9;
    expected.finder.margin = 2.0;
    expected.model = SpurModel{.interleave = 4, .interferers = {{900.0, 5.0, 1}}};
    EXPECT_EQ(*reading.values, expected);
    EXPECT_EQ(reading.ignored,
              (QStringList{QStringLiteral("window"), QStringLiteral("finder.depth"),
                           QStringLiteral("converter.skew"),
                           QStringLiteral("converter.interferers[0].level")}));
    for (const char* word : {"newer version", "(7)", "'window'", "'finder.depth'"}) {
        EXPECT_TRUE(reading.notice.contains(QLatin1String(word))) << reading.notice.toStdString();
    }
}

TEST(PlanDocumentTest, MembersNotUnderstoodAreWrittenAgainWhereTheyWere) {
    const QByteArray text = R"({"format": "quorvel-plan", "version": 2, "harmonics": 9,
        "window": {"x": [1, 2]}, "finder": {"margin_mhz": 2, "depth": 3},
        "converter": {"interleave": 4, "skew": 1, "interferers": [
            {"centre_mhz": 900, "width_mhz": 5}, {"centre_mhz": 7, "width_mhz": 1, "q": "a"}]}})";
    const PlanDocumentReading first = ReadPlanDocument(text);
    ASSERT_TRUE(first.Ok()) << first.error.toStdString();
    const PlanDocumentReading again = ReadPlanDocument(PlanDocumentText(first.values, first.kept));
    ASSERT_TRUE(again.Ok()) << again.error.toStdString();
    EXPECT_EQ(again.values, first.values);
    EXPECT_EQ(again.ignored, first.ignored);
    EXPECT_EQ(again.kept, first.kept);
    EXPECT_EQ(first.kept.value(QStringLiteral("window")).toObject().value(QStringLiteral("x")),
              QJsonValue(QJsonArray{1, 2}));

    // Without the model or the second interferer, their kept members go with them, and
    // what is written still reads.
    PlanFileValues fewer = first.values;
    fewer.model->interferers.resize(1);
    const PlanDocumentReading shrunk = ReadPlanDocument(PlanDocumentText(fewer, first.kept));
    ASSERT_TRUE(shrunk.Ok()) << shrunk.error.toStdString();
    EXPECT_FALSE(shrunk.ignored.contains(QStringLiteral("converter.interferers[1].q")));
    EXPECT_TRUE(shrunk.ignored.contains(QStringLiteral("converter.skew")));
    fewer.model.reset();
    const PlanDocumentReading none = ReadPlanDocument(PlanDocumentText(fewer, first.kept));
    ASSERT_TRUE(none.Ok()) << none.error.toStdString();
    EXPECT_EQ(none.values.model, std::optional(SpurModel{}));
}

struct LongMessageRow {
    const char* name;
    QByteArray text;
    std::string words;
};

QByteArray UnknownMembers(int count) {
    QByteArray members;
    for (int i = 0; i < count; ++i) {
        members += QStringLiteral(R"(, "m%1": 0)").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
    }
    return members;
}

class LongMessageTest : public PlanFileTest, public testing::WithParamInterface<LongMessageRow> {};

// A file may hold anything; the line that tells of it stays short enough to read.
TEST_P(LongMessageTest, NamesTheFirstFewAndCutsLongValues) {
    const PlanFileReading reading =
        ReadPlanFile(Write(QStringLiteral("long.qvplan"), GetParam().text));
    const QString& message = reading.values ? reading.notice : reading.error;
    EXPECT_LT(message.size(), 500) << message.left(500).toStdString();
    EXPECT_TRUE(message.contains(QString::fromStdString(GetParam().words)))
        << "no '" << GetParam().words << "' in: " << message.left(500).toStdString();
}

const QByteArray kLongText(100000, 'a');

INSTANTIATE_TEST_SUITE_P(
    Files, LongMessageTest,
    testing::Values(
        LongMessageRow{
            "SixtyThousandUnknownMembers", Plan(UnknownMembers(60000)),
            "ignored: 'm00000', 'm00001', 'm00002', 'm00003', 'm00004', and 59995 more."},
        LongMessageRow{"LongUnknownMember", Plan(", \"" + kLongText + "\": 1"),
                       "ignored: '" +
                           std::string(static_cast<std::size_t>(kLongestQuotedValue), 'a') +
                           "\u2026'."},
        LongMessageRow{"LongSlider", Plan(R"(, "slider": ")" + kLongText + "\""),
                       "slider is '" +
                           std::string(static_cast<std::size_t>(kLongestQuotedValue), 'a') +
                           "\u2026', not"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
