#include "planfile/plan_document.h"

#include "plan/truncate.h"
#include "planfile/quoted_name.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace quorvel {

namespace {

constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";
constexpr char kFs[] = "fs_mhz";
constexpr char kIf[] = "if_mhz";
constexpr char kIfBw[] = "if_bw_mhz";
constexpr char kRfBw[] = "rf_bw_mhz";
constexpr char kHarmonics[] = "harmonics";
constexpr char kSlider[] = "slider";
constexpr char kFinder[] = "finder";
constexpr char kFsRange[] = "fs_range_mhz";
constexpr char kIfRange[] = "if_range_mhz";
constexpr char kAgainst[] = "against";
constexpr char kMargin[] = "margin_mhz";

constexpr std::array kTopLevelNames{kFormat, kVersion,   kFs,     kIf,    kIfBw,
                                    kRfBw,   kHarmonics, kSlider, kFinder};
constexpr std::array kFinderNames{kFsRange, kIfRange, kAgainst, kMargin};

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

QString Number(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString KindOf(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Null:
            return QStringLiteral("null");
        case QJsonValue::Bool:
            return QStringLiteral("true or false");
        case QJsonValue::Double:
            return QStringLiteral("a number");
        case QJsonValue::String:
            return QStringLiteral("a text");
        case QJsonValue::Array:
            return QStringLiteral("a list");
        case QJsonValue::Object:
            return QStringLiteral("an object");
        case QJsonValue::Undefined:
            break;
    }
    return QStringLiteral("nothing");
}

QString NotA(const QString& name, const QJsonValue& value, const QString& wanted) {
    return QStringLiteral("%1 is %2, not %3").arg(name, KindOf(value), wanted);
}

// Reads the members of one object; the first refusal wins and stops further reading.
class MemberReader {
  public:
    MemberReader(const QJsonObject& object, QString prefix)
        : m_object(object), m_prefix(std::move(prefix)) {}

    const QString& Error() const { return m_error; }

    void Refuse(const QString& reason) {
        if (m_error.isEmpty()) {
            m_error = reason;
        }
    }

    QString Name(const char* key) const { return m_prefix + Latin(key); }

    // A value the dialog's number field would hold: any finite double. JSON has no other.
    void ReadNumber(const char* key, std::optional<double>& out) {
        const QJsonValue value = m_object.value(Latin(key));
        if (value.isUndefined()) {
            return;
        }
        if (!value.isDouble()) {
            return Refuse(NotA(Name(key), value, QStringLiteral("a number")));
        }
        out = value.toDouble();
    }

    // As the dialog's count field: a whole number within int, nothing else.
    void ReadInteger(const char* key, std::optional<int>& out) {
        const QJsonValue value = m_object.value(Latin(key));
        if (value.isUndefined()) {
            return;
        }
        const double number = value.toDouble();
        if (!value.isDouble() || std::trunc(number) != number ||
            number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
            return Refuse(QStringLiteral("%1 is %2, not a whole number from %3 to %4")
                              .arg(Name(key), value.isDouble() ? Number(number) : KindOf(value))
                              .arg(std::numeric_limits<int>::min())
                              .arg(std::numeric_limits<int>::max()));
        }
        out = TruncToInt(number);
    }

    // One of a few names; returns the index of the one given.
    template <std::size_t N>
    std::optional<std::size_t> ReadChoice(const char* key,
                                          const std::array<const char*, N>& names) {
        const QJsonValue value = m_object.value(Latin(key));
        if (value.isUndefined()) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (value.toString() == Latin(names[i]) && value.isString()) {
                return i;
            }
        }
        QStringList quoted;
        for (const char* name : names) {
            quoted.append(QStringLiteral("\"%1\"").arg(Latin(name)));
        }
        Refuse(QStringLiteral("%1 is %2, not one of %3")
                   .arg(Name(key), value.isString() ? QuotedValue(value.toString()) : KindOf(value),
                        quoted.join(QStringLiteral(", "))));
        return std::nullopt;
    }

