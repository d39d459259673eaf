// The settings panel through the whole app: opening and closing, its two choices, the volume
// in tenths with its pictures, the language list, and its place among the other panels.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "main/MenuView.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/UserDefaults.h"
#include "tests/main/SettingsRig.h"

namespace {

using settingstest::SettingsRig;
using settingstest::SettingView;

// A menu panel replaces it as it does every panel: the menu tests show that.
TEST(SettingsPanel, OpensEmptyInPlaceOfTheServicePanelEachChoiceShowsItsGroupAndItCloses) {
    SettingsRig rig;
    rig.start();
    rig.tap(rig.named(mainscreen::kServiceButtonName));
    ASSERT_NE(rig.view(mainscreen::kServicePanelTag), nullptr);
    rig.open();
    EXPECT_EQ(rig.view(mainscreen::kServicePanelTag), nullptr);
    EXPECT_TRUE(rig.root().serviceSettingFlag());
    EXPECT_EQ(rig.caption(30), "zh:languageoption");
    EXPECT_EQ(rig.caption(31), "zh:volumeadjust");
    EXPECT_EQ(rig.volumePicture(), "setting_volume_0");
    // The choices' pictures, title and hint, and which of the markers (10, 11), the volume
    // steps (3, 4), the language list and the volume picture are hidden.
    const auto check = [&](const char* language, const char* volume, const char* title,
                           const char* hint, std::vector<bool> hidden) {
        EXPECT_EQ(rig.controlPicture(1), language);
        EXPECT_EQ(rig.controlPicture(2), volume);
        EXPECT_EQ(rig.title(), title);
        EXPECT_EQ(rig.hint(), hint);
        EXPECT_EQ((std::vector<bool>{rig.part(10)->isHidden(), rig.part(11)->isHidden(),
                                     rig.part(3)->isHidden(), rig.part(4)->isHidden(),
                                     rig.panel()->tableView()->isHidden(),
                                     rig.panel()->imagView1()->isHidden()}),
                  hidden);
    };
    check("setting_lang_off", "setting_volume_off", "zh:settingOne", "zh:hint8",
          {true, true, true, true, true, true});
    rig.press(1);
    check("setting_lang_on", "setting_volume_off", "zh:settingSecond", "zh:hint9",
          {false, true, true, true, false, true});
    rig.press(2);
    check("setting_lang_off", "setting_volume_on", "zh:settingThird", "zh:hint10",
          {true, false, false, false, true, false});

    rig.tap(rig.settingsButton());
    EXPECT_EQ(rig.panel(), nullptr);
    EXPECT_FALSE(rig.root().serviceSettingFlag());
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.title(), "");
    rig.open();
    rig.press(SettingView::kGoBackTag);
    rig.settle();
    EXPECT_EQ(rig.panel(), nullptr);
    EXPECT_FALSE(rig.root().serviceSettingFlag());
}

TEST(SettingsPanel, ChoiceTwoShowsTheVolumeAndButtonsThreeAndFourStepByATenthWithinTheClamps) {
    struct Case {
        float from;
        const char* shown;  // on choosing two
        int button;
        float to;
        const char* picture;
    };
    // 0.55 is level 6, which has no picture of its own: a new panel keeps its first one. Above
    // the normal volume, the way down starts from it. Which level has which picture is the
    // snapping test's.
    for (const Case c : {Case{0.55f, "setting_volume_0", 4, 0.7f, "setting_volume_5"},
                         Case{1.0f, "setting_volume_7", 4, 1.0f, "setting_volume_7"},
                         Case{0.0f, "setting_volume_0", 3, 0.0f, "setting_volume_0"},
                         Case{0.12f, "setting_volume_1", 3, 0.0f, "setting_volume_0"},
                         Case{1.3f, "setting_volume_7", 3, 0.9f, "setting_volume_7"}}) {
        SCOPED_TRACE(testing::Message() << c.from << " button " << c.button);
        SettingsRig rig;
        rig.volumeIs(c.from);
        rig.start();
        rig.open();
        rig.press(2);  // buttons three and four show with the volume
        EXPECT_EQ(rig.volumePicture(), c.shown);
        EXPECT_FLOAT_EQ(rig.volume(), c.from) << "showing changes nothing";
        rig.press(c.button);
        EXPECT_FLOAT_EQ(rig.volume(), c.to);
        EXPECT_EQ(rig.volumePicture(), c.picture);
        EXPECT_TRUE(rig.log.contains(c.button == 3 ? "sub" : "add"));
    }
}

