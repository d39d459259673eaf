#include "main/toolkit/ImageButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"
#include "support/Mouse.h"

namespace {

using Events = std::vector<std::string>;

struct ImageButtonTest : ::testing::Test {
    QWidget window;
    tk::ImageButton* button = new tk::ImageButton(&window);
    Events events;

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
    void mouse(QEvent::Type type, QPoint pos) { testsupport::mouse(type, button, pos); }
};

TEST_F(ImageButtonTest, EachRunOfTouchStepsGivesItsEventsWithTheSender) {
    QEvent deactivate(QEvent::WindowDeactivate);
    const std::map<char, std::function<void()>> step = {
        {'d', [&] { button->touchDown(); }},
        {'o', [&] { button->moveOutside(); }},
        {'i', [&] { button->moveInside(); }},
        {'u', [&] { button->touchUp(true); }},
        {'x', [&] { button->touchUp(false); }},
        {'c', [&] { button->cancelTouch(); }},
        {'h',
         [&] {
             window.hide();
             window.show();
         }},
        {'w', [&] { QApplication::sendEvent(&window, &deactivate); }},
        {'H', [&] { button->hide(); }},
        {'S', [&] { button->show(); }},
        {'N', [&] { tk::setUserInteractionEnabled(&window, false); }},
        {'Y', [&] { tk::setUserInteractionEnabled(&window, true); }},
        {'E', [&] { button->setEnabled(false); }},
        {'e', [&] { button->setEnabled(true); }},
    };
    // d press, o/i move out/in, u/x release in/outside, c cancel; h hides and shows the window,
    // w sends it to the background; H/S, N/Y and E/e take the button's touches away and back.
    const std::pair<std::string, Events> runs[] = {
        {"du", {"down4", "up4"}},
        {"doox", {"down4", "exit4"}},  // one exit; the release outside adds nothing
        {"dx", {"down4", "exit4"}},    // released outside without a move: still the exit
        {"doiu", {"down4", "exit4", "up4"}},
        {"dcuc", {"down4", "cancel4"}},  // nothing after the cancel ended the press
        {"dhu", {"down4", "cancel4"}},   // the window hid
        {"dwu", {"down4", "cancel4"}},   // the window went to the background
        {"HdS", {}},                     // a button that takes no touches ignores them
        {"NdY", {}},
        {"Ede", {}},
    };
    for (const auto& [steps, expected] : runs) {
        events.clear();
        for (char s : steps) step.at(s)();
        EXPECT_EQ(events, expected) << steps;
        EXPECT_FALSE(button->isPressed()) << steps;
    }
}

// A tap through the window is checked with the views' touch targets.
TEST_F(ImageButtonTest, RealMouseMovesMakeTheSameSteps) {
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseMove, {30, 5});
    mouse(QEvent::MouseMove, {100, 5});
    mouse(QEvent::MouseButtonRelease, {100, 5});
    EXPECT_EQ(events, (Events{"down4", "exit4"}));
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

}  // namespace
