// The page setup's logo is read for printing only from a regular file of sane size.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QImage>

#include "platform/Paths.h"
#include "printsetup/pagesetup/LogoImage.h"
#include "tests/support/TestSupport.h"

TEST(LogoImage, ReadsAnImageFileButNeverWaitsOnAPipeOrReadsAHugeFile)
{
    QuorTest::TempDir dir;
    QImage logo(8, 4, QImage::Format_ARGB32);
    logo.fill(0xFF336699u);
    ASSERT_TRUE(logo.save(QString::fromStdString((dir / "logo.png").string())));
    const QImage read = ReadLogoImage(ORBAX_Platform::wide_from_path(dir / "logo.png"));
    EXPECT_EQ(read.size(), QSize(8, 4));
    EXPECT_EQ(read.pixel(0, 0), 0xFF336699u);

    // A pipe with no writer, a file too large and a missing one give no logo, at once.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_TRUE(ReadLogoImage(ORBAX_Platform::wide_from_path(dir / "fifo")).isNull());
    QuorTest::write_file(dir / "huge.png", "");
    std::filesystem::resize_file(dir / "huge.png", MaxLogoFileBytes + 1);
    EXPECT_TRUE(ReadLogoImage(ORBAX_Platform::wide_from_path(dir / "huge.png")).isNull());
    EXPECT_TRUE(ReadLogoImage(ORBAX_Platform::wide_from_path(dir / "missing.png")).isNull());
    EXPECT_TRUE(ReadLogoImage(L"").isNull());
}
