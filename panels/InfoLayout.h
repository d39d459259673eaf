#pragma once

#include <QRect>

#include "main/toolkit/Screen.h"

namespace panels {

// Where the Info panel's controls go. Rows of equal controls are given by their first frame
// and the step to the next. The intensity bar, caption, start/pause button and state label
// lie in the start bar; the touch areas lie in the intensity bar.
struct InfoLayout {
    QRect firstTopIndicator;  // indicators 1 to 4
    int topStep = 0;
    QRect firstDigit;  // tens, then units
    int digitStep = 0;
    QRect minutesSign;
    QRect firstBottomIndicator;  // indicators 7 to 11
    int bottomStep = 0;
    QRect positionIndicator;
    QRect startBar;
    QRect intensityBar;
    QRect intensityCaption;
    QRect firstTouchArea;  // touch areas 13 to 17
    int touchStep = 0;
    QRect startPauseButton;
    QRect stateLabel;
    int fontSize = 10;

    // The tablet layout for the tablet idiom, else the phone layout for a panel this wide
    // (wide above 430 points).
    static InfoLayout forPanel(tk::Idiom idiom, int panelWidth);

    // The panel's frame on a main screen of these measures.
    static QRect panelFrame(const tk::Screen& screen);
};

}  // namespace panels
