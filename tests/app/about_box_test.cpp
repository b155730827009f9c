// The About box, and the application object that runs the main dialog and opens the box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/about_dlg.h"
#include "app/spur_plan_app.h"
#include "dialog/spur_plan_dlg.h"
#include "res/main_frame_icon.h"
#include "res/version.h"
#include "widget_test_support.h"

namespace quorvel {
namespace {

std::vector<QString> LabelTexts(const QWidget& box) {
    std::vector<QString> texts;
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts.push_back(label->text());
        }
    }
    return texts;
}

TEST(AboutBox, ShowsIconVersionCopyrightAndADefaultOk) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Quorvel");
    const std::vector<QString> texts = LabelTexts(about);
    EXPECT_EQ(texts, (std::vector<QString>{"Quorvel Version 1.1", version::kLegalCopyright}));

    int icons = 0;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            ++icons;
            EXPECT_EQ(label->pixmap().size(), QSize(32, 32));
        }
    }
    EXPECT_EQ(icons, 1);

    const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->isDefault());
    EXPECT_EQ(about.minimumSize(), about.maximumSize());  // a modal frame does not resize
}

TEST(AboutBox, EveryTextFitsInsideTheBox) {
    CAboutDlg about;
    about.show();
    for (const QWidget* child : about.findChildren<QWidget*>()) {
        EXPECT_TRUE(about.rect().contains(child->geometry())) << child->objectName().toStdString();
    }
}

TEST(AboutBox, OkAndEscapeEndIt) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        CAboutDlg about;
        about.show();
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible());
    }
}

// Runs `step` once the event loop of a modal window is running.
void Later(std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
}

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

TEST(SpurPlanApp, HelpOpensTheAboutBoxModallyAndEscapeThenEndsTheProgram) {
    CSpurPlanApp app;
    std::vector<QString> seen;
    bool mainUnchangedAfterAbout = false;
    Later([&] {
        auto* main = qobject_cast<CSpurPlanDlg*>(ActiveModal());
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(app.m_pMainWnd, main);
        const PlanFields before = main->Plan();
        Later([&, main, before] {
            QWidget* about = ActiveModal();
            ASSERT_NE(about, nullptr);
            ASSERT_NE(about, main);
            seen = LabelTexts(*about);
            QTest::keyClick(about, Qt::Key_Return);
            Later([&, main, before] {
                mainUnchangedAfterAbout = ActiveModal() == main && main->Plan() == before;
                QTest::keyClick(main, Qt::Key_Escape);
            });
        });
        QTest::keyClick(main, Qt::Key_F1);  // runs the About box's own loop
    });

    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(seen, (std::vector<QString>{"Quorvel Version 1.1", version::kLegalCopyright}));
    EXPECT_TRUE(mainUnchangedAfterAbout);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windows.begin(), windows.end(),
                             [](const QWidget* w) { return w->isVisible(); }));
}

TEST(SpurPlanApp, StartsTheDialogWithTheGivenFields) {
    CSpurPlanApp app(PlanFields{.m_fs = 1000.0, .m_if = 120.5, .m_harmonics = 7});
    PlanFields shown;
    int lastSliderPos = 0;
    Later([&] {
        auto* main = qobject_cast<CSpurPlanDlg*>(ActiveModal());
        ASSERT_NE(main, nullptr);
        shown = main->Plan();
        lastSliderPos = main->LastSliderPos();
        QTest::keyClick(main, Qt::Key_Return);
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(shown.m_fs, 1000.0);
    EXPECT_EQ(shown.m_if, 120.5);
    EXPECT_EQ(shown.m_harmonics, 7);
    EXPECT_EQ(lastSliderPos, 1000);
}

}  // namespace
}  // namespace quorvel