    void ReadRange(const char* key, std::optional<FrequencyInterval>& out) {
        const QJsonValue value = m_object.value(Latin(key));
        if (value.isUndefined()) {
            return;
        }
        const QJsonArray pair = value.toArray();
        if (!value.isArray() || pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble()) {
            return Refuse(
                QStringLiteral("%1 is not a list of two numbers [lo, hi]").arg(Name(key)));
        }
        out = FrequencyInterval{pair[0].toDouble(), pair[1].toDouble()};
    }

    // Names that are not in `known`, for the list of what was left out.
    void CollectUnknown(const auto& known, QStringList& ignored) const {
        for (const QString& name : m_object.keys()) {
            if (std::none_of(known.begin(), known.end(),
                             [&name](const char* key) { return name == Latin(key); })) {
                ignored.append(m_prefix + name);
            }
        }
    }

  private:
    const QJsonObject& m_object;
    QString m_prefix;
    QString m_error;
};

QString CheckRange(const char* key, const std::optional<FrequencyInterval>& range) {
    if (range && !(std::isfinite(range->lo) && std::isfinite(range->hi) && range->lo < range->hi)) {
        return QStringLiteral("finder.%1 is [%2, %3]: its lo must be below its hi")
            .arg(Latin(key), Number(range->lo), Number(range->hi));
    }
    return {};
}

// The rules a value must keep whether it comes from a document or is about to go into one.
QString CheckValues(const PlanFileValues& values) {
    const std::array<std::pair<const char*, const std::optional<double>*>, 4> numbers{
        {{kFs, &values.fs}, {kIf, &values.ifCentre}, {kIfBw, &values.ifBw}, {kRfBw, &values.rfBw}}};
    for (const auto& [key, number] : numbers) {
        if (*number && !std::isfinite(**number)) {
            return QStringLiteral("%1 is %2, not a finite number")
                .arg(Latin(key), Number(**number));
        }
    }
    const FinderSettings& finder = values.finder;
    for (const QString& problem :
         {CheckRange(kFsRange, finder.fsRange), CheckRange(kIfRange, finder.ifRange)}) {
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    if (finder.margin && !(std::isfinite(*finder.margin) && *finder.margin >= 0.0)) {
        return QStringLiteral("finder.%1 is %2: it must be 0 or more")
            .arg(Latin(kMargin), Number(*finder.margin));
    }
    return {};
}

void ReadFinder(const QJsonObject& root, PlanDocumentReading& reading) {
    const QJsonValue value = root.value(Latin(kFinder));
    if (value.isUndefined()) {
        return;
    }
    if (!value.isObject()) {
        reading.error = NotA(Latin(kFinder), value, QStringLiteral("an object"));
        return;
    }
    const QJsonObject object = value.toObject();
    MemberReader reader(object, Latin(kFinder) + QLatin1Char('.'));
    FinderSettings& finder = reading.values.finder;
    reader.ReadRange(kFsRange, finder.fsRange);
    reader.ReadRange(kIfRange, finder.ifRange);
    std::array<const char*, kAgainstNames.size()> againstNames{};
    for (std::size_t i = 0; i < kAgainstNames.size(); ++i) {
        againstNames[i] = kAgainstNames[i].second;
    }
    if (const auto choice = reader.ReadChoice(kAgainst, againstNames)) {
        finder.against = kAgainstNames[*choice].first;
    }
    reader.ReadNumber(kMargin, finder.margin);
    reader.CollectUnknown(kFinderNames, reading.ignored);
    reading.error = reader.Error();
}

QString ReadHeader(const QJsonObject& root, int& version) {
    const QJsonValue format = root.value(Latin(kFormat));
    if (format.isUndefined()) {
        return QStringLiteral("it has no format name, so it is not a plan");
    }
    if (format.toString() != Latin(kPlanFormatName)) {
        return QStringLiteral("its format is %1, not \"%2\"")
            .arg(format.isString() ? QuotedValue(format.toString()) : KindOf(format),
                 Latin(kPlanFormatName));
    }
    const QJsonValue number = root.value(Latin(kVersion));
    if (number.isUndefined()) {
        return QStringLiteral("it has no format version");
    }
    const double v = number.toDouble();
    if (!number.isDouble() || std::trunc(v) != v || v < 1.0) {
        return QStringLiteral("its format version is %1, not a whole number from 1")
            .arg(number.isDouble() ? Number(v) : KindOf(number));
    }
    version = TruncToInt(v);
    return {};
}

}  // namespace

