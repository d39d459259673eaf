#include "main/toolkit/Bundle.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "base/Log.h"

namespace {

struct BundleTest : ::testing::Test {
    QTemporaryDir dir;
    tk::Bundle bundle{dir.path()};

    void writePicture(const QString& name, QColor color) {
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(dir.path() + "/" + name + ".png"));
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile out(dir.path() + "/" + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
};

TEST_F(BundleTest, PictureByResourceName) {
    writePicture("logo", Qt::green);
    const tk::Image logo = bundle.image("logo");
    EXPECT_FALSE(logo.isNull());
    EXPECT_EQ(logo.name(), "logo");
    EXPECT_EQ(logo.pixels().size(), QSize(4, 3));
    EXPECT_EQ(logo.pixels().pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(BundleTest, PicturesLargerThanTheWindowAreKeptAtTheWindowsSize) {
    QImage wide(40, 3, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(dir.path() + "/bg.png"));
    writePicture("logo", Qt::green);
    bundle.fitPicturesToWindow(QSize(10, 20));  // offscreen: one device pixel per point
    EXPECT_EQ(bundle.image("bg").pixels().size(), QSize(10, 3)) << "each direction on its own";
    EXPECT_EQ(bundle.image("bg").pixels().pixelColor(5, 1), QColor(Qt::blue));
    EXPECT_EQ(bundle.image("logo").pixels().size(), QSize(4, 3)) << "small ones stay as drawn";
}

TEST_F(BundleTest, MissingResourcesGiveNothing) {
    const tk::Image missing = bundle.image("layout_power_on");
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(missing.name(), "layout_power_on") << "the name stays known";
    EXPECT_EQ(bundle.pathForResource("zh", "plist"), std::nullopt);
    EXPECT_TRUE(bundle.image("").isNull());
}

TEST_F(BundleTest, FileThatIsNoPictureGivesNothingAndOneLogLine) {
    writeFile("bg.png", "not a png at all");
    base::LogCapture capture;
    EXPECT_TRUE(bundle.image("bg").isNull());
    EXPECT_EQ(capture.lines().size(), 1u);
}

TEST_F(BundleTest, NamesCannotLeaveTheResourceDirectory) {
    QTemporaryDir outside;
    QImage(2, 2, QImage::Format_ARGB32).save(outside.path() + "/secret.png");
    const QString relative = "../" + QFileInfo(outside.path()).fileName() + "/secret";
    EXPECT_TRUE(bundle.image(relative).isNull());
    EXPECT_EQ(bundle.pathForResource(relative, "png"), std::nullopt);
    EXPECT_EQ(bundle.pathForResource("logo", "../png"), std::nullopt);
}

TEST_F(BundleTest, PathForResourceFindsAnyType) {
    writeFile("en.plist", "<plist/>");
    EXPECT_EQ(bundle.pathForResource("en", "plist"), dir.path() + "/en.plist");
    EXPECT_EQ(bundle.pathForResource("en", "png"), std::nullopt);
}

TEST_F(BundleTest, DictionaryFromAPropertyList) {
    writeFile("en.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<plist version=\"1.0\"><dict>"
              "<key>Menu</key><string>Menu</string>"
              "<key>Setting</key><string>Settings</string>"
              "</dict></plist>\n");
    const auto english = bundle.dictionary("en");
    ASSERT_TRUE(english);
    EXPECT_EQ(english->value("Menu"), "Menu");
    EXPECT_EQ(english->value("Setting"), "Settings");
}

TEST_F(BundleTest, MissingOrDamagedDictionaryGivesNothing) {
    EXPECT_EQ(bundle.dictionary("zh"), std::nullopt);
    writeFile("zh.plist", "<plist><dict><key>Menu</key>");
    base::LogCapture capture;
    EXPECT_EQ(bundle.dictionary("zh"), std::nullopt);
    EXPECT_EQ(bundle.dictionary("../zh"), std::nullopt);
}

TEST_F(BundleTest, LoadedPicturesAreCached) {
    writePicture("bg", Qt::red);
    EXPECT_FALSE(bundle.image("bg").isNull());
    QFile::remove(dir.path() + "/bg.png");
    EXPECT_FALSE(bundle.image("bg").isNull());
}

}  // namespace
