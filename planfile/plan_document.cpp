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
#include <variant>
#include <vector>

namespace quorvel {

namespace {

constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";
constexpr char kFinder[] = "finder";
constexpr char kMargin[] = "margin_mhz";
constexpr char kConverter[] = "converter";
constexpr char kInterferers[] = "interferers";

// The converter model as a document spells it, every member optional; a model member
// left out keeps its default.
struct ConverterMembers {
    std::optional<int> interleave;
    std::optional<int> interleaveOrders;
    std::optional<double> clockSpur;
    std::optional<int> clockSpurOrders;
    std::optional<double> signalLevel;
    std::optional<std::vector<double>> harmonicLevels;
    std::optional<std::vector<double>> imageLevels;
    std::optional<double> offsetLevel;
    std::optional<std::vector<double>> sidebandLevels;
    std::optional<double> floor;
};

struct InterfererMembers {
    std::optional<double> centre;
    std::optional<double> width;
    std::optional<int> orders;
    std::optional<double> level;
};

constexpr std::array<std::pair<int, const char*>, 2> kSliderNames{
    {{kSliderDrivesFs, "fs"}, {kSliderDrivesIf, "if"}}};

/// A member that is one of a few names, each standing for a value.
template <typename Owner, typename T, std::size_t N>
struct Choice {
    std::optional<T> Owner::*field;
    const std::array<std::pair<T, const char*>, N>* names;
};

/// One member of an object of the document: its key and the value it holds. Reading,
/// writing and telling unknown members apart all go by these tables.
template <typename Owner>
struct Member {
    const char* key;
    std::variant<std::optional<double> Owner::*, std::optional<int> Owner::*,
                 std::optional<FrequencyInterval> Owner::*, Choice<Owner, int, 2>,
                 Choice<Owner, Against, kAgainstNames.size()>, FinderSettings Owner::*,
                 std::optional<SpurModel> Owner::*, std::optional<std::vector<double>> Owner::*>
        field;
};

// In the order they are read, which decides the first refusal.
const std::array<Member<PlanFileValues>, 8> kPlanMembers{{
    {"fs_mhz", &PlanFileValues::fs},
    {"if_mhz", &PlanFileValues::ifCentre},
    {"if_bw_mhz", &PlanFileValues::ifBw},
    {"rf_bw_mhz", &PlanFileValues::rfBw},
    {"harmonics", &PlanFileValues::harmonics},
    {"slider", Choice<PlanFileValues, int, 2>{&PlanFileValues::sliderVariable, &kSliderNames}},
    {kFinder, &PlanFileValues::finder},
    {kConverter, &PlanFileValues::model},
}};

const std::array<Member<FinderSettings>, 4> kFinderMembers{{
    {"fs_range_mhz", &FinderSettings::fsRange},
    {"if_range_mhz", &FinderSettings::ifRange},
    {"against", Choice<FinderSettings, Against, kAgainstNames.size()>{&FinderSettings::against,
                                                                      &kAgainstNames}},
    {kMargin, &FinderSettings::margin},
}};

const std::array<Member<ConverterMembers>, 10> kConverterMembers{{
    {"interleave", &ConverterMembers::interleave},
    {"interleave_orders", &ConverterMembers::interleaveOrders},
    {"clock_spur_mhz", &ConverterMembers::clockSpur},
    {"clock_spur_orders", &ConverterMembers::clockSpurOrders},
    {"signal_level_dbfs", &ConverterMembers::signalLevel},
    {"harmonic_levels_dbc", &ConverterMembers::harmonicLevels},
    {"image_levels_dbc", &ConverterMembers::imageLevels},
    {"offset_level_dbfs", &ConverterMembers::offsetLevel},
    {"sideband_levels_dbc", &ConverterMembers::sidebandLevels},
    {"spur_floor_dbc", &ConverterMembers::floor},
}};

const std::array<Member<InterfererMembers>, 4> kInterfererMembers{{
    {"centre_mhz", &InterfererMembers::centre},
    {"width_mhz", &InterfererMembers::width},
    {"orders", &InterfererMembers::orders},
    {"level_dbfs", &InterfererMembers::level},
}};

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

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
        : object_(object), prefix_(std::move(prefix)) {}

