// Finding views by tag, which view draws and takes a touch, and the alert over a screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "main/toolkit/AlertView.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"
#include "support/Mouse.h"

namespace {

TEST(Tag, SearchStartsAtTheRootGoesDepthFirstAndChecksTheKind) {
    QWidget root;
    tk::setTag(&root, 7);
    auto* first = new QWidget(&root);
    auto* caption = new tk::Label(new QWidget(first));  // a caption inside a button
    auto* second = new QWidget(&root);
    tk::setTag(caption, 3);
    tk::setTag(second, 3);
    EXPECT_EQ(tk::viewWithTag(&root, 7), &root);
    EXPECT_EQ(tk::viewWithTag(&root, 3), caption) << "the first child's grandchild comes first";
    EXPECT_EQ(tk::viewWithTag<tk::Label>(&root, 3), caption);
    tk::setTag(caption, 0);
    EXPECT_EQ(tk::viewWithTag(&root, 3), second);
    EXPECT_EQ(tk::viewWithTag<tk::Label>(&root, 3), nullptr) << "a view of another kind";
    delete second;
    EXPECT_EQ(tk::viewWithTag(&root, 3), nullptr) << "a removed view is no longer found";
    EXPECT_EQ(tk::viewWithTag(nullptr, 0), nullptr);
    tk::setTag(nullptr, 5);
}

// Paints itself in one colour so a grab shows which view is in front.
struct Swatch : QWidget {
    Swatch(QColor color, QWidget* parent, QRect frame) : QWidget(parent) {
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, color);
        setPalette(palette);
        setGeometry(frame);
    }
};

struct ViewTouchTest : ::testing::Test {
    QWidget window;
    ViewTouchTest() {
        window.resize(300, 200);
        window.show();
    }
    QColor colorAt(QPoint point) { return window.grab().toImage().pixelColor(point); }
    QWidget* target(QPoint point) { return tk::touchTarget(&window, point); }
    // A press and release through the window, as the platform delivers them.
    void tap(QPoint point) { testsupport::tap(&window, point, window.windowHandle()); }
};

TEST_F(ViewTouchTest, LaterViewsDrawAndTakeTouchesAboveEarlierOnesUnlessHiddenOrClear) {
    auto* back = new Swatch(Qt::red, &window, QRect(0, 0, 100, 100));
    auto* front = new Swatch(Qt::blue, &window, QRect(50, 50, 100, 100));
    front->show();
    back->show();
    EXPECT_EQ(colorAt({75, 75}), QColor(Qt::blue));
    EXPECT_EQ(colorAt({25, 25}), QColor(Qt::red));
    EXPECT_EQ(target({75, 75}), front);
    EXPECT_EQ(target({25, 25}), back);

    tk::setAlpha(front, 0.0);
    EXPECT_EQ(colorAt({75, 75}), QColor(Qt::red));
    EXPECT_EQ(target({75, 75}), back);
    tk::setAlpha(front, 0.5);
    EXPECT_EQ(target({75, 75}), front);
    tk::setAlpha(front, 7);
    EXPECT_DOUBLE_EQ(tk::alphaOf(front), 1.0);

    front->hide();
    EXPECT_EQ(colorAt({75, 75}), QColor(Qt::red));
    EXPECT_EQ(target({75, 75}), back);
}

TEST_F(ViewTouchTest, ButtonsGetTapsOnlyUnderShownParentsAndImageViewsThatTakeTouches) {
    auto* panel = new QWidget(&window);
    panel->setGeometry(0, 0, 150, 200);
    auto* image = new tk::ImageView(&window);
    image->setGeometry(150, 0, 150, 200);
    int panelTaps = 0;
    int imageTaps = 0;
    auto button = [](QWidget* parent, int& taps) {
        auto* button = new tk::ImageButton(parent);
        button->setGeometry(10, 10, 50, 50);
        button->addAction(tk::TouchUpInside, [&taps](tk::ImageButton&) { ++taps; });
        return button;
    };
    button(panel, panelTaps);
    auto* inImage = button(image, imageTaps);
    panel->show();
    image->show();

    tap({20, 20});
    EXPECT_EQ(panelTaps, 1);
    panel->hide();
    tap({20, 20});
    EXPECT_EQ(panelTaps, 1);

    tap({170, 20});  // image views take no touches until switched on
    EXPECT_EQ(imageTaps, 0);
    EXPECT_EQ(target({170, 20}), &window);
    image->setUserInteractionEnabled(true);
    tap({170, 20});
    EXPECT_EQ(imageTaps, 1);
    EXPECT_EQ(target({170, 20}), inImage);
    EXPECT_EQ(target({250, 150}), image);
}

// An alert over a screen that holds the power button.
TEST_F(ViewTouchTest, AlertShowsWithoutBlockingStaysInFrontStacksAndItsButtonDismissesIt) {
    auto* screen = new QWidget(&window);
    screen->setGeometry(window.rect());
    auto* power = new tk::ImageButton(screen);
    power->setGeometry(12, 160, 55, 40);
    screen->show();
    EXPECT_EQ(target({20, 170}), power);
    auto* alert = tk::AlertView::show(power, "Error", "Please connect to the massage chair!", "OK");
    // Reaching this line at all means show() did not wait for the button.
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->geometry(), window.rect());
    EXPECT_NE(target({20, 170}), power);
    auto* later = new QWidget(&window);
    later->setGeometry(window.rect());
    later->show();
    EXPECT_EQ(window.children().last(), alert);
    auto* second = tk::AlertView::show(power, "Error", "two", "OK");
    EXPECT_EQ(tk::AlertView::visibleAlert(&window), second);
    second->pressButton();
    EXPECT_EQ(tk::AlertView::visibleAlert(screen), alert);

    auto* button = alert->findChild<tk::ImageButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title(), "OK");
    button->touchDown();
    button->touchUp(true);
    EXPECT_EQ(tk::AlertView::visibleAlert(screen), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<tk::AlertView*>(), nullptr);
    EXPECT_EQ(tk::AlertView::show(nullptr, "t", "m", "OK"), nullptr);
    EXPECT_EQ(tk::AlertView::visibleAlert(nullptr), nullptr);
}

}  // namespace