TEST(SettingsPanel, SnappingIncludesEachUpperBoundAndEightPicturesServeElevenLevels) {
    EXPECT_EQ(SettingView::snapToTenths(-0.3), 0);
    for (int tenth = 0; tenth < 10; ++tenth) {
        SCOPED_TRACE(tenth);
        // As a float, the way a volume comes back from a sound server.
        EXPECT_EQ(SettingView::snapToTenths(float(tenth / 10.0 + 0.04)), tenth);
        EXPECT_EQ(SettingView::snapToTenths(float(tenth / 10.0 + 0.041)), tenth + 1);
    }
    EXPECT_EQ(SettingView::snapToTenths(1.5), 10);
    // From level -1 to 11: the ends are outside, and 2, 6 and 9 have no picture of their own.
    const QStringList pictures = {"", "0", "1", "", "2", "3", "4", "", "5", "6", "", "7", ""};
    for (int level = -1; level <= 11; ++level) {
        const QString picture = pictures[level + 1];
        EXPECT_EQ(SettingView::volumeImageFor(level).value_or(""),
                  picture.isEmpty() ? QString() : "setting_volume_" + picture)
            << level;
    }
}

TEST(SettingsPanel, RowOneSwitchesToEnglishInPlaceTheNextStartKeepsItAndAnOddFlagIsChinese) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("defaults.ini");
    {
        SettingsRig rig(tk::Screen::phone(), settings);
        rig.start();
        rig.open();
        rig.press(1);
        tk::ListView* list = rig.panel()->tableView();
        ASSERT_EQ(list->numberOfRows(), 2);
        const auto row = [&](int n) { return list->cellForRow(n)->textLabel(); };
        EXPECT_EQ(row(0)->text(), QString::fromUtf8("简体中文"));
        EXPECT_EQ(row(1)->text(), "English");
        EXPECT_EQ(row(0)->textColor(), QColor(Qt::black));
        EXPECT_EQ(row(1)->textColor(), QColor(Qt::white));
        list->selectRow(1);
        rig.settle();
        EXPECT_EQ(rig.root().languageFlag(), 1);
        // Everything on screen again in English, at the same title and hint.
        EXPECT_EQ(rig.caption(30), "en:languageoption");
        EXPECT_EQ(rig.caption(31), "en:volumeadjust");
        EXPECT_EQ(rig.title(), "en:settingSecond");
        EXPECT_EQ(rig.hint(), "en:hint9");
        EXPECT_EQ(rig.labelText(mainscreen::kSettingCaptionTag), "en:Setting");
        EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.root().menuView(), 12)->text(), "en:Manual");
        EXPECT_EQ(row(1)->textColor(), QColor(Qt::black)) << "the highlight moves";
        EXPECT_EQ(row(0)->textColor(), QColor(Qt::white));
    }
    EXPECT_EQ(tk::UserDefaults(settings).integerForKey("languageFlag"), 1);
    {
        SettingsRig again(tk::Screen::phone(), settings);
        again.start();
        EXPECT_EQ(again.root().languageFlag(), 1);
        EXPECT_EQ(again.labelText(mainscreen::kMenuCaptionTag), "en:Menu");
    }

    // A stored flag that is no language starts in Chinese and says so.
    tk::UserDefaults(settings).setInteger(7, "languageFlag");
    SettingsRig odd(tk::Screen::phone(), settings);
    odd.start();
    EXPECT_EQ(odd.root().languageFlag(), 0);
    EXPECT_TRUE(odd.log.contains("languageFlag 7 is no language; starting in Chinese"));
    odd.open();
    EXPECT_EQ(odd.caption(30), "zh:languageoption");
}

TEST(SettingsPanel, LayoutsOfBothIdioms) {
    // The panel, the language list, the volume picture, the steps down and up, go back.
    const std::pair<tk::Screen, const char*> cases[] = {
        {tk::Screen::tablet(),
         "150,100,720,550 255,90,390,290 330,205,240,60 290,210,50,50 "
         "560,210,50,50 640,480,70,70"},
        {tk::Screen::phone(),
         "65,55,438,210 125,45,230,125 168,93,144,30 138,93,30,30 "
         "312,93,30,30 388,170,40,40"}};
    for (const auto& [screen, expected] : cases) {
        SettingsRig rig(screen);
        rig.start();
        rig.open();
        EXPECT_EQ(
            screentest::frames({rig.panel(), rig.panel()->tableView(), rig.panel()->imagView1(),
                                rig.part(3), rig.part(4), rig.part(5)}),
            expected);
    }
}

}  // namespace
