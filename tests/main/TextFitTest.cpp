// No caption, title or label is cut off, in either language, on the small and the large
// phone and on the tablet.
#include <gtest/gtest.h>

#include "EveryScreen.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"

namespace {

struct Case {
    const char* name;
    tk::Screen screen;
    int language;
};

class TextFit : public ::testing::TestWithParam<Case> {};

TEST_P(TextFit, EveryShownLabelHoldsItsWholeText) {
    int checked = 0;
    screentest::visitEveryScreen(
        GetParam().screen, GetParam().language, [&](QWidget& window, const std::string& screen) {
            for (const auto* label : window.findChildren<tk::Label*>()) {
                if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
                ++checked;
                EXPECT_TRUE(label->showsWholeText())
                    << screen << ": tag " << tk::tagOf(label) << " \""
                    << label->text().toStdString() << "\" in " << label->width() << " x "
                    << label->height() << " shows \""
                    << label->visibleLines().join('|').toStdString() << "\" at "
                    << label->drawnFont().pointSizeF() << " pt";
            }
        });
    EXPECT_GT(checked, 150) << checked;
}

INSTANTIATE_TEST_SUITE_P(
    EveryIdiomAndLanguage, TextFit,
    ::testing::Values(Case{"phone480zh", tk::Screen{480, 300, tk::Idiom::Phone}, 0},
                      Case{"phone480en", tk::Screen{480, 300, tk::Idiom::Phone}, 1},
                      Case{"phone568zh", tk::Screen::phone(), 0},
                      Case{"phone568en", tk::Screen::phone(), 1},
                      Case{"tabletZh", tk::Screen::tablet(), 0},
                      Case{"tabletEn", tk::Screen::tablet(), 1}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
