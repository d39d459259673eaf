#include "main/toolkit/Screen.h"

#include <gtest/gtest.h>

namespace {

using tk::Idiom;
using tk::Screen;

// The launch's window choice checks more displays (1280 x 800, 800 x 480 and their idiom).
TEST(Screen, SIsTheIdiomsDesignHeightAndLFollowsTheWindowWithinItsRange) {
    const struct {
        std::optional<Idiom> idiom;
        std::optional<QSize> measures;
        Idiom display;
        QSizeF window;
        int L, S;
        Idiom expected;
    } cases[] = {
        {{}, {}, Idiom::Tablet, {1920, 1080}, 1365, 748, Idiom::Tablet},  // 16:9
        {{}, {}, Idiom::Tablet, {768, 1024}, 1024, 748, Idiom::Tablet},   // either orientation
        {{}, {}, Idiom::Tablet, {2000, 800}, 1366, 748, Idiom::Tablet},   // wider: background
        {{}, {}, Idiom::Phone, {1024, 600}, 546, 300, Idiom::Phone},
        {{}, {}, Idiom::Phone, {640, 480}, 480, 300, Idiom::Phone},  // narrower: background
        {{}, {}, Idiom::Phone, {}, 568, 300, Idiom::Phone},          // no window: the usual
        {Idiom::Phone, {}, Idiom::Tablet, {1366, 768}, 568, 300, Idiom::Phone},
        {Idiom::Tablet, {}, Idiom::Phone, {800, 480}, 1280, 748, Idiom::Tablet},
        {{}, QSize(500, 300), Idiom::Tablet, {1920, 1080}, 500, 300, Idiom::Phone},
        {{}, QSize(1024, 748), Idiom::Phone, {800, 480}, 1024, 748, Idiom::Tablet},
        {Idiom::Phone, QSize(1024, 748), Idiom::Tablet, {}, 1024, 748, Idiom::Phone},
    };
    for (const auto& c : cases) {
        const Screen screen = Screen::resolve(c.idiom, c.measures, c.display, c.window);
        SCOPED_TRACE(testing::Message() << c.window.width() << "x" << c.window.height());
        EXPECT_EQ(screen.L, c.L);
        EXPECT_EQ(screen.S, c.S);
        EXPECT_EQ(screen.idiom, c.expected);
    }
    EXPECT_EQ(Screen::phone().windowSize(), QSize(568, 320)) << "L by S plus the status bar";
    EXPECT_EQ(Screen::tablet().windowSize(), QSize(1024, 768));
}

TEST(Screen, TheIdiomFollowsThePhysicalSizeOrWithoutOneThePixels) {
    const struct {
        QSizeF millimetres;
        QSize pixels;
        Idiom expected;
    } cases[] = {
        {{154, 86}, {1024, 600}, Idiom::Phone},    // 7-inch panel
        {{0, 0}, {1280, 800}, Idiom::Tablet},      // unknown
        {{0, 0}, {1024, 600}, Idiom::Phone},       // unknown
        {{2000, 1000}, {800, 480}, Idiom::Phone},  // made up (under 40 dpi): the pixels decide
        {{10, 6}, {1920, 1080}, Idiom::Tablet},    // made up (over 600 dpi)
    };
    for (const auto& c : cases)
        EXPECT_EQ(Screen::idiomFor(c.millimetres, c.pixels), c.expected) << c.pixels.width();
}

}  // namespace
