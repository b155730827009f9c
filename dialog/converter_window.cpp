#include "dialog/converter_window.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <cmath>
#include <string>
#include <utility>

#include "dialog/action_menu.h"
#include "dialog/field_mark.h"
#include "dialog/side_window_action.h"
#include "dialog/spur_plan_dlg.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"
#include "plan/spur_query.h"

namespace quorvel {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsEmpty(const QLineEdit& edit) {
    return edit.text().trimmed().isEmpty();
}

// A count from 1 to `hi`; an empty field is the default. Marks the field and gives
// nothing when the text will not do.
std::optional<int> ReadCount(QLineEdit& edit, int hi, int whenEmpty) {
    if (IsEmpty(edit)) {
        ClearFieldMark(edit);
        return whenEmpty;
    }
    const auto value = ParsePlanInteger(edit.text().toStdString());
    if (!value) {
        MarkField(edit, FieldKind::Integer);
        return std::nullopt;
    }
    if (*value < 1 || *value > hi) {
        MarkField(edit, QStringLiteral("Please enter a whole number from 1 to %1.").arg(hi));
        return std::nullopt;
    }
    ClearFieldMark(edit);
    return *value;
}

// A frequency in MHz within the finder's limit, at least `lo`.
std::optional<double> ReadFrequency(QLineEdit& edit, double lo) {
    const auto value = ParseFrequencyText(edit.text().toStdString());
    if (!value) {
        MarkField(edit, FieldKind::Number);
        return std::nullopt;
    }
    if (!(*value >= lo && std::fabs(*value) <= kFinderFrequencyLimit)) {
        MarkField(edit, lo == 0.0 ? QStringLiteral("Please enter 0 MHz or more.")
                                  : QStringLiteral("Please enter a number of MHz within 1e100."));
        return std::nullopt;
    }
    ClearFieldMark(edit);
    return *value;
}

QString LevelRangeText() {
    return QStringLiteral("from %1 to %2")
        .arg(Text(ShortestNumberText(kLowestLevel)), Text(ShortestNumberText(kHighestLevel)));
}

// A level in dB from -200 to 0 into `into`; an empty field reads as none. Text that will not
// do marks the field and leaves `into` as it was.
void ReadLevel(QLineEdit& edit, std::optional<double>& into) {
    if (IsEmpty(edit)) {
        ClearFieldMark(edit);
        into.reset();
        return;
    }
    const auto value = ParsePlanNumber(edit.text().toStdString());
    if (!value) {
        MarkField(edit, FieldKind::Number);
        return;
    }
    if (!ValidLevel(*value)) {
        MarkField(edit, QStringLiteral("Please enter a level %1.").arg(LevelRangeText()));
        return;
    }
    ClearFieldMark(edit);
    into = *value;
}

// Levels by order, separated by commas, into `into`; an empty field is none given.
void ReadLevelList(QLineEdit& edit, std::vector<double>& into) {
    if (IsEmpty(edit)) {
        ClearFieldMark(edit);
        into.clear();
        return;
    }
    const QStringList entries = edit.text().split(QLatin1Char(','));
    if (entries.size() > kMaxLevelList) {
        MarkField(edit, QStringLiteral("Please enter at most %1 levels; there are %2.")
                            .arg(kMaxLevelList)
                            .arg(entries.size()));
        return;
    }
    const QString wanted =
        QStringLiteral("please enter levels %1, separated by commas.").arg(LevelRangeText());
    std::vector<double> levels;
    for (const QString& entry : entries) {
        const auto value = ParsePlanNumber(entry.toStdString());
        if (!value || !ValidLevel(*value)) {
            MarkField(edit, entry.trimmed().isEmpty()
                                ? QStringLiteral("A level is missing: %1").arg(wanted)
                                : QStringLiteral("\u201c%1\u201d is not a level: %2")
                                      .arg(entry.trimmed(), wanted));
            return;
        }
        levels.push_back(*value);
    }
    ClearFieldMark(edit);
    into = std::move(levels);
}

QString LevelText(std::optional<double> level) {
    return level ? Text(ShortestNumberText(*level)) : QString();
}

QString LevelListText(const std::vector<double>& levels) {
    QStringList texts;
    for (const double level : levels) {
        texts << Text(ShortestNumberText(level));
    }
    return texts.join(QStringLiteral(", "));
}

QLineEdit* Field(QWidget* parent, const QString& placeholder, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setPlaceholderText(placeholder);
    edit->setMaximumWidth(width);
    return edit;
}

QLabel* Label(const QString& text, QLineEdit* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QString Summary(const SpurModel& model) {
    const std::size_t members = ModelledMembersOf(model).size();
    if (members == 0) {
        return QStringLiteral("No converter spurs: the harmonics alone are judged.");
    }
    return QStringLiteral(
               "%1 converter spur%2 judged beside the harmonics, in the clean map, "
               "its slider strip and the spur table.")
        .arg(members)
        .arg(members == 1 ? QString() : QStringLiteral("s"));
}

}  // namespace

ConverterWindow::ConverterWindow(CSpurPlanDlg& main) : QWidget(&main, Qt::Window), main_(main) {
    setWindowTitle(QStringLiteral("Converter"));
    const QString one = QStringLiteral("1");
    const QString unknown = QStringLiteral("unknown");

    auto* interleaving = new QGroupBox(QStringLiteral("Interleaving"), this);
    auto* interleavingGrid = new QGridLayout(interleaving);
    interleave_ = Field(this, one, 80);
    interleave_->setToolTip(QStringLiteral("Cores of a time-interleaved converter, 1 to %1; 1 "
                                           "is not interleaved")
                                .arg(kMaxInterleave));
    imageOrders_ = Field(this, one, 80);
    interleavingGrid->addWidget(Label(QStringLiteral("&Cores (M):"), interleave_, this), 0, 0);
    interleavingGrid->addWidget(interleave_, 0, 1);
    interleavingGrid->addWidget(Label(QStringLiteral("&Image orders:"), imageOrders_, this), 0, 2);
    interleavingGrid->addWidget(imageOrders_, 0, 3);
    interleavingGrid->addWidget(
        new QLabel(QStringLiteral("Images at q Fs/M + n f, offset tones at q Fs/M."), this), 1, 0,
        1, 5);
    interleavingGrid->setColumnStretch(4, 1);

    auto* clock = new QGroupBox(QStringLiteral("Clock spur"), this);
    auto* clockGrid = new QGridLayout(clock);
    clockSpur_ = Field(this, QStringLiteral("none"), 120);
    sidebandOrders_ = Field(this, one, 80);
    clockGrid->addWidget(Label(QStringLiteral("&Offset Fc (MHz):"), clockSpur_, this), 0, 0);
    clockGrid->addWidget(clockSpur_, 0, 1);
    clockGrid->addWidget(Label(QStringLiteral("Si&deband orders:"), sidebandOrders_, this), 0, 2);
    clockGrid->addWidget(sidebandOrders_, 0, 3);
    clockGrid->addWidget(
        new QLabel(QStringLiteral("Sidebands at n f + Fc and n f - Fc; empty: no clock spur."),
                   this),
        1, 0, 1, 5);
    clockGrid->setColumnStretch(4, 1);

    auto* levels = new QGroupBox(QStringLiteral("Levels"), this);
    auto* levelGrid = new QGridLayout(levels);
    signalLevel_ = Field(this, Text(ShortestNumberText(SpurLevels{}.signal)), 80);
    offsetLevel_ = Field(this, unknown, 80);
    floor_ = Field(this, QStringLiteral("none"), 80);
    // The lists run under the three single levels, as wide as they are together.
    harmonicLevels_ = Field(this, QStringLiteral("HD2, HD3, ..."), QWIDGETSIZE_MAX);
    imageLevels_ = Field(this, QStringLiteral("orders 1, 2, ..."), QWIDGETSIZE_MAX);
    sidebandLevels_ = Field(this, QStringLiteral("orders 1, 2, ..."), QWIDGETSIZE_MAX);
    constexpr int kListSpan = 5;
    levelGrid->addWidget(Label(QStringLiteral("Si&gnal (dBFS):"), signalLevel_, this), 0, 0);
    levelGrid->addWidget(signalLevel_, 0, 1);
    levelGrid->addWidget(Label(QStringLiteral("Offse&t tones (dBFS):"), offsetLevel_, this), 0, 2);
    levelGrid->addWidget(offsetLevel_, 0, 3);
    levelGrid->addWidget(Label(QStringLiteral("Spur &floor (dBc):"), floor_, this), 0, 4);
    levelGrid->addWidget(floor_, 0, kListSpan);
    const std::pair<QString, QLineEdit*> lists[] = {
        {QStringLiteral("&Harmonics (dBc):"), harmonicLevels_},
        {QStringLiteral("I&mages (dBc):"), imageLevels_},
        {QStringLiteral("&Sidebands (dBc):"), sidebandLevels_}};
    int levelRow = 1;
    for (const auto& [text, edit] : lists) {
        levelGrid->addWidget(Label(text, edit, this), levelRow, 0);
        levelGrid->addWidget(edit, levelRow, 1, 1, kListSpan);
        ++levelRow;
    }
    auto* levelNote = new QLabel(QStringLiteral("Levels by order, separated by commas: "
                                                "-70, -75, -85; empty: unknown. A spur counts "
                                                "only above the floor, and an unknown level "
                                                "always counts."),
                                 this);
    levelNote->setWordWrap(true);
    levelGrid->addWidget(levelNote, levelRow, 0, 1, kListSpan + 2);
    levelGrid->setColumnStretch(kListSpan + 1, 1);

    auto* interferers = new QGroupBox(QStringLiteral("Interferers"), this);
    auto* table = new QGridLayout(interferers);
    const QString headings[] = {QStringLiteral("Centre (MHz)"), QStringLiteral("Width (MHz)"),
                                QStringLiteral("Orders"), QStringLiteral("Level (dBFS)")};
    for (int column = 0; column < kInterfererColumns; ++column) {
        table->addWidget(new QLabel(headings[column], this), 0, column + 1);
    }
    for (int row = 0; row < kMaxInterferers; ++row) {
        table->addWidget(new QLabel(QString::number(row + 1), this), row + 1, 0);
        InterfererRow& edits = interfererRows_[static_cast<std::size_t>(row)];
        edits[kCentreColumn] = Field(this, {}, 120);
        edits[kWidthColumn] = Field(this, {}, 120);
        edits[kOrdersColumn] = Field(this, one, 80);
        edits[kLevelColumn] = Field(this, unknown, 80);
        for (int column = 0; column < kInterfererColumns; ++column) {
            table->addWidget(edits[static_cast<std::size_t>(column)], row + 1, column + 1);
        }
    }
    table->addWidget(new QLabel(QStringLiteral("A signal outside the wanted band and its "
                                               "harmonics, fixed in frequency; an empty row "
                                               "is none."),
                                this),
                     kMaxInterferers + 1, 0, 1, kInterfererColumns + 2);
    table->setColumnStretch(kInterfererColumns + 1, 1);

    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(interleaving);
    layout->addWidget(clock);
    layout->addWidget(interferers);
    layout->addWidget(levels);
    layout->addWidget(summary_);
    layout->addStretch();

    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textChanged, this, &ConverterWindow::OnFieldEdited);
    }
    connect(&main_, &CSpurPlanDlg::ModelChanged, this, &ConverterWindow::OnModelChanged);
    ShowModel(main_.Model());
    ShareMainWindowKeys(*this, main_);
}

