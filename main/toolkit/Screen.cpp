#include "main/toolkit/Screen.h"

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
constexpr double kMillimetresPerInch = 25.4;
constexpr double kTabletDiagonalInches = 8.0;
// Without a physical size: a short side this long (device-independent pixels) is a laptop
// or a tablet, anything shorter a small panel.
constexpr int kTabletShortSide = 720;
// Physical sizes outside this density are made up (X servers without a monitor report one).
constexpr double kLeastDpi = 40;
constexpr double kMostDpi = 600;
}  // namespace

Screen Screen::forWindow(Idiom idiom, QSizeF window) {
    Screen screen = idiom == Idiom::Tablet ? tablet() : phone();
    if (window.isEmpty()) return screen;
    const double height = screen.S + kStatusBar;
    const double longSide = std::max(window.width(), window.height());
    const double shortSide = std::min(window.width(), window.height());
    // Rounded down, so the height is what sets the scale and the screens fill the window.
    const int L = int(std::floor(height * longSide / shortSide));
    screen.L = std::clamp(L, shortestL(idiom), longestL(idiom));
    return screen;
}

Idiom Screen::idiomFor(QSizeF physicalMillimetres, QSize pixels) {
    const double diagonalMm = std::hypot(physicalMillimetres.width(), physicalMillimetres.height());
    const double diagonalPixels = std::hypot(pixels.width(), pixels.height());
    if (diagonalMm > 0 && diagonalPixels > 0) {
        const double dpi = diagonalPixels / (diagonalMm / kMillimetresPerInch);
        if (dpi >= kLeastDpi && dpi <= kMostDpi) {
            return diagonalMm / kMillimetresPerInch >= kTabletDiagonalInches ? Idiom::Tablet
                                                                             : Idiom::Phone;
        }
    }
    return std::min(pixels.width(), pixels.height()) >= kTabletShortSide ? Idiom::Tablet
                                                                         : Idiom::Phone;
}

Screen Screen::resolve(std::optional<Idiom> idiom, std::optional<QSize> measures,
                       Idiom displayIdiom, QSizeF window) {
    if (measures) {
        const QSize m = *measures;
        const Idiom chosen =
            idiom ? *idiom
                  : (m.width() >= tablet().L && m.height() >= tablet().S ? Idiom::Tablet
                                                                         : Idiom::Phone);
        return {m.width(), m.height(), chosen};
    }
    return forWindow(idiom.value_or(displayIdiom), window);
}

}  // namespace tk
