#pragma once

#include <QSize>
#include <QSizeF>

#include "app/LaunchOptions.h"
#include "main/toolkit/ScaledWindow.h"
#include "main/toolkit/Screen.h"

class QScreen;

namespace app {

// What the app knows of the display it opens on, in device-independent pixels.
struct DisplayFacts {
    QSize size;
    QSize available;  // less the desktop's panels
    QSizeF physicalMillimetres;
    bool windowManager = true;

    // The primary screen's, or nothing known without one.
    static DisplayFacts primary();
};

struct WindowChoice {
    tk::Screen screen;
    tk::WindowPlacement placement;
};

// Full screen when asked, without a window manager, or on a display whose short side is
// under 600 pixels (a frame would waste it); otherwise the largest window of the layout's
// shape that fits the available area with its frame. The idiom by the display's physical
// size unless the options name one; L by the window's shape.
WindowChoice chooseWindow(const LaunchOptions& options, const DisplayFacts& display);

// Script mode's window: `--window` (pixels) at `--scale`, the screens' own size otherwise;
// the idiom by the window's size unless the options name one (a phone without a window).
WindowChoice scriptWindow(const LaunchOptions& options);

}  // namespace app
