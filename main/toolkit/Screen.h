#pragma once

#include <QSize>
#include <optional>

namespace tk {

enum class Idiom { Phone = 0, Tablet = 1 };

// The measures every layout is built from, in points (1 point = 1 device-independent
// pixel): L is the long side of the landscape screen, S the short side less the 20-point
// status bar. The window is L x (S + 20).
struct Screen {
    static constexpr int kStatusBar = 20;

    int L = 568;
    int S = 300;
    Idiom idiom = Idiom::Phone;

    bool isTablet() const { return idiom == Idiom::Tablet; }
    QSize windowSize() const { return QSize(L, S + kStatusBar); }

    static Screen phone() { return {568, 300, Idiom::Phone}; }
    static Screen tablet() { return {1024, 748, Idiom::Tablet}; }

    // The default for a display of the given size (either orientation): a tablet when
    // 1024 x 768 fits, otherwise a phone of 568 x 320, or the display itself when it is
    // smaller than that.
    static Screen forDisplay(QSize display);

    // Command-line choices win over the display: an idiom alone takes that idiom's usual
    // size, measures alone take the idiom that fits them.
    static Screen resolve(std::optional<Idiom> idiom, std::optional<QSize> measures, QSize display);
};

}  // namespace tk