QLineEdit* ConverterWindow::InterfererEdit(int row, InterfererColumn column) const {
    if (row < 0 || row >= kMaxInterferers || column < 0 || column >= kInterfererColumns) {
        return nullptr;
    }
    return interfererRows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ConverterWindow::ShowModel(const SpurModel& model) {
    const auto show = [](QLineEdit& edit, const QString& text) {
        const QSignalBlocker blocker(&edit);
        edit.setText(text);
        ClearFieldMark(edit);
    };
    const auto count = [](int value) { return Text(FormatPlanInteger(value)); };
    show(*interleave_, count(model.interleave));
    show(*imageOrders_, count(model.interleaveOrders));
    show(*clockSpur_, model.hasClockSpur ? Text(ShortestNumberText(model.clockSpur)) : QString());
    show(*sidebandOrders_, count(model.clockSpurOrders));
    show(*signalLevel_, LevelText(model.levels.signal));
    show(*harmonicLevels_, LevelListText(model.levels.harmonics));
    show(*imageLevels_, LevelListText(model.levels.images));
    show(*offsetLevel_, LevelText(model.levels.offset));
    show(*sidebandLevels_, LevelListText(model.levels.sidebands));
    show(*floor_, LevelText(model.levels.floor));
    for (std::size_t row = 0; row < interfererRows_.size(); ++row) {
        InterfererRow& edits = interfererRows_[row];
        interferers_[row].reset();
        if (row < model.interferers.size()) {
            const Interferer& in = model.interferers[row];
            interferers_[row] = in;
            show(*edits[kCentreColumn], Text(ShortestNumberText(in.centre)));
            show(*edits[kWidthColumn], Text(ShortestNumberText(in.width)));
            show(*edits[kOrdersColumn], count(in.orders));
            show(*edits[kLevelColumn], LevelText(in.level));
        } else {
            for (QLineEdit* edit : edits) {
                show(*edit, QString());
            }
        }
    }
    summary_->setText(Summary(model));
}

void ConverterWindow::OnFieldEdited() {
    SpurModel model = main_.Model();
    const auto take = [](std::optional<int> value, int& into) {
        if (value) {
            into = *value;
        }
    };
    take(ReadCount(*interleave_, kMaxInterleave, SpurModel{}.interleave), model.interleave);
    take(ReadCount(*imageOrders_, kMaxModelOrder, SpurModel{}.interleaveOrders),
         model.interleaveOrders);
    take(ReadCount(*sidebandOrders_, kMaxModelOrder, SpurModel{}.clockSpurOrders),
         model.clockSpurOrders);
    if (IsEmpty(*clockSpur_)) {
        ClearFieldMark(*clockSpur_);
        model.hasClockSpur = false;
        model.clockSpur = 0.0;
    } else if (const auto fc = ReadFrequency(*clockSpur_, -kFinderFrequencyLimit)) {
        model.hasClockSpur = true;
        model.clockSpur = *fc;
    }
    SpurLevels& levels = model.levels;
    std::optional<double> signal = levels.signal;
    ReadLevel(*signalLevel_, signal);
    levels.signal = signal.value_or(SpurLevels{}.signal);
    ReadLevelList(*harmonicLevels_, levels.harmonics);
    ReadLevelList(*imageLevels_, levels.images);
    ReadLevel(*offsetLevel_, levels.offset);
    ReadLevelList(*sidebandLevels_, levels.sidebands);
    ReadLevel(*floor_, levels.floor);
    model.interferers.clear();
    for (std::size_t row = 0; row < interfererRows_.size(); ++row) {
        InterfererRow& edits = interfererRows_[row];
        std::optional<Interferer>& kept = interferers_[row];
        if (IsEmpty(*edits[kCentreColumn]) && IsEmpty(*edits[kWidthColumn])) {
            // An empty row is no interferer, whatever its orders say.
            for (QLineEdit* edit : edits) {
                ClearFieldMark(*edit);
            }
            kept.reset();
            continue;
        }
        // A row needs its centre and width; until both convert it keeps what it had.
        const auto centre = ReadFrequency(*edits[kCentreColumn], -kFinderFrequencyLimit);
        const auto width = ReadFrequency(*edits[kWidthColumn], 0.0);
        const auto orders = ReadCount(*edits[kOrdersColumn], kMaxModelOrder, Interferer{}.orders);
        if (kept || (centre && width)) {
            Interferer in = kept.value_or(Interferer{});
            in.centre = centre.value_or(in.centre);
            in.width = width.value_or(in.width);
            in.orders = orders.value_or(in.orders);
            ReadLevel(*edits[kLevelColumn], in.level);
            kept = in;
        } else {
            // Its level is judged all the same, so that a bad one is marked as it is typed.
            std::optional<double> level;
            ReadLevel(*edits[kLevelColumn], level);
        }
        if (kept) {
            model.interferers.push_back(*kept);
        }
    }
    summary_->setText(Summary(model));
    taking_ = true;
    main_.SetModel(model);
    taking_ = false;
}

void ConverterWindow::OnModelChanged() {
    // The window's own change is in its fields as typed, marks and all; another's (a plan
    // file opened) is shown.
    if (!taking_) {
        ShowModel(main_.Model());
    }
}

QAction* InstallConverterWindow(CSpurPlanDlg& main) {
    return InstallSideWindowAction<ConverterWindow>(main, QStringLiteral("Converter..."),
                                                    QKeySequence(Qt::CTRL | Qt::Key_K));
}

}  // namespace quorvel
