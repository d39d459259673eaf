// The Manual, Pressure and Other panels through the real main screen and receive path: what
// their presses send and store, what the chair's frames light, and what a rebuilt panel
// restores.
#include <gtest/gtest.h>

#include "DecoderRig.h"
#include "main/MenuView.h"
#include "panels/ManualView.h"
#include "panels/OtherView.h"
#include "panels/PressureView.h"

namespace {

using decodertest::DecoderRig;
using Writes = std::vector<std::string>;
constexpr std::uint8_t F2 = chairlink::kAutoProgrammeType;
constexpr std::uint8_t F3 = chairlink::kManualMassageType;
constexpr std::uint8_t F4 = chairlink::kAirPressureType;
constexpr std::uint8_t F5 = chairlink::kOtherFunctionsType;

class MenuPanelsTest : public ::testing::Test {
protected:
    explicit MenuPanelsTest(tk::Screen screen = tk::Screen::phone()) : rig(screen) { openMenu(); }

    // The menu button: the menu slides in, so the 10-second return and go back close it.
    void openMenu() {
        rig.root->MenuBtnAction();
        rig.rt.clock.advance(0.5);
    }

    void tap(QWidget* root, int tag) {
        auto* button = tk::viewWithTag<tk::ImageButton>(root, tag);
        ASSERT_NE(button, nullptr) << tag;
        button->touchDown();
        button->touchUp();
        rig.rt.clock.runDue();
    }
    template <typename Panel>
    Panel* open(int entry, int panelTag) {
        tap(rig.root->menuView(), entry);
        return rig.root->viewWithTag<Panel>(panelTag);
    }
    panels::ManualView* manual() {
        return open<panels::ManualView>(2, mainscreen::kManualPanelTag);
    }
    panels::PressureView* pressure() {
        return open<panels::PressureView>(3, mainscreen::kPressurePanelTag);
    }
    panels::OtherView* other() { return open<panels::OtherView>(4, mainscreen::kOtherPanelTag); }

    static QString look(QWidget* panel, int tag) {
        auto* b = tk::viewWithTag<tk::ImageButton>(panel, tag);
        return b ? b->backgroundImage().name() : QString("(none)");
    }
    static QString bar(panels::MassagePanel* panel, const char* name) {
        return panel->gradeBar(name)->image().name();
    }
    // The tags among `tags` whose button shows an "on" picture.
    static std::vector<int> lit(QWidget* panel, std::initializer_list<int> tags) {
        std::vector<int> on;
        for (int tag : tags) {
            const QString name = look(panel, tag);
            if (!name.endsWith("_off") &&
                !QStringList{"service1", "service3", "service5"}.contains(name)) {
                on.push_back(tag);
            }
        }
        return on;
    }

