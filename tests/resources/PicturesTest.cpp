// The pictures the build lays in the bundle: all there, each a real picture, the two states
// of every button clearly apart, and the value pictures showing their value.
#include <gtest/gtest.h>

#include <QSet>
#include <functional>

#include "PictureStats.h"
#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"

namespace {

using resourcetests::cyanCentreY;
using resourcetests::cyanPixels;

class PicturesTest : public ::testing::Test {
protected:
    QImage picture(const QString& name) { return bundle.image(name).pixels(); }

    // The pictures "<stem><first>" to "<stem><last>", which the app swaps in one frame.
    std::vector<QImage> series(const QString& stem, int first, int last) {
        std::vector<QImage> images;
        for (int n = first; n <= last; ++n) images.push_back(picture(stem + QString::number(n)));
        return images;
    }

    void expectCyanRises(const QString& stem, int first, int last) {
        SCOPED_TRACE(stem.toStdString());
        const auto images = series(stem, first, last);
        for (size_t i = 1; i < images.size(); ++i) {
            EXPECT_EQ(images[i].size(), images[0].size()) << "level " << first + int(i);
            EXPECT_GT(cyanPixels(images[i]), cyanPixels(images[i - 1]))
                << "level " << first + int(i);
        }
    }

    tk::Bundle bundle{tk::Bundle::defaultDirectory()};
    const QStringList names = resourcetests::pictureNames();
};

TEST_F(PicturesTest, TheListNamesEveryPictureOnce) {
    EXPECT_EQ(names.size(), 211);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

TEST_F(PicturesTest, EveryNamedPictureLoadsWithMoreThanOneColour) {
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = picture(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 60);
        EXPECT_GE(image.height(), 60);
        EXPECT_GT(resourcetests::distinctColours(image), 1);
    }
}

TEST_F(PicturesTest, EveryOnPictureIsLitAndClearlyApartFromItsOffTwin) {
    int pairs = 0;
    for (const QString& name : names) {
        if (!name.endsWith("_on")) continue;
        const QString twin = name.chopped(3) + "_off";
        if (!names.contains(twin)) continue;
        SCOPED_TRACE(name.toStdString());
        ++pairs;
        const QImage on = picture(name);
        const QImage off = picture(twin);
        ASSERT_EQ(on.size(), off.size()) << "both states share one button frame";
        EXPECT_GT(resourcetests::changedShare(on, off), 0.15);
        EXPECT_GT(cyanPixels(on), 2 * cyanPixels(off) + 100);
    }
    EXPECT_EQ(pairs, 32);
}

TEST_F(PicturesTest, BarsAndMetersLightOneMoreStepEachLevel) {
    expectCyanRises("manual_grade_", 0, 5);
    expectCyanRises("setting_volume_", 0, 7);
    expectCyanRises("info_speed_", 1, 5);
    expectCyanRises("info_width_", 1, 5);
    expectCyanRises("layout_general_auto_", 1, 3);
    for (const char* stem : {"info_armairbags_", "info_lowerbody_", "info_airbags_", "info_legs_",
                             "info_footrollers_"}) {
        expectCyanRises(stem, 1, 3);
    }
    expectCyanRises("info_3d_", 1, 4);
    expectCyanRises("manual_3d_", 1, 4);
}

TEST_F(PicturesTest, TheAutoKeyLightsOnlyForAReportedState) {
    EXPECT_GT(cyanPixels(picture("layout_general_auto_1")),
              2 * cyanPixels(picture("layout_general_auto_off")));
}

TEST_F(PicturesTest, PositionMarksClimbWithThePosition) {
    const auto check = [this](const QString& stem, int first, int last) {
        SCOPED_TRACE(stem.toStdString());
        const auto images = series(stem, first, last);
        for (size_t i = 1; i < images.size(); ++i) {
            EXPECT_EQ(images[i].size(), images[0].size());
            EXPECT_LT(cyanCentreY(images[i]), cyanCentreY(images[i - 1]))
                << "position " << first + int(i);
        }
    };
    check("adjust_", 0, 11);
    check("info_position_", 1, 11);
}

TEST_F(PicturesTest, DigitsLightTheirSevenSegments) {
    const auto digits = series("info_digital_", 0, 9);
    std::vector<int> lit;
    for (const QImage& digit : digits) lit.push_back(cyanPixels(digit));
    // Segments lit: 6 2 5 5 4 5 6 3 7 6.
    const int segments[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            if (a == b) continue;
            EXPECT_GT(resourcetests::changedShare(digits[a], digits[b]), 0.01) << a << " vs " << b;
            if (segments[a] > segments[b]) {
                EXPECT_GT(lit[a], lit[b]) << a << " vs " << b;
            }
        }
    }
}

}  // namespace