    const QString& Error() const { return error_; }

    void Refuse(const QString& reason) {
        if (error_.isEmpty()) {
            error_ = reason;
        }
    }

    QString Name(const char* key) const { return prefix_ + Latin(key); }

    // A value the dialog's number field would hold: any finite double. JSON has no other.
    void ReadNumber(const char* key, std::optional<double>& out) {
        const QJsonValue value = object_.value(Latin(key));
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
        const QJsonValue value = object_.value(Latin(key));
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

    // One of a few names, as the value it stands for.
    template <typename T, std::size_t N>
    void ReadChoice(const char* key, const std::array<std::pair<T, const char*>, N>& names,
                    std::optional<T>& out) {
        const QJsonValue value = object_.value(Latin(key));
        if (value.isUndefined()) {
            return;
        }
        for (const auto& [choice, name] : names) {
            if (value.toString() == Latin(name) && value.isString()) {
                out = choice;
                return;
            }
        }
        QStringList quoted;
        for (const auto& entry : names) {
            quoted.append(QStringLiteral("\"%1\"").arg(Latin(entry.second)));
        }
        Refuse(QStringLiteral("%1 is %2, not one of %3")
                   .arg(Name(key), value.isString() ? QuotedValue(value.toString()) : KindOf(value),
                        quoted.join(QStringLiteral(", "))));
    }

    void ReadNumbers(const char* key, std::optional<std::vector<double>>& out) {
        const QJsonValue value = object_.value(Latin(key));
        if (value.isUndefined()) {
            return;
        }
        const QJsonArray list = value.toArray();
        std::vector<double> numbers;
        for (const QJsonValue& entry : list) {
            numbers.push_back(entry.toDouble());
            if (!entry.isDouble()) {
                numbers.clear();
                break;
            }
        }
        if (!value.isArray() || numbers.size() != static_cast<std::size_t>(list.size())) {
            return Refuse(QStringLiteral("%1 is not a list of numbers").arg(Name(key)));
        }
        out = std::move(numbers);
    }

    void ReadRange(const char* key, std::optional<FrequencyInterval>& out) {
        const QJsonValue value = object_.value(Latin(key));
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

    // Members that are none of `members` (nor one of `also`), for the list of what was
    // left out, and kept with their values in `kept` so that a save can write them again.
    template <typename Owner, std::size_t N>
    void CollectUnknown(const std::array<Member<Owner>, N>& members,
                        std::initializer_list<const char*> also, QStringList& ignored,
                        QJsonObject& kept) const {
        for (const QString& name : object_.keys()) {
            const auto is = [&name](const char* key) { return name == Latin(key); };
            if (std::none_of(members.begin(), members.end(),
                             [&is](const Member<Owner>& m) { return is(m.key); }) &&
                std::none_of(also.begin(), also.end(), is)) {
                ignored.append(prefix_ + name);
                kept.insert(name, object_.value(name));
            }
        }
    }

  private:
    const QJsonObject& object_;
    QString prefix_;
    QString error_;
};

QString CheckRange(const char* key, const std::optional<FrequencyInterval>& range) {
    if (range && !(std::isfinite(range->lo) && std::isfinite(range->hi) && range->lo < range->hi)) {
        return QStringLiteral("finder.%1 is [%2, %3]: its lo must be below its hi")
            .arg(Latin(key), Number(range->lo), Number(range->hi));
    }
    return {};
}

QString CountProblem(const QString& name, int value, int lo, int hi) {
    if (value >= lo && value <= hi) {
        return {};
    }
    return QStringLiteral("%1 is %2, not a whole number from %3 to %4")
        .arg(name)
        .arg(value)
        .arg(lo)
        .arg(hi);
}

QString FrequencyProblem(const QString& name, double value, bool negativeToo) {
    if (std::isfinite(value) && std::fabs(value) <= kFinderFrequencyLimit &&
        (negativeToo || value >= 0.0)) {
        return {};
    }
    return QStringLiteral("%1 is %2, not %3 within 1e100")
        .arg(name, Number(value),
             negativeToo ? QStringLiteral("a number of MHz") : QStringLiteral("0 MHz or more"));
}

// The model's ranges, as the command line keeps them.
QString CheckModel(const SpurModel& model) {
    const QString converter = Latin(kConverter) + QLatin1Char('.');
    QString problem =
        CountProblem(converter + QStringLiteral("interleave"), model.interleave, 1, kMaxInterleave);
    const auto orders = [&](const QString& name, int value) {
        if (problem.isEmpty()) {
            problem = CountProblem(name, value, 1, kMaxModelOrder);
        }
    };
    const auto frequency = [&](const QString& name, double value, bool negativeToo) {
        if (problem.isEmpty()) {
            problem = FrequencyProblem(name, value, negativeToo);
        }
    };
    orders(converter + QStringLiteral("interleave_orders"), model.interleaveOrders);
    if (model.hasClockSpur) {
        frequency(converter + QStringLiteral("clock_spur_mhz"), model.clockSpur, true);
    }
    orders(converter + QStringLiteral("clock_spur_orders"), model.clockSpurOrders);
    if (problem.isEmpty() && model.interferers.size() > kMaxInterferers) {
        return QStringLiteral("%1%2 holds %3 interferers, at most %4")
            .arg(converter, Latin(kInterferers))
            .arg(model.interferers.size())
            .arg(kMaxInterferers);
    }
    const auto level = [&](const QString& name, std::optional<double> value) {
        if (problem.isEmpty() && value && !ValidLevel(*value)) {
            problem =
                QStringLiteral("%1 is %2, not a level from -200 to 0").arg(name, Number(*value));
        }
    };
    for (std::size_t i = 0; i < model.interferers.size(); ++i) {
        const Interferer& in = model.interferers[i];
        const QString name = QStringLiteral("%1%2[%3].").arg(converter, Latin(kInterferers)).arg(i);
        frequency(name + QStringLiteral("centre_mhz"), in.centre, true);
        frequency(name + QStringLiteral("width_mhz"), in.width, false);
        orders(name + QStringLiteral("orders"), in.orders);
        level(name + QStringLiteral("level_dbfs"), in.level);
    }
    const SpurLevels& levels = model.levels;
    level(converter + QStringLiteral("signal_level_dbfs"), levels.signal);
    const std::pair<const char*, const std::vector<double>*> lists[] = {
        {"harmonic_levels_dbc", &levels.harmonics},
        {"image_levels_dbc", &levels.images},
        {"sideband_levels_dbc", &levels.sidebands}};
    for (const auto& [key, list] : lists) {
        if (problem.isEmpty() && list->size() > static_cast<std::size_t>(kMaxLevelList)) {
            problem = QStringLiteral("%1%2 holds %3 levels, at most %4")
                          .arg(converter, Latin(key))
                          .arg(list->size())
                          .arg(kMaxLevelList);
        }
        for (const double v : *list) {
            level(converter + Latin(key), v);
        }
    }
    level(converter + QStringLiteral("offset_level_dbfs"), levels.offset);
    level(converter + QStringLiteral("spur_floor_dbc"), levels.floor);
    return problem;
}

// The rules a value must keep whether it comes from a document or is about to go into one.
QString CheckValues(const PlanFileValues& values) {
    using NumberField = std::optional<double> PlanFileValues::*;
    for (const auto& member : kPlanMembers) {
        if (const auto* field = std::get_if<NumberField>(&member.field)) {
            const auto& number = values.**field;
            if (number && !std::isfinite(*number)) {
                return QStringLiteral("%1 is %2, not a finite number")
                    .arg(Latin(member.key), Number(*number));
            }
        }
    }
    using RangeField = std::optional<FrequencyInterval> FinderSettings::*;
    for (const auto& member : kFinderMembers) {
        if (const auto* field = std::get_if<RangeField>(&member.field)) {
            if (QString problem = CheckRange(member.key, values.finder.**field);
                !problem.isEmpty()) {
                return problem;
            }
        }
    }
    const auto& margin = values.finder.margin;
    if (margin && !(std::isfinite(*margin) && *margin >= 0.0)) {
        return QStringLiteral("finder.%1 is %2: it must be 0 or more")
            .arg(Latin(kMargin), Number(*margin));
    }
    return values.model ? CheckModel(*values.model) : QString();
}

// Reads every member of `members` that holds a value of its own; an object member is read
// by its own table.
template <typename Owner, std::size_t N>
void ReadMembers(const std::array<Member<Owner>, N>& members, MemberReader& reader, Owner& owner) {
    for (const auto& member : members) {
        std::visit(Overloaded{[&](std::optional<double> Owner::*field) {
                                  reader.ReadNumber(member.key, owner.*field);
                              },
                              [&](std::optional<int> Owner::*field) {
                                  reader.ReadInteger(member.key, owner.*field);
                              },
                              [&](std::optional<FrequencyInterval> Owner::*field) {
                                  reader.ReadRange(member.key, owner.*field);
                              },
                              [&](std::optional<std::vector<double>> Owner::*field) {
                                  reader.ReadNumbers(member.key, owner.*field);
                              },
                              [&](const auto& choice) {
                                  if constexpr (requires { choice.names; }) {
                                      reader.ReadChoice(member.key, *choice.names,
                                                        owner.*choice.field);
                                  }
                              }},
                   member.field);
    }
}

// Puts a nested object's kept members under its name, when it has any.
void KeepUnder(QJsonObject& kept, const char* key, const QJsonObject& members) {
    if (!members.isEmpty()) {
        kept.insert(Latin(key), members);
    }
}

// Writes the kept members of one object into `into`, as they were, where it has no member of
// their name; `lists` are the object's own lists, whose kept entries go into the entries
// written at their places and only there: an entry of only unknown members would be an
// interferer with no centre.
void MergeKept(QJsonObject& into, const QJsonObject& kept,
               std::initializer_list<const char*> lists = {}) {
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        const auto is = [&it](const char* key) { return it.key() == Latin(key); };
        if (std::any_of(lists.begin(), lists.end(), is)) {
            QJsonArray entries = into.value(it.key()).toArray();
            const QJsonArray extra = it->toArray();
            for (qsizetype i = 0; i < entries.size() && i < extra.size(); ++i) {
                QJsonObject entry = entries[i].toObject();
                MergeKept(entry, extra[i].toObject());
                entries[i] = entry;
            }
            if (!entries.isEmpty()) {
                into.insert(it.key(), entries);
            }
        } else if (!into.contains(it.key())) {
            into.insert(it.key(), *it);
        }
    }
}

// The kept members of a whole document into `root`: the finder's and the converter's into
// their objects, made when the values wrote none.
void MergeKeptDocument(QJsonObject& root, const QJsonObject& kept) {
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        const auto is = [&it](const char* key) { return it.key() == Latin(key); };
        if (is(kFinder) || is(kConverter)) {
            QJsonObject object = root.value(it.key()).toObject();
            MergeKept(object, it->toObject(), {kInterferers});
            if (!object.isEmpty()) {
                root.insert(it.key(), object);
            }
        } else if (!root.contains(it.key())) {
            root.insert(it.key(), *it);
        }
    }
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
    ReadMembers(kFinderMembers, reader, reading.values.finder);
    QJsonObject kept;
    reader.CollectUnknown(kFinderMembers, {}, reading.ignored, kept);
    KeepUnder(reading.kept, kFinder, kept);
    reading.error = reader.Error();
}

ConverterMembers ConverterMembersOf(const SpurModel& model) {
    ConverterMembers members{model.interleave, model.interleaveOrders, std::nullopt,
                             model.clockSpurOrders};
    if (model.hasClockSpur) {
        members.clockSpur = model.clockSpur;
    }
    // Levels only as given: a plan without them is written as it was before they were.
    const SpurLevels& levels = model.levels;
    if (levels.signal != SpurLevels{}.signal) {
        members.signalLevel = levels.signal;
    }
    const auto list = [](const std::vector<double>& values) {
        return values.empty() ? std::nullopt : std::optional(values);
    };
    members.harmonicLevels = list(levels.harmonics);
    members.imageLevels = list(levels.images);
    members.offsetLevel = levels.offset;
    members.sidebandLevels = list(levels.sidebands);
    members.floor = levels.floor;
    return members;
}

QJsonObject WriteConverter(const SpurModel& model);

// Writes every member of `members` that is set.
template <typename Owner, std::size_t N>
QJsonObject WriteMembers(const std::array<Member<Owner>, N>& members, const Owner& owner) {
    QJsonObject object;
    for (const auto& member : members) {
        const QString key = Latin(member.key);
        std::visit(
            Overloaded{[&](std::optional<SpurModel> Owner::*field) {
                           // A model left at its defaults adds nothing, and a plan
                           // without one is written as it always was.
                           if (const auto& model = owner.*field; model && *model != SpurModel{}) {
                               object.insert(key, WriteConverter(*model));
                           }
                       },
                       [&](std::optional<std::vector<double>> Owner::*field) {
                           if (const auto& list = owner.*field) {
                               QJsonArray numbers;
                               for (const double v : *list) {
                                   numbers.append(v);
                               }
                               object.insert(key, numbers);
                           }
                       },
                       [&](std::optional<FrequencyInterval> Owner::*field) {
                           if (const auto& r = owner.*field) {
                               object.insert(key, QJsonArray{r->lo, r->hi});
                           }
                       },
                       [&](FinderSettings Owner::*field) {
                           if (!(owner.*field).Empty()) {
                               object.insert(key, WriteMembers(kFinderMembers, owner.*field));
                           }
                       },
                       [&](const auto& field) {
                           if constexpr (requires { field.names; }) {
                               for (const auto& [choice, name] : *field.names) {
                                   if (owner.*field.field == choice) {
                                       object.insert(key, Latin(name));
                                   }
                               }
                           } else if (const auto& v = owner.*field) {
                               object.insert(key, *v);
                           }
                       }},
            member.field);
    }
    return object;
}

QJsonObject WriteConverter(const SpurModel& model) {
    QJsonObject object = WriteMembers(kConverterMembers, ConverterMembersOf(model));
    if (!model.interferers.empty()) {
        QJsonArray list;
        for (const Interferer& in : model.interferers) {
            list.append(WriteMembers(kInterfererMembers,
                                     InterfererMembers{in.centre, in.width, in.orders, in.level}));
        }
        object.insert(Latin(kInterferers), list);
    }
    return object;
}

// One interferer of the converter's list; its centre and width must be given.
std::optional<Interferer> ReadInterferer(const QJsonValue& value, const QString& name,
                                         QStringList& ignored, QJsonObject& kept, QString& error) {
    if (!value.isObject()) {
        error = NotA(name, value, QStringLiteral("an object"));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    MemberReader reader(object, name + QLatin1Char('.'));
    InterfererMembers given;
    ReadMembers(kInterfererMembers, reader, given);
    reader.CollectUnknown(kInterfererMembers, {}, ignored, kept);
    for (const auto& [key, field] :
         {std::pair{"centre_mhz", &given.centre}, std::pair{"width_mhz", &given.width}}) {
        if (!*field) {
            reader.Refuse(QStringLiteral("%1 has no %2").arg(name, Latin(key)));
        }
    }
    error = reader.Error();
    if (!error.isEmpty()) {
        return std::nullopt;
    }
    return Interferer{*given.centre, *given.width, given.orders.value_or(Interferer{}.orders),
                      given.level};
}

void ReadConverter(const QJsonObject& root, PlanDocumentReading& reading) {
    const QJsonValue value = root.value(Latin(kConverter));
    if (value.isUndefined()) {
        return;
    }
    if (!value.isObject()) {
        reading.error = NotA(Latin(kConverter), value, QStringLiteral("an object"));
        return;
    }
    const QJsonObject object = value.toObject();
    const QString prefix = Latin(kConverter) + QLatin1Char('.');
    MemberReader reader(object, prefix);
    ConverterMembers given;
    ReadMembers(kConverterMembers, reader, given);
    QJsonObject kept;
    reader.CollectUnknown(kConverterMembers, {kInterferers}, reading.ignored, kept);
    reading.error = reader.Error();
    if (!reading.error.isEmpty()) {
        return;
    }
    SpurModel model;
    model.interleave = given.interleave.value_or(model.interleave);
    model.interleaveOrders = given.interleaveOrders.value_or(model.interleaveOrders);
    model.hasClockSpur = given.clockSpur.has_value();
    model.clockSpur = given.clockSpur.value_or(0.0);
    model.clockSpurOrders = given.clockSpurOrders.value_or(model.clockSpurOrders);
    SpurLevels& levels = model.levels;
    levels.signal = given.signalLevel.value_or(levels.signal);
    levels.harmonics = given.harmonicLevels.value_or(levels.harmonics);
    levels.images = given.imageLevels.value_or(levels.images);
    levels.offset = given.offsetLevel;
    levels.sidebands = given.sidebandLevels.value_or(levels.sidebands);
    levels.floor = given.floor;
    const QJsonValue list = object.value(Latin(kInterferers));
    const QString listName = prefix + Latin(kInterferers);
    if (!list.isUndefined()) {
        if (!list.isArray()) {
            reading.error = NotA(listName, list, QStringLiteral("a list"));
            return;
        }
        const QJsonArray entries = list.toArray();
        if (entries.size() > kMaxInterferers) {
            reading.error = QStringLiteral("%1 holds %2 interferers, at most %3")
                                .arg(listName)
                                .arg(entries.size())
                                .arg(kMaxInterferers);
            return;
        }
        QJsonArray keptEntries;
        bool anyKept = false;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QJsonObject keptEntry;
            const auto in =
                ReadInterferer(entries[i], QStringLiteral("%1[%2]").arg(listName).arg(i),
                               reading.ignored, keptEntry, reading.error);
            if (!in) {
                return;
            }
            model.interferers.push_back(*in);
            anyKept = anyKept || !keptEntry.isEmpty();
            keptEntries.append(keptEntry);
        }
        if (anyKept) {
            kept.insert(Latin(kInterferers), keptEntries);
        }
    }
    KeepUnder(reading.kept, kConverter, kept);
    reading.values.model = model;
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

QByteArray PlanDocumentText(const PlanFileValues& values, const QJsonObject& kept) {
    QJsonObject root = WriteMembers(kPlanMembers, values);
    MergeKeptDocument(root, kept);
    root.insert(Latin(kFormat), Latin(kPlanFormatName));
    root.insert(Latin(kVersion), kPlanFormatVersion);
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
    ReadMembers(kPlanMembers, reader, values);
    reader.CollectUnknown(kPlanMembers, {kFormat, kVersion}, reading.ignored, reading.kept);
    reading.error = reader.Error();
    if (reading.error.isEmpty()) {
        ReadFinder(root, reading);
    }
    if (reading.error.isEmpty()) {
        ReadConverter(root, reading);
    }
    if (reading.error.isEmpty()) {
        reading.error = CheckValues(values);
    }
    if (!reading.error.isEmpty()) {
        reading.values = {};
        reading.ignored.clear();
        reading.kept = {};
    }
    return reading;
}

}  // namespace quorvel
