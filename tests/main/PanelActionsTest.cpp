// The Adjust and Info panels' controls as the main screen wires them: what each press sends
// to the chair, and the Info panel's one observation of "infoViewMessage".
#include <gtest/gtest.h>

#include "DecoderRig.h"
#include "main/MenuView.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"
#include "panels/InfoActions.h"

namespace {

using decodertest::DecoderRig;
constexpr std::uint8_t F1 = chairlink::kRunningStateType;

void tap(QWidget* panel, int tag) {
    auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag);
    ASSERT_NE(button, nullptr);
    button->touchDown();
    button->touchUp();
}

TEST(PanelActions, AdjustButtonsSendUpAndDownOncePerTap) {
    DecoderRig rig;
    rig.status(F1, 3, 0, 6, 0);
    rig.writes();
    auto* upper = tk::viewWithTag<tk::ImageButton>(rig.adjust(), 1);
    upper->touchDown();
    rig.rt.clock.advance(2.0);  // holding sends nothing more
    upper->touchUp();
    tap(rig.adjust(), 2);
    EXPECT_EQ(rig.writes(),
              (std::vector<std::string>{"AA 55 01 34 35 0D 0A", "AA 55 01 35 36 0D 0A"}));
    // While measuring the buttons are hidden and take no touches.
    rig.status(F1, 1, 0, 6, 0);
    rig.writes();
    tap(rig.adjust(), 1);
    EXPECT_TRUE(rig.writes().empty());
}

// The quick key tagged `tag`; the menu reuses the small tags, so it is left out of the search.
QWidget* quickKey(DecoderRig& rig, int tag) {
    for (auto* button : rig.root->view()->findChildren<tk::ImageButton*>()) {
        if (tk::tagOf(button) == tag && !rig.root->menuView()->isAncestorOf(button)) return button;
    }
    return nullptr;
}

TEST(PanelActions, OnTabletsTheAdjustPanelLeavesTheQuickKeysFree) {
    DecoderRig rig(tk::Screen::tablet());
    rig.status(F1, 3, 0, 6, 0);
    ASSERT_NE(rig.adjust(), nullptr);
    for (int tag : {mainscreen::kAutoKeyTag, 2, 3, 4, 5}) {
        QWidget* key = quickKey(rig, tag);
        ASSERT_NE(key, nullptr) << tag;
        const QPoint nearLeftEdge = key->mapTo(rig.root->view(), QPoint(2, key->height() / 2));
        EXPECT_EQ(tk::touchTarget(rig.root->view(), nearLeftEdge), key) << tag;
    }
}

TEST(PanelActions, IntensityAreasStoreTheIntensityBeforeSending) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    rig.writes();
    tap(rig.info(), 15);
    EXPECT_EQ(rig.session->uppperIntensity(), 3);
    tap(rig.info(), 17);
    EXPECT_EQ(rig.session->uppperIntensity(), 5);
    EXPECT_EQ(rig.writes(),
              (std::vector<std::string>{"AA 55 10 03 13 0D 0A", "AA 55 10 05 15 0D 0A"}));
}

TEST(PanelActions, StartPauseFollowsTheMainScreensRunningState) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    rig.writes();
    tap(rig.info(), 18);  // running: pause
    rig.status(F1, 5, 15, 6, 2);
    rig.writes();
    tap(rig.info(), 18);  // paused: resume
    rig.status(F1, 4, 15, 6, 2);
    rig.writes();
    EXPECT_EQ(rig.root->currentState(), 1);
    tap(rig.info(), 18);
    EXPECT_EQ(rig.writes(), (std::vector<std::string>{"AA 55 01 36 37 0D 0A"}));
    rig.root->setCurrentState(0);
    tap(rig.info(), 18);
    EXPECT_EQ(rig.writes(), (std::vector<std::string>{"AA 55 01 37 38 0D 0A"}));
    // What is shown is the chair's to change, not the tap's.
    tap(rig.info(), 13);
    EXPECT_EQ(rig.info()->image1()->image().name(), "manual_grade_2");
    for (int tag : {12, 19, 30, 31}) EXPECT_FALSE(panels::infoCommandForTag(tag, 0)) << tag;
}

TEST(PanelActions, InfoPanelsMadeAgainAndAgainKeepOneObservation) {
    DecoderRig rig;
    for (int session = 0; session < 4; ++session) {
        rig.status(F1, 4, 15, 6, 2);
        ASSERT_NE(rig.info(), nullptr);
        EXPECT_EQ(rig.center.observerCount(panels::InfoView::kMessageName), 1u);
        rig.status(F1, 0);
        EXPECT_EQ(rig.center.observerCount(panels::InfoView::kMessageName), 0u);
    }
}

}  // namespace
