#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "app/QuorApp.h"
#include "dialogs/FirstTimeSplash.h"
#include "dialogs/QuorLogo.h"
#include "tests/support/AppTestSupport.h"

namespace {

TEST(Welcome, LogoTitleCheckBoxAndLinks)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    CFirstTimeSplash splash;
    splash.SetApplication(&app);
    EXPECT_EQ(splash.objectName(), "dlg316");
    EXPECT_EQ(splash.windowTitle(), "Welcome to QUOR_Log");

    // The logo is drawn from the program's own vector data, not a placeholder picture.
    auto* logo = splash.findChild<QLabel*>("id1171");
    ASSERT_NE(logo, nullptr);
    QImage image = logo->pixmap().toImage();
    ASSERT_FALSE(image.isNull());
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, image.width() * image.height() / 4);
    // Drawn, not left blank: the column's strata have their colours (a dark coal band under light sand).
    QImage drawn = QuorLogoPixmap(QSize(64, 64)).toImage();
    EXPECT_LT(qGray(drawn.pixel(18, 29)), 60);
    EXPECT_GT(qRed(drawn.pixel(18, 6)), 200);
    EXPECT_GT(qRed(drawn.pixel(18, 6)), qBlue(drawn.pixel(18, 6)) + 60);
    EXPECT_EQ(QuorLogoPixmap(QSize(32, 16)).size(), QSize(32, 16));

    bool titled = false;
    for (QLabel* label : splash.findChildren<QLabel*>())
        titled = titled || label->text().contains("QUOR_Log 3.3");
    EXPECT_TRUE(titled) << "the text carries the application title";

    auto* box = splash.findChild<QCheckBox*>("id1233");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "&Show this screen at startup");
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(splash.ShowAtStartup());

    auto* guide = splash.findChild<QPushButton*>("id1234");
    auto* notes = splash.findChild<QPushButton*>("id1235");
    ASSERT_NE(guide, nullptr);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(guide->text(), "&View Getting Started Guide");
    EXPECT_EQ(notes->text(), "View &Release Notes");
    guide->click();
    notes->click();
    EXPECT_EQ(sandbox.shell.files,
              std::vector<std::wstring>({(sandbox.programFolder() / "Guide.pdf").wstring(),
                                         (sandbox.programFolder() / "ReleaseNotes.txt").wstring()}));
    box->setChecked(true);
    EXPECT_TRUE(splash.ShowAtStartup());
}

} // namespace
