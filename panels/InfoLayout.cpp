#include "panels/InfoLayout.h"

namespace panels {

namespace {
constexpr int kWidePhoneAbove = 430;

InfoLayout narrowPhone(int w) {
    InfoLayout l;
    l.firstTopIndicator = QRect(5, 20, 45, 45);
    l.topStep = 55;
    l.firstDigit = QRect(245, 10, 30, 50);
    l.digitStep = 30;
    l.minutesSign = QRect(305, 20, 40, 40);
    l.firstBottomIndicator = QRect(5, 70, 45, 45);
    l.bottomStep = 55;
    l.positionIndicator = QRect(275, 70, 70, 45);
    l.startBar = QRect(5, 130, 350, 80);
    // The start bar's row is centred on the panel rather than on the bar.
    l.intensityBar = QRect(w / 2 - 100, 30, 150, 30);
    l.intensityCaption = QRect(w / 2 - 162, 25, 60, 30);
    l.firstTouchArea = QRect(20, 0, 22, 18);
    l.touchStep = 22;
    l.startPauseButton = QRect(w / 2 + 55, 25, 50, 30);
    l.stateLabel = QRect(w / 2 + 110, 25, 60, 30);
    l.fontSize = 10;
    return l;
}

InfoLayout widePhone() {
    InfoLayout l;
    l.firstTopIndicator = QRect(20, 20, 50, 50);
    l.topStep = 60;
    l.firstDigit = QRect(275, 10, 30, 50);
    l.digitStep = 30;
    l.minutesSign = QRect(340, 20, 40, 40);
    l.firstBottomIndicator = QRect(20, 70, 50, 50);
    l.bottomStep = 60;
    l.positionIndicator = QRect(320, 70, 60, 50);
    l.startBar = QRect(20, 130, 370, 80);
    l.intensityBar = QRect(80, 30, 150, 30);
    l.intensityCaption = QRect(18, 25, 60, 30);
    l.firstTouchArea = QRect(20, 0, 22, 18);
    l.touchStep = 22;
    l.startPauseButton = QRect(240, 25, 50, 30);
    l.stateLabel = QRect(300, 25, 60, 30);
    l.fontSize = 10;
    return l;
}

InfoLayout tablet() {
    InfoLayout l;
    l.firstTopIndicator = QRect(30, 100, 100, 100);
    l.topStep = 110;
    l.firstDigit = QRect(500, 80, 60, 110);
    l.digitStep = 55;
    l.minutesSign = QRect(610, 100, 100, 90);
    l.firstBottomIndicator = QRect(30, 230, 100, 100);
    l.bottomStep = 110;
    l.positionIndicator = QRect(590, 230, 140, 100);
    l.startBar = QRect(30, 370, 700, 130);
    l.intensityBar = QRect(100, 40, 370, 70);
    l.intensityCaption = QRect(8, 40, 90, 40);
    l.firstTouchArea = QRect(50, 5, 62, 40);
    l.touchStep = 60;
    l.startPauseButton = QRect(490, 30, 100, 65);
    l.stateLabel = QRect(596, 40, 90, 40);
    l.fontSize = 25;
    return l;
}
}  // namespace

InfoLayout InfoLayout::forPanel(tk::Idiom idiom, int panelWidth) {
    if (idiom == tk::Idiom::Tablet) return tablet();
    return panelWidth > kWidePhoneAbove ? widePhone() : narrowPhone(panelWidth);
}

QRect InfoLayout::panelFrame(const tk::Screen& screen) {
    if (screen.isTablet()) return QRect(130, 100, screen.L - 250, 550);
    if (screen.L > 500) return QRect(65, 55, screen.L - 130, 210);
    return QRect(60, 55, screen.L - 140, 210);
}

}  // namespace panels
