#include "main/toolkit/Screen.h"

#include <gtest/gtest.h>

#include "base/Log.h"

namespace {

using tk::Idiom;
using tk::Screen;

TEST(Screen, OptionsWinOverTheDisplayWhichDecidesOtherwise) {
    const QSize big(2560, 1440);
    const struct {
        std::optional<Idiom> idiom;
        std::optional<QSize> measures;
        QSize display;
        int L, S;
        Idiom expected;
    } cases[] = {
        {{}, {}, {1920, 1080}, 1024, 748, Idiom::Tablet},
        {{}, {}, {768, 1024}, 1024, 748, Idiom::Tablet},
        {{}, {}, {1024, 767}, 568, 300, Idiom::Phone},
        {{}, {}, {480, 320}, 480, 300, Idiom::Phone},  // below a phone: the display less the bar
        {Idiom::Phone, {}, big, 568, 300, Idiom::Phone},
        {Idiom::Tablet, {}, {800, 600}, 1024, 748, Idiom::Tablet},
        {{}, QSize(500, 300), big, 500, 300, Idiom::Phone},
        {{}, QSize(1024, 748), {800, 600}, 1024, 748, Idiom::Tablet},
        {Idiom::Phone, QSize(1024, 748), big, 1024, 748, Idiom::Phone},
    };
    for (const auto& c : cases) {
        const Screen screen = Screen::resolve(c.idiom, c.measures, c.display);
        SCOPED_TRACE(testing::Message() << c.display.width() << "x" << c.display.height());
        EXPECT_EQ(screen.L, c.L);
        EXPECT_EQ(screen.S, c.S);
        EXPECT_EQ(screen.idiom, c.expected);
    }
    EXPECT_EQ(Screen::phone().windowSize(), QSize(568, 320)) << "L by S plus the status bar";
    EXPECT_EQ(Screen::tablet().windowSize(), QSize(1024, 768));
}

}  // namespace
