// Typing into the edit fields: every change reads all five and redraws; text that does
// not convert is marked in place and leaves its field at the last good value.
#include "dialog/field_mark.h"
#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

struct TypedValue {
    const char* name;
    int id;
    const char* text;
    double PlanFields::*number;
    double expected;
};

class TypingTest : public MainDialogTest, public ::testing::WithParamInterface<TypedValue> {};

TEST_P(TypingTest, ReadsTheFieldRedrawsAndLeavesTheSliderAlone) {
    const TypedValue& row = GetParam();
    const int paints = dlg->PaintCount();
    TypeInto(Field(row.id), row.text);

    EXPECT_EQ(Plan().*row.number, row.expected);
    EXPECT_EQ(Text(row.id), row.text);  // shown as typed
    EXPECT_EQ(Slider().value(), 737);
    EXPECT_EQ(Slider().minimum(), 368);
    ASSERT_TRUE(Repainted(paints));
    PlanFields expected;
    expected.*row.number = row.expected;
    EXPECT_TRUE(ChartsShow(expected));
}

INSTANTIATE_TEST_SUITE_P(
    EachNumberField, TypingTest,
    ::testing::Values(TypedValue{"If", IDC_IF, "200.5", &PlanFields::m_if, 200.5},
                      TypedValue{"IfBw", IDC_IF_BW, "35", &PlanFields::m_ifBw, 35.0},
                      TypedValue{"RfBw", IDC_RF_BW, " 2.5e2 ", &PlanFields::m_rfBw, 250.0},
                      TypedValue{"Fs", IDC_FS, "1000.5", &PlanFields::m_fs, 1000.5},
                      TypedValue{"NegativeFs", IDC_FS, "-5", &PlanFields::m_fs, -5.0},
                      TypedValue{"FsWithItsUnit", IDC_FS, "3 GHz", &PlanFields::m_fs, 3000.0},
                      TypedValue{"IfAsAQuotient", IDC_IF, "2.4GHz/2", &PlanFields::m_if, 1200.0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainDialogTest, HarmonicsAbove26StayAsTypedButAreDrawnAs26) {
    const int paints = dlg->PaintCount();
    TypeInto(Field(IDC_HARMONICS), "40");
    ASSERT_TRUE(Repainted(paints));
    EXPECT_EQ(Text(IDC_HARMONICS), "40");
    EXPECT_TRUE(ChartsShow(PlanFields{.m_harmonics = 26}));
    EXPECT_EQ(Plan().m_harmonics, 26);  // the paint lowers the field itself
    EXPECT_EQ(Field(IDC_HARMONICS).toolTip(), "Drawn as 26: the charts show harmonics up to 26.");
    TypeInto(Field(IDC_HARMONICS), "12");
    EXPECT_TRUE(Field(IDC_HARMONICS).toolTip().isEmpty());
}

TEST_F(MainDialogTest, WidthsSeldomMeantAreNotedNotRefused) {
    TypeInto(Field(IDC_IF_BW), "-20");
    TypeInto(Field(IDC_RF_BW), "10");
    EXPECT_EQ(Plan().m_ifBw, -20.0);
    EXPECT_EQ(Plan().m_rfBw, 10.0);
    EXPECT_TRUE(Field(IDC_IF_BW).toolTip().contains("negative width"));
    EXPECT_TRUE(Field(IDC_RF_BW).toolTip().contains("Narrower than the IF BW"));
    EXPECT_FALSE(IsFieldMarked(Field(IDC_RF_BW)));
}

TEST_F(MainDialogTest, HarmonicsOfZeroOrBelowAreLeftAlone) {
    for (const int count : {0, -3, 26}) {
        TypeInto(Field(IDC_HARMONICS), QString::number(count));
        EXPECT_TRUE(ChartsShow(Plan()));
        EXPECT_EQ(Plan().m_harmonics, count);
    }
}

struct BadText {
    const char* name;
    int id;
    const char* text;
    const char* problem;
};

class BadTextTest : public MainDialogTest, public ::testing::WithParamInterface<BadText> {};

TEST_P(BadTextTest, IsMarkedInPlaceAndTheFieldKeepsItsLastGoodValue) {
    const BadText& row = GetParam();
    const PlanFields before = Plan();
    const int paints = dlg->PaintCount();

    PasteInto(Field(row.id), row.text);

    EXPECT_EQ(Plan(), before);
    EXPECT_EQ(Text(row.id), row.text);  // the user's text stays for correcting
    EXPECT_TRUE(IsFieldMarked(Field(row.id)));
    EXPECT_EQ(Field(row.id).toolTip(), row.problem);
    EXPECT_NE(Field(row.id).palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
    ASSERT_TRUE(Repainted(paints));  // the charts still redraw from the fields as they stand
    EXPECT_TRUE(ChartsShow(before));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// One row per field and kind of text; which texts convert is number_text_test's business.
constexpr const char* kNumber = "Please enter a number.";
constexpr const char* kInteger = "Please enter an integer.";

INSTANTIATE_TEST_SUITE_P(EachKindOfText, BadTextTest,
                         ::testing::Values(BadText{"Empty", IDC_IF_BW, "", kNumber},
                                           BadText{"Word", IDC_IF, "abc", kNumber},
                                           BadText{"Overflow", IDC_RF_BW, "1e999", kNumber},
                                           BadText{"TrailingJunk", IDC_FS, "737.28MHz?", kNumber},
                                           BadText{"FractionalCount", IDC_HARMONICS, "1.5",
                                                   kInteger},
                                           BadText{"EmptyCount", IDC_HARMONICS, "", kInteger}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainDialogTest, OtherFieldsAreStillReadWhileOneIsMarked) {
    PasteInto(Field(IDC_FS), "12x");
    TypeInto(Field(IDC_IF), "150");
    EXPECT_EQ(Plan().m_if, 150.0);
    EXPECT_EQ(Plan().m_fs, 737.28);
    EXPECT_TRUE(IsFieldMarked(Field(IDC_FS)));
    EXPECT_FALSE(IsFieldMarked(Field(IDC_IF)));
}

TEST_F(MainDialogTest, TheMarkGoesAsSoonAsTheTextConverts) {
    const QColor normal = Field(IDC_IF).palette().color(QPalette::Base);
    TypeInto(Field(IDC_IF), "-");
    ASSERT_TRUE(IsFieldMarked(Field(IDC_IF)));
    QTest::keyClicks(&Field(IDC_IF), "5");  // "-5"
    EXPECT_FALSE(IsFieldMarked(Field(IDC_IF)));
    EXPECT_EQ(Field(IDC_IF).toolTip(), "");
    EXPECT_EQ(Field(IDC_IF).palette().color(QPalette::Base), normal);
    EXPECT_EQ(Plan().m_if, -5.0);
}

}  // namespace
}  // namespace quorvel::test
