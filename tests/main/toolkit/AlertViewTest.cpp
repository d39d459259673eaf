#include "main/toolkit/AlertView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

struct AlertViewTest : ::testing::Test {
    QWidget window;
    QWidget* screen = new QWidget(&window);
    tk::ImageButton* power = new tk::ImageButton(screen);

    AlertViewTest() {
        window.resize(568, 320);
        screen->setGeometry(window.rect());
        power->setGeometry(12, 280, 55, 40);
        window.show();
    }
};

TEST_F(AlertViewTest, ShowsWithoutBlockingUntilItsButtonIsPressed) {
    auto* alert = tk::AlertView::show(power, "Error", "Please connect to the massage chair!", "OK");
    // Reaching this line at all means show() did not wait for the button.
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(tk::AlertView::visibleAlert(screen), alert);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), "Please connect to the massage chair!");
    EXPECT_EQ(alert->buttonTitle(), "OK");
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->geometry(), window.rect());

    alert->pressButton();
    EXPECT_EQ(tk::AlertView::visibleAlert(screen), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<tk::AlertView*>(), nullptr);
}

TEST_F(AlertViewTest, CoversTheScreenAndStaysInFrontOfLaterViews) {
    auto* alert = tk::AlertView::show(power, "Error", "message", "OK");
    EXPECT_FALSE(tk::touchTarget(&window, {20, 290}) == power);
    auto* later = new QWidget(&window);
    later->setGeometry(window.rect());
    later->show();
    EXPECT_EQ(window.children().last(), alert);
}

TEST_F(AlertViewTest, TappingTheButtonDismisses) {
    auto* alert = tk::AlertView::show(power, "Error", "message", "OK");
    auto* button = alert->findChild<tk::ImageButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title(), "OK");
    button->touchDown();
    button->touchUp(true);
    EXPECT_EQ(tk::AlertView::visibleAlert(&window), nullptr);
}

TEST_F(AlertViewTest, TwoAlertsStackAndTheFrontOneIsFound) {
    auto* first = tk::AlertView::show(power, "Error", "one", "OK");
    auto* second = tk::AlertView::show(power, "Error", "two", "OK");
    EXPECT_EQ(tk::AlertView::visibleAlert(&window), second);
    second->pressButton();
    EXPECT_EQ(tk::AlertView::visibleAlert(&window), first);
}

TEST(AlertViewWithoutView, NothingToShowOver) {
    EXPECT_EQ(tk::AlertView::show(nullptr, "t", "m", "OK"), nullptr);
    EXPECT_EQ(tk::AlertView::visibleAlert(nullptr), nullptr);
}

}  // namespace
