#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

// Paints itself in one colour so a grab shows which view is in front.
class Swatch : public QWidget {
public:
    Swatch(QColor color, QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, color);
        setPalette(palette);
    }
};

struct ViewTouchTest : ::testing::Test {
    QWidget window;
    ViewTouchTest() {
        window.resize(300, 200);
        window.show();
    }

    QColor colorAt(QPoint point) { return window.grab().toImage().pixelColor(point); }

    // Delivers a press and release through the window, as the platform would.
    void tapWindow(QPoint point) {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, point, window.mapToGlobal(point), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(window.windowHandle(), &event);
        }
    }
};

TEST_F(ViewTouchTest, LaterViewsDrawAndTakeTouchesAboveEarlierOnes) {
    auto* back = new Swatch(Qt::red, &window);
    auto* front = new Swatch(Qt::blue, &window);
    back->setGeometry(0, 0, 100, 100);
    front->setGeometry(50, 50, 100, 100);
    front->show();
    back->show();
    EXPECT_EQ(colorAt({75, 75}), QColor(Qt::blue));
    EXPECT_EQ(colorAt({25, 25}), QColor(Qt::red));
    EXPECT_EQ(tk::touchTarget(&window, {75, 75}), front);
    EXPECT_EQ(tk::touchTarget(&window, {25, 25}), back);
}

TEST_F(ViewTouchTest, HiddenViewNeitherDrawsNorTakesTouches) {
    auto* back = new Swatch(Qt::red, &window);
    auto* front = new Swatch(Qt::blue, &window);
    back->setGeometry(0, 0, 100, 100);
    front->setGeometry(0, 0, 100, 100);
    back->show();
    front->hide();
    EXPECT_EQ(colorAt({50, 50}), QColor(Qt::red));
    EXPECT_EQ(tk::touchTarget(&window, {50, 50}), back);
    EXPECT_FALSE(tk::takesTouches(front));
}

TEST_F(ViewTouchTest, ButtonUnderAHiddenParentGetsNoTap) {
    auto* panel = new QWidget(&window);
    panel->setGeometry(0, 0, 200, 200);
    auto* button = new tk::ImageButton(panel);
    button->setGeometry(10, 10, 50, 50);
    int taps = 0;
    button->addAction(tk::TouchUpInside, [&](tk::ImageButton&) { ++taps; });
    panel->show();
    tapWindow({20, 20});
    EXPECT_EQ(taps, 1);
    panel->hide();
    tapWindow({20, 20});
    EXPECT_EQ(taps, 1);
}

TEST_F(ViewTouchTest, ImageViewPassesTouchesToItsButtonsOnlyWithInteractionOn) {
    auto* image = new tk::ImageView(&window);
    image->setGeometry(0, 0, 200, 200);
    auto* button = new tk::ImageButton(image);
    button->setGeometry(10, 10, 50, 50);
    image->show();
    int taps = 0;
    button->addAction(tk::TouchUpInside, [&](tk::ImageButton&) { ++taps; });

    EXPECT_FALSE(image->isUserInteractionEnabled()) << "off until switched on";
    tapWindow({20, 20});
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(tk::touchTarget(&window, {20, 20}), &window);

    image->setUserInteractionEnabled(true);
    tapWindow({20, 20});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(tk::touchTarget(&window, {20, 20}), button);
    EXPECT_EQ(tk::touchTarget(&window, {150, 150}), image);
}

TEST_F(ViewTouchTest, TransparentViewTakesNoTouchesUntilVisibleAgain) {
    auto* button = new tk::ImageButton(&window);
    button->setGeometry(0, 0, 50, 50);
    button->show();
    tk::setAlpha(button, 0.0);
    EXPECT_EQ(tk::touchTarget(&window, {10, 10}), &window);
    tk::setAlpha(button, 0.5);
    EXPECT_EQ(tk::touchTarget(&window, {10, 10}), button);
    EXPECT_DOUBLE_EQ(tk::alphaOf(button), 0.5);
    tk::setAlpha(button, 7);
    EXPECT_DOUBLE_EQ(tk::alphaOf(button), 1.0);
}

TEST_F(ViewTouchTest, AlphaZeroViewDrawsNothing) {
    auto* back = new Swatch(Qt::red, &window);
    auto* front = new Swatch(Qt::blue, &window);
    back->setGeometry(0, 0, 100, 100);
    front->setGeometry(0, 0, 100, 100);
    back->show();
    front->show();
    tk::setAlpha(front, 0.0);
    EXPECT_EQ(colorAt({50, 50}), QColor(Qt::red));
}

TEST_F(ViewTouchTest, ViewsMayLieOutsideTheirParent) {
    auto* menu = new QWidget(&window);
    menu->setGeometry(-20, -600, 66, 285);
    menu->show();
    EXPECT_EQ(menu->geometry(), QRect(-20, -600, 66, 285));
    EXPECT_EQ(tk::touchTarget(&window, {10, 10}), &window);
}

}  // namespace
