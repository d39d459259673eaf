// What the app reads from its bundle and keeps in its settings file.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "base/Log.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/UserDefaults.h"

namespace {

struct AppFilesTest : ::testing::Test {
    QTemporaryDir dir;
    tk::Bundle bundle{dir.path()};

    void writePicture(const QString& name, QColor color, QSize size = {4, 3}) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(dir.path() + "/" + name + ".png"));
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile out(dir.path() + "/" + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
};

TEST_F(AppFilesTest, PicturesLoadByNameOnceAndMissingOrBrokenOnesGiveNothing) {
    writePicture("logo", Qt::green);
    EXPECT_EQ(bundle.image("logo").pixels().pixelColor(3, 2), QColor(Qt::green));
    QFile::remove(dir.path() + "/logo.png");
    EXPECT_FALSE(bundle.image("logo").isNull()) << "loaded pictures are kept";

    const tk::Image missing = bundle.image("layout_power_on");
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(missing.name(), "layout_power_on") << "the name stays known";
    EXPECT_TRUE(bundle.image("").isNull());
    writeFile("bg.png", "not a png at all");
    base::LogCapture capture;
    EXPECT_TRUE(bundle.image("bg").isNull());
    EXPECT_EQ(capture.lines().size(), 1u);
}

TEST_F(AppFilesTest, PicturesLargerThanTheWindowAreKeptAtTheWindowsSize) {
    writePicture("bg", Qt::blue, {40, 8});
    writePicture("logo", Qt::green);
    bundle.fitPicturesToWindow(QSize(10, 20));  // offscreen: one device pixel per point
    EXPECT_EQ(bundle.image("bg").pixels().size(), QSize(10, 2)) << "kept in shape";
    EXPECT_EQ(bundle.image("bg").pixels().pixelColor(5, 1), QColor(Qt::blue));
    EXPECT_EQ(bundle.image("logo").pixels().size(), QSize(4, 3)) << "small ones stay as drawn";
}

TEST_F(AppFilesTest, NamesCannotLeaveTheResourceDirectory) {
    QTemporaryDir outside;
    QImage(2, 2, QImage::Format_ARGB32).save(outside.path() + "/secret.png");
    const QString relative = "../" + QFileInfo(outside.path()).fileName() + "/secret";
    EXPECT_EQ(bundle.pathForResource(relative, "png"), std::nullopt);
    EXPECT_EQ(bundle.pathForResource("logo", "../png"), std::nullopt);
}

// Reading the language files through the bundle is checked on the bundle's own files, and
// broken ones on the running app.
TEST_F(AppFilesTest, ResourcesAreFoundByNameAndType) {
    EXPECT_EQ(bundle.pathForResource("en", "plist"), std::nullopt);
    EXPECT_EQ(bundle.dictionary("en"), std::nullopt);
    writeFile("en.plist", "");
    EXPECT_EQ(bundle.pathForResource("en", "plist"), dir.path() + "/en.plist");
    EXPECT_EQ(bundle.pathForResource("en", "png"), std::nullopt);
}

TEST_F(AppFilesTest, UserDefaultsAreWrittenThroughAtOnceSurviveARestartAndDamageReadsZero) {
    const QString file = dir.path() + "/defaults.ini";
    {
        tk::UserDefaults writer(file);
        EXPECT_EQ(writer.integerForKey("languageFlag"), 0) << "a missing key";
        writer.setInteger(1, "languageFlag");
        writer.setInteger(-5000000000LL, "big");
        // A second reader sees it while the writer lives: the app may be killed at any time.
        EXPECT_EQ(tk::UserDefaults(file).integerForKey("languageFlag"), 1);
    }
    tk::UserDefaults again(file);
    EXPECT_EQ(again.integerForKey("languageFlag"), 1);
    EXPECT_EQ(again.integerForKey("big"), -5000000000LL);
    writeFile("defaults.ini", "[General]\nlanguageFlag=english\n");  // reads 0, one log line
    base::LogCapture capture;
    EXPECT_EQ(tk::UserDefaults(file).integerForKey("languageFlag"), 0);
    EXPECT_EQ(capture.lines().size(), 1u);
}

}  // namespace