QByteArray PlanDocumentText(const PlanFileValues& values) {
    QJsonObject root;
    root.insert(Latin(kFormat), Latin(kPlanFormatName));
    root.insert(Latin(kVersion), kPlanFormatVersion);
    const auto put = [](QJsonObject& object, const char* key, const auto& value) {
        if (value) {
            object.insert(Latin(key), *value);
        }
    };
    put(root, kFs, values.fs);
    put(root, kIf, values.ifCentre);
    put(root, kIfBw, values.ifBw);
    put(root, kRfBw, values.rfBw);
    put(root, kHarmonics, values.harmonics);
    if (values.sliderVariable == kSliderDrivesFs || values.sliderVariable == kSliderDrivesIf) {
        root.insert(Latin(kSlider), values.sliderVariable == kSliderDrivesFs
                                        ? QStringLiteral("fs")
                                        : QStringLiteral("if"));
    }
    const FinderSettings& finder = values.finder;
    if (!finder.Empty()) {
        QJsonObject object;
        const auto putRange = [&object](const char* key,
                                        const std::optional<FrequencyInterval>& r) {
            if (r) {
                object.insert(Latin(key), QJsonArray{r->lo, r->hi});
            }
        };
        putRange(kFsRange, finder.fsRange);
        putRange(kIfRange, finder.ifRange);
        for (const auto& [against, name] : kAgainstNames) {
            if (finder.against == against) {
                object.insert(Latin(kAgainst), Latin(name));
            }
        }
        put(object, kMargin, finder.margin);
        root.insert(Latin(kFinder), object);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString PlanValuesProblem(const PlanFileValues& values) {
    return CheckValues(values);
}

PlanDocumentReading ReadPlanDocument(const QByteArray& text) {
    PlanDocumentReading reading;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        reading.error = QStringLiteral("it is not valid JSON (%1 at byte %2)")
                            .arg(parseError.errorString())
                            .arg(parseError.offset);
        return reading;
    }
    if (!document.isObject()) {
        reading.error = QStringLiteral("it is not a JSON object, so it is not a plan");
        return reading;
    }
    const QJsonObject root = document.object();
    reading.error = ReadHeader(root, reading.version);
    if (!reading.error.isEmpty()) {
        return reading;
    }
    MemberReader reader(root, QString());
    PlanFileValues& values = reading.values;
    reader.ReadNumber(kFs, values.fs);
    reader.ReadNumber(kIf, values.ifCentre);
    reader.ReadNumber(kIfBw, values.ifBw);
    reader.ReadNumber(kRfBw, values.rfBw);
    reader.ReadInteger(kHarmonics, values.harmonics);
    if (const auto choice = reader.ReadChoice(kSlider, std::array{"fs", "if"})) {
        values.sliderVariable = *choice == 0 ? kSliderDrivesFs : kSliderDrivesIf;
    }
    reader.CollectUnknown(kTopLevelNames, reading.ignored);
    reading.error = reader.Error();
    if (reading.error.isEmpty()) {
        ReadFinder(root, reading);
    }
    if (reading.error.isEmpty()) {
        reading.error = CheckValues(values);
    }
    if (!reading.error.isEmpty()) {
        reading.values = {};
        reading.ignored.clear();
    }
    return reading;
}

}  // namespace quorvel
