#pragma once

#include <QSize>
#include <QSizeF>
#include <optional>

namespace tk {

enum class Idiom { Phone = 0, Tablet = 1 };

// The measures every layout is built from, in points: L is the long side of the landscape
// screen, S the short side less the 20-point status bar. The screens are L x (S + 20)
// points; the window shows them scaled by one factor, so S is always the idiom's design
// height and L follows the window's shape.
struct Screen {
    static constexpr int kStatusBar = 20;

    int L = 568;
    int S = 300;
    Idiom idiom = Idiom::Phone;

    bool isTablet() const { return idiom == Idiom::Tablet; }
    QSize windowSize() const { return QSize(L, S + kStatusBar); }

    static Screen phone() { return {568, 300, Idiom::Phone}; }
    static Screen tablet() { return {1024, 748, Idiom::Tablet}; }

    // The narrowest and widest L an idiom's layout formulas are made for; a window of
    // another shape shows the nearest of them with background on the extra side.
    static int shortestL(Idiom idiom) { return idiom == Idiom::Tablet ? 1024 : 480; }
    static int longestL(Idiom idiom) { return idiom == Idiom::Tablet ? 1366 : 568; }

    // The idiom's screen with L following the shape of a window (any unit), within the
    // idiom's range; the idiom's usual screen for an empty window.
    static Screen forWindow(Idiom idiom, QSizeF window);

    // The idiom for a display: a tablet from 8 inches of diagonal up, a phone below. When the
    // physical size (millimetres) is unknown or implausible, its short side in
    // device-independent pixels decides.
    static Idiom idiomFor(QSizeF physicalMillimetres, QSize pixels);

    // Command-line choices win: measures are taken as given (with the idiom that fits them
    // unless one is named), an idiom alone follows the window's shape.
    static Screen resolve(std::optional<Idiom> idiom, std::optional<QSize> measures,
                          Idiom displayIdiom, QSizeF window);
};

}  // namespace tk
