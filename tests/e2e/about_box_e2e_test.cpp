// F1 opens the About box over the window; it closes again and the window carries on.
#include "quorvel_window.h"

namespace quorvel::test {
namespace {

TEST_F(QuorvelWindowTest, HelpKeyOpensTheAboutBox) {
    ASSERT_TRUE(Keys({QStringLiteral("F1")}));
    const std::optional<QString> about = X().FindWindow(QStringLiteral("About Quorvel"));
    ASSERT_TRUE(about.has_value()) << "no About box after F1";
    const std::optional<QRect> box = X().Geometry(*about);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->size(), QSize(353, 89));
    SaveScreenshot(X().Grab(box->united(client_)), QStringLiteral("about-box"));

    ASSERT_TRUE(X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), *about}));
    ASSERT_TRUE(Keys({QStringLiteral("Return")}));
    EXPECT_TRUE(WaitFor([&] {
        return X().Run(QStringLiteral("xdotool"),
                       {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), QStringLiteral("^About Quorvel$")})
                   .exitCode != 0;
    })) << "the About box did not close";
    EXPECT_EQ(program_.state(), QProcess::Running);  // OK closes the box, not the program

    ASSERT_TRUE(X().XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_}));
    ASSERT_TRUE(Keys({QStringLiteral("Escape")}));
    EXPECT_EQ(ExitStatus(), 0);
}

}  // namespace
}  // namespace quorvel::test