    DecoderRig rig;
};

TEST_F(MenuPanelsTest, ManualTechniquesPositionsAndGradesFollowTheChair) {
    auto* panel = manual();
    ASSERT_NE(panel, nullptr);
    // Nothing reported yet: position 0 shows "fixed".
    EXPECT_EQ(look(panel, panels::ManualView::kFixedTag), "manual_fixed_on");
    EXPECT_EQ(panel->currentIndex(), panels::ManualView::kUnset);

    rig.status(F3, 2, 3, 4, 5);
    EXPECT_EQ(look(panel, 3), "manualon_beat_2");
    EXPECT_EQ(lit(panel, {1, 2, 3, 4, 5, 6}), std::vector<int>{3});
    EXPECT_EQ(look(panel, 18), "manual_upper_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_4");
    EXPECT_EQ(bar(panel, "image2"), "manual_grade_5");
    EXPECT_EQ(rig.root->message2(), (mainscreen::RootViewController::Records4{2, 3, 4, 5}));

    rig.status(F3, 6, 7, 6, 9);  // position and grades out of range, shoulder grasp
    EXPECT_EQ(lit(panel, {1, 2, 3, 4, 5, 6}), std::vector<int>{1});
    EXPECT_EQ(look(panel, 1), "manual_shoulder_on");
    EXPECT_EQ(look(panel, 18), "manual_upper_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_4");
    EXPECT_EQ(bar(panel, "image2"), "manual_grade_5");

    rig.status(F3, 5, 4);
    rig.status(F3, 5, 12);
    EXPECT_TRUE(lit(panel, {1, 2, 3, 4, 5, 6}).empty());
    EXPECT_EQ(panel->currentIndex(), 4);
    EXPECT_EQ(lit(panel, {17, 18, 19, 20, 21}), std::vector<int>{21});
    for (std::uint8_t t = 0; t < 255; ++t) rig.status(F3, t, t, t, t);  // never past a table
}

TEST_F(MenuPanelsTest, ManualPressesStoreTheirSettingAndTheBarWaitsForTheChair) {
    auto* panel = manual();
    tap(panel, 10);  // speed segment 4
    tap(panel, 16);  // width segment 5
    tap(panel, 2);
    tap(panel, 21);  // hidden on page 1: takes no touch
    tap(panel, panels::ManualView::kPageTwoTag);
    tap(panel, 21);
    EXPECT_EQ(rig.session->handSpeed(), 4);
    EXPECT_EQ(rig.session->handWidth(), 5);
    EXPECT_EQ(rig.writes(), (Writes{"AA 55 11 04 15 0D 0A", "AA 55 12 05 17 0D 0A",
                                    "AA 55 01 61 62 0D 0A", "AA 55 01 50 51 0D 0A"}));
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_0");
    rig.status(F3, 0, 0, 4, 0);
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_4");
}

TEST_F(MenuPanelsTest, ManualPagesSwitchLocallyAndHiddenControlsStillFollow) {
    auto* panel = manual();
    rig.writes();
    tap(panel, panels::ManualView::kPageTwoTag);
    EXPECT_TRUE(rig.writes().empty());
    EXPECT_EQ(look(panel, 23), "manual_back_on");
    EXPECT_EQ(look(panel, 22), "manual_skill_off");
    EXPECT_EQ(rig.title(), "[manualSecond]");
    EXPECT_EQ(rig.hint(), "[hint5]");
    for (int tag = 1; tag <= 16; ++tag)
        EXPECT_FALSE(tk::viewWithTag(panel, tag)->isVisible()) << tag;
    for (int tag = 31; tag <= 38; ++tag)
        EXPECT_TRUE(tk::viewWithTag(panel, tag)->isHidden()) << tag;
    for (int tag = 17; tag <= 21; ++tag)
        EXPECT_TRUE(tk::viewWithTag(panel, tag)->isVisible()) << tag;
    for (int tag = 39; tag <= 43; ++tag)
        EXPECT_TRUE(tk::viewWithTag(panel, tag)->isVisible()) << tag;
    EXPECT_TRUE(panel->gradeBar("image1")->isHidden());

    rig.status(F3, 1, 1, 2, 3);
    EXPECT_EQ(look(panel, 2), "manual_beat_on");
    EXPECT_EQ(bar(panel, "image2"), "manual_grade_3");
    tap(panel, panels::ManualView::kPageOneTag);
    EXPECT_EQ(rig.title(), "[manualOne]");
    EXPECT_TRUE(tk::viewWithTag(panel, 2)->isVisible());
    EXPECT_TRUE(tk::viewWithTag(panel, 17)->isHidden());
}

TEST_F(MenuPanelsTest, PressureSegmentsZonesAndTraction) {
    auto* panel = pressure();
    ASSERT_NE(panel, nullptr);
    for (int tag : {3, 6, 9, 13, 14, 1, 15}) tap(panel, tag);
    EXPECT_EQ(rig.writes(),
              (Writes{"AA 55 13 01 14 0D 0A", "AA 55 13 03 16 0D 0A", "AA 55 14 02 16 0D 0A",
                      "AA 55 01 73 74 0D 0A", "AA 55 01 72 73 0D 0A", "AA 55 01 79 7A 0D 0A",
                      "AA 55 01 77 78 0D 0A"}));
    EXPECT_EQ(rig.session->lowerPressureStatus(), 3);
    EXPECT_EQ(look(panel, 1), "air_arm_off");  // taps light nothing

    rig.status(F4, 2, 1, 3, 1);
    EXPECT_EQ(look(panel, 1), "air_arm_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_4");
    EXPECT_EQ(bar(panel, "image2"), "manual_grade_5");
    rig.status(F4, 5, 2, 4, 7);  // intensities past the table, traction neither 0 nor 1
    EXPECT_EQ(look(panel, 1), "air_arm_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_4");
    EXPECT_EQ(bar(panel, "image2"), "manual_grade_5");
    EXPECT_EQ(lit(panel, {12, 13, 14, 15}), (std::vector<int>{13, 15}));
    rig.status(F4, 0, 0, 0, 0);
    EXPECT_EQ(look(panel, 1), "air_arm_off");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_0");
    EXPECT_TRUE(lit(panel, {12, 13, 14, 15}).empty());
}

TEST_F(MenuPanelsTest, OtherRollersHeatAndMemories) {
    auto* panel = other();
    ASSERT_NE(panel, nullptr);
    for (int tag : {6, 7, 1, 2, 12}) tap(panel, tag);
    EXPECT_EQ(rig.session->footRollerSpeed(), 3);
    EXPECT_EQ(rig.writes(),
              (Writes{"AA 55 15 02 17 0D 0A", "AA 55 15 03 18 0D 0A", "AA 55 01 81 82 0D 0A",
                      "AA 55 01 88 89 0D 0A", "AA 55 01 A4 A5 0D 0A"}));

    rig.status(F2, 9);
    EXPECT_EQ(look(panel, 12), "service3");  // the programme shows at the next 0xF5 frame
    rig.status(F5, 3, 0, 1);
    EXPECT_EQ(look(panel, 12), "service4");
    EXPECT_EQ(look(panel, 2), "other_footrollers_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_5");
    EXPECT_EQ(look(panel, 1), "other_therapy_on");
    rig.status(F2, 3);
    rig.status(F5, 4, 0, 2);
    EXPECT_TRUE(lit(panel, {11, 12, 13}).empty());
    EXPECT_EQ(look(panel, 1), "other_therapy_on");
    EXPECT_EQ(look(panel, 2), "other_footrollers_on");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_5");
    rig.status(F5, 0, 0, 0);
    EXPECT_EQ(look(panel, 2), "other_footrollers_off");
    EXPECT_EQ(bar(panel, "image1"), "manual_grade_0");
    EXPECT_EQ(look(panel, 1), "other_therapy_off");
}

TEST_F(MenuPanelsTest, ReopenedPanelsRestoreTheLastFramesAndTheReturnClosesThem) {
    rig.status(F3, 3, 8, 1, 2);
    rig.status(F4, 1, 3, 2, 1);
    rig.status(F2, 10);
    rig.status(F5, 1, 0, 1);
    auto* m = manual();
    EXPECT_EQ(look(m, 6), "manual_3d_1");
    EXPECT_EQ(look(m, 19), "manual_lower_on");
    EXPECT_EQ(rig.title(), "[manualOne]");
    EXPECT_EQ(rig.hint(), "[hint4]");
    auto* p = pressure();
    EXPECT_EQ(rig.root->viewWithTag(mainscreen::kManualPanelTag), nullptr);
    EXPECT_EQ(lit(p, {1, 12, 13, 14, 15}), (std::vector<int>{1, 14, 15}));
    EXPECT_EQ(bar(p, "image2"), "manual_grade_4");
    EXPECT_EQ(rig.title(), "[pressureOne]");
    auto* o = other();
    EXPECT_EQ(lit(o, {1, 2, 11, 12, 13}), (std::vector<int>{1, 2, 13}));
    EXPECT_EQ(rig.title(), "[otherOne]");
    EXPECT_EQ(rig.hint(), "[hint7]");

    // A press restarts the 10-second return; go back closes at once.
    rig.rt.clock.advance(9.0);
    tap(o, 3);
    rig.rt.clock.advance(9.0);
    EXPECT_NE(rig.root->viewWithTag(mainscreen::kOtherPanelTag), nullptr);
    rig.rt.clock.advance(1.5);
    EXPECT_EQ(rig.root->viewWithTag(mainscreen::kOtherPanelTag), nullptr);
    openMenu();
    tap(rig.root->menuView(), 3);
    tap(rig.root->viewWithTag(mainscreen::kPressurePanelTag), panels::PressureView::kGoBackTag);
    EXPECT_EQ(rig.root->viewWithTag(mainscreen::kPressurePanelTag), nullptr);
}

// A narrow phone panel (W = 320) steps its technique buttons by d + 70 with d = -180/7.
TEST(MenuPanelFrames, NarrowPhoneRoundsTheFormulasToWholePoints) {
    DecoderRig rig(tk::Screen{460, 300, tk::Idiom::Phone});
    rig.root->MenuViewAction(*tk::viewWithTag<tk::ImageButton>(rig.root->menuView(), 2));
    auto* panel = rig.root->viewWithTag<panels::ManualView>(mainscreen::kManualPanelTag);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(60, 55, 320, 210));
    EXPECT_EQ(tk::viewWithTag(panel, 2)->geometry(), QRect(84, 80, 45, 45));
    EXPECT_EQ(tk::viewWithTag(panel, 3)->geometry(), QRect(129, 80, 46, 44));
    EXPECT_EQ(tk::viewWithTag(panel, 6)->geometry(), QRect(261, 80, 45, 45));
    EXPECT_EQ(tk::viewWithTag(panel, 20)->geometry(), QRect(50, 140, 45, 60));
    EXPECT_EQ(tk::viewWithTag(panel, 10)->geometry(), QRect(86, 0, 22, 18));
    EXPECT_EQ(tk::viewWithTag(panel, 10)->parentWidget(), panel->gradeBar("image1"));
}

class TabletMenuPanelsTest : public MenuPanelsTest {
protected:
    TabletMenuPanelsTest() : MenuPanelsTest(tk::Screen::tablet()) {}
};

TEST_F(TabletMenuPanelsTest, TabletPanelsTakeTheirOwnFramesAndStillSend) {
    auto* m = manual();
    EXPECT_EQ(m->geometry(), QRect(120, 130, 774, 500));
    EXPECT_EQ(tk::viewWithTag(m, 24)->geometry(), QRect(704, 430, 70, 70));
    EXPECT_EQ(tk::viewWithTag(m, 8)->geometry(), QRect(85, 5, 45, 25));
    auto* p = pressure();
    EXPECT_EQ(tk::viewWithTag(p, 12)->geometry(), QRect(90, 200, 90, 110));
    auto* o = other();
    EXPECT_EQ(tk::viewWithTag(o, 13)->geometry(), QRect(490, 200, 90, 90));
    rig.writes();
    tap(o, 5);
    EXPECT_EQ(rig.writes(), Writes{"AA 55 15 02 17 0D 0A"});
}

}  // namespace
