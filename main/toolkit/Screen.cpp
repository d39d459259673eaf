#include "main/toolkit/Screen.h"

#include <algorithm>

namespace tk {

namespace {
constexpr QSize kTabletScreen(1024, 768);
constexpr QSize kPhoneScreen(568, 320);

bool fits(QSize inner, int longSide, int shortSide) {
    return longSide >= inner.width() && shortSide >= inner.height();
}
}  // namespace

Screen Screen::forDisplay(QSize display) {
    const int longSide = std::max(display.width(), display.height());
    const int shortSide = std::min(display.width(), display.height());
    if (fits(kTabletScreen, longSide, shortSide)) return tablet();
    if (fits(kPhoneScreen, longSide, shortSide) || shortSide <= kStatusBar) return phone();
    return {longSide, shortSide - kStatusBar, Idiom::Phone};
}

Screen Screen::resolve(std::optional<Idiom> idiom, std::optional<QSize> measures, QSize display) {
    if (measures) {
        const QSize m = *measures;
        const Idiom chosen =
            idiom ? *idiom
                  : (fits(kTabletScreen, m.width(), m.height() + kStatusBar) ? Idiom::Tablet
                                                                             : Idiom::Phone);
        return {m.width(), m.height(), chosen};
    }
    if (idiom) return *idiom == Idiom::Tablet ? tablet() : phone();
    return forDisplay(display);
}

}  // namespace tk
