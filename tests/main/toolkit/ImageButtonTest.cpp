#include "main/toolkit/ImageButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <string>
#include <vector>

#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

struct ImageButtonTest : ::testing::Test {
    QWidget window;
    tk::ImageButton* button = new tk::ImageButton(&window);
    std::vector<std::string> events;

    ImageButtonTest() {
        window.resize(200, 200);
        button->setGeometry(10, 10, 60, 40);
        tk::setTag(button, 4);
        button->addAction(tk::TouchDown, [this](tk::ImageButton& b) { record("down", b); });
        button->addAction(tk::TouchDragExit | tk::TouchUpInside,
                          [this](tk::ImageButton& b) { record(b.isPressed() ? "exit" : "up", b); });
        button->addAction(tk::TouchCancel, [this](tk::ImageButton& b) { record("cancel", b); });
        window.show();
    }

    void record(const std::string& what, tk::ImageButton& sender) {
        events.push_back(what + std::to_string(tk::tagOf(&sender)));
    }

    void mouse(QEvent::Type type, QPoint pos) {
        QMouseEvent event(type, pos, button->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
};

using Events = std::vector<std::string>;

TEST_F(ImageButtonTest, TapGivesTouchDownThenTouchUpInsideWithTheSender) {
    button->touchDown();
    button->touchUp(true);
    EXPECT_EQ(events, (Events{"down4", "up4"}));
}

TEST_F(ImageButtonTest, DragExitFiresOnceAndReleaseOutsideGivesNothingMore) {
    button->touchDown();
    button->moveOutside();
    button->moveOutside();
    button->touchUp(false);
    EXPECT_EQ(events, (Events{"down4", "exit4"}));
}

TEST_F(ImageButtonTest, ReleaseOutsideWithoutAMoveStillReportsTheExitButNoTouchUp) {
    button->touchDown();
    button->touchUp(false);
    EXPECT_EQ(events, (Events{"down4", "exit4"}));
}

TEST_F(ImageButtonTest, SlidingBackInsideBeforeReleaseIsATouchUpInside) {
    button->touchDown();
    button->moveOutside();
    button->moveInside();
    button->touchUp(true);
    EXPECT_EQ(events, (Events{"down4", "exit4", "up4"}));
}

TEST_F(ImageButtonTest, CancelEndsThePressWithItsOwnEvent) {
    button->touchDown();
    button->cancelTouch();
    button->touchUp(true);
    button->cancelTouch();
    EXPECT_EQ(events, (Events{"down4", "cancel4"}));
}

TEST_F(ImageButtonTest, HidingOrDeactivatingTheWindowCancelsAPress) {
    button->touchDown();
    window.hide();
    EXPECT_EQ(events, (Events{"down4", "cancel4"}));
    window.show();
    button->touchDown();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    EXPECT_EQ(events, (Events{"down4", "cancel4", "down4", "cancel4"}));
    EXPECT_FALSE(button->isPressed());
}

TEST_F(ImageButtonTest, ButtonThatTakesNoTouchesIgnoresThem) {
    button->hide();
    button->touchDown();
    button->show();
    tk::setUserInteractionEnabled(&window, false);
    button->touchDown();
    tk::setUserInteractionEnabled(&window, true);
    button->setEnabled(false);
    button->touchDown();
    EXPECT_TRUE(events.empty());
}

TEST_F(ImageButtonTest, RealMouseEventsMakeTheSameSteps) {
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseMove, {30, 5});
    mouse(QEvent::MouseMove, {100, 5});
    mouse(QEvent::MouseButtonRelease, {100, 5});
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {6, 6});
    EXPECT_EQ(events, (Events{"down4", "exit4", "down4", "up4"}));
}

TEST_F(ImageButtonTest, ActionMayDeleteTheButton) {
    int later = 0;
    button->addAction(tk::TouchUpInside, [](tk::ImageButton& b) { delete &b; });
    button->addAction(tk::TouchUpInside, [&](tk::ImageButton&) { ++later; });
    button->touchDown();
    button->touchUp(true);
    EXPECT_EQ(later, 0);
    EXPECT_EQ(tk::viewWithTag(&window, 4), nullptr);
}

TEST_F(ImageButtonTest, KeepsTitleAndPicture) {
    button->setTitle("Menu");
    button->setBackgroundImage(tk::Image("layout_power_on", QImage(4, 4, QImage::Format_ARGB32)));
    EXPECT_EQ(button->title(), "Menu");
    EXPECT_EQ(button->backgroundImage().name(), "layout_power_on");
    EXPECT_FALSE(button->backgroundImage().isNull());
}

}  // namespace
