// The pictures the build lays in the bundle: all there, each a real picture, the two states
// of every button clearly apart, and the value pictures showing their value.
#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"

namespace {

// The accent light: clearly cyan and mostly opaque.
bool isCyan(QRgb pixel) {
    return qAlpha(pixel) > 160 && qGreen(pixel) > 150 && qBlue(pixel) > 150 &&
           qRed(pixel) < qGreen(pixel) - 60;
}

// The pixels of a picture, row after row (32-bit rows need no padding).
std::vector<QRgb> pixelsOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const auto* bits = reinterpret_cast<const QRgb*>(argb.constBits());
    return std::vector<QRgb>(bits, bits + argb.width() * argb.height());
}

struct Cyan {
    int pixels = 0;
    double centreY = 0;  // mean height, 0 top to 1 bottom
};

Cyan cyanOf(const QImage& image) {
    const auto pixels = pixelsOf(image);
    Cyan cyan;
    double rows = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (!isCyan(pixels[i])) continue;
        ++cyan.pixels;
        rows += double(i / image.width()) / image.height();
    }
    cyan.centreY = cyan.pixels > 0 ? rows / cyan.pixels : -1;
    return cyan;
}

// Share of pixels (0 to 1) that differ clearly between two pictures of one size.
double changedShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 0.0;
    const auto one = pixelsOf(a);
    const auto two = pixelsOf(b);
    long changed = 0;
    for (size_t i = 0; i < one.size(); ++i) {
        const QRgb p = one[i], q = two[i];
        changed += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 40;
    }
    return double(changed) / double(one.size());
}

class PicturesTest : public ::testing::Test {
protected:
    QImage picture(const QString& name) { return bundle.image(name).pixels(); }

    // The pictures "<stem><first>" to "<stem><last>", which the app swaps in one frame: one
    // size, and `rises(previous, next)` holds from each to the next.
    template <typename Rises>
    void expectSeries(const QString& stem, int first, int last, Rises rises) {
        SCOPED_TRACE(stem.toStdString());
        QImage previous = picture(stem + QString::number(first));
        for (int n = first + 1; n <= last; ++n) {
            const QImage next = picture(stem + QString::number(n));
            EXPECT_EQ(next.size(), previous.size()) << n;
            EXPECT_TRUE(rises(cyanOf(previous), cyanOf(next))) << n;
            previous = next;
        }
    }
    void expectCyanRises(const QString& stem, int first, int last) {
        expectSeries(stem, first, last, [](Cyan a, Cyan b) { return b.pixels > a.pixels; });
    }

    tk::Bundle bundle{tk::Bundle::defaultDirectory()};
    const QStringList names = resourcetests::listLines("pictures.txt");
};

TEST_F(PicturesTest, EveryNamedPictureIsListedOnceAndLoadsWithMoreThanOneColour) {
    EXPECT_EQ(names.size(), 211);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = picture(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(std::min(image.width(), image.height()), 60);
        const auto pixels = pixelsOf(image);
        EXPECT_NE(std::count(pixels.begin(), pixels.end(), pixels[0]), qsizetype(pixels.size()))
            << "a single colour";
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
        EXPECT_GT(changedShare(on, off), 0.15);
        EXPECT_GT(cyanOf(on).pixels, 2 * cyanOf(off).pixels + 100);
    }
    EXPECT_EQ(pairs, 32);
    // The Auto key lights only for a reported state.
    EXPECT_GT(cyanOf(picture("layout_general_auto_1")).pixels,
              2 * cyanOf(picture("layout_general_auto_off")).pixels);
}

TEST_F(PicturesTest, BarsAndMetersLightMoreEachLevelAndPositionMarksClimb) {
    expectCyanRises("manual_grade_", 0, 5);
    expectCyanRises("setting_volume_", 0, 7);
    expectCyanRises("info_speed_", 1, 5);
    expectCyanRises("info_width_", 1, 5);
    for (const char* stem : {"layout_general_auto_", "info_armairbags_", "info_lowerbody_",
                             "info_airbags_", "info_legs_", "info_footrollers_"}) {
        expectCyanRises(stem, 1, 3);
    }
    expectCyanRises("info_3d_", 1, 4);
    expectCyanRises("manual_3d_", 1, 4);
    const auto climbs = [](Cyan a, Cyan b) { return b.centreY < a.centreY; };
    expectSeries("adjust_", 0, 11, climbs);
    expectSeries("info_position_", 1, 11, climbs);
}

TEST_F(PicturesTest, DigitsLightTheirSevenSegments) {
    const int segments[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    QImage digits[10];
    for (int d = 0; d < 10; ++d) digits[d] = picture("info_digital_" + QString::number(d));
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 10; ++b) {
            EXPECT_GT(changedShare(digits[a], digits[b]), 0.01) << a << " vs " << b;
            if (segments[a] != segments[b]) {
                EXPECT_EQ(segments[a] > segments[b],
                          cyanOf(digits[a]).pixels > cyanOf(digits[b]).pixels)
                    << a << " vs " << b;
            }
        }
    }
}

}  // namespace
