// The settings panel through the whole app: opening and closing, its two choices, the volume
// in tenths with its pictures, the language list, and its place among the other panels.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "main/MenuView.h"
#include "main/script/ScriptOptions.h"
#include "main/script/ScriptRunner.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/UserDefaults.h"
#include "tests/main/SettingsRig.h"

namespace {

using settingstest::SettingsRig;
using settingstest::SettingView;

TEST(SettingsPanel, TheSettingsButtonOpensItEmptyAndClosesIt) {
    SettingsRig rig;
    rig.start();
    rig.open();
    EXPECT_TRUE(rig.root().serviceSettingFlag());
    EXPECT_EQ(rig.title(), "zh:settingOne");
    EXPECT_EQ(rig.hint(), "zh:hint8");
    EXPECT_EQ(rig.caption(30), "zh:languageoption");
    EXPECT_EQ(rig.caption(31), "zh:volumeadjust");
    EXPECT_EQ(rig.controlPicture(1), "setting_lang_off");
    EXPECT_EQ(rig.controlPicture(2), "setting_volume_off");
    for (int tag : {10, 11, 3, 4}) EXPECT_TRUE(rig.part(tag)->isHidden()) << tag;
    EXPECT_TRUE(rig.panel()->tableView()->isHidden());
    EXPECT_TRUE(rig.panel()->imagView1()->isHidden());
    EXPECT_EQ(rig.volumePicture(), "setting_volume_0");

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

TEST(SettingsPanel, EachChoiceShowsItsGroupMarkerTitleAndHint) {
    SettingsRig rig;
    rig.start();
    rig.open();
    rig.press(1);
    EXPECT_EQ(rig.controlPicture(1), "setting_lang_on");
    EXPECT_FALSE(rig.part(10)->isHidden());
    EXPECT_TRUE(rig.part(11)->isHidden());
    EXPECT_FALSE(rig.panel()->tableView()->isHidden());
    EXPECT_TRUE(rig.part(3)->isHidden());
    EXPECT_EQ(rig.title(), "zh:settingSecond");
    EXPECT_EQ(rig.hint(), "zh:hint9");

    rig.press(2);
    EXPECT_EQ(rig.controlPicture(1), "setting_lang_off");
    EXPECT_EQ(rig.controlPicture(2), "setting_volume_on");
    EXPECT_TRUE(rig.part(10)->isHidden());
    EXPECT_FALSE(rig.part(11)->isHidden());
    EXPECT_TRUE(rig.panel()->tableView()->isHidden());
    for (int tag : {3, 4}) EXPECT_FALSE(rig.part(tag)->isHidden());
    EXPECT_FALSE(rig.panel()->imagView1()->isHidden());
    EXPECT_EQ(rig.title(), "zh:settingThird");
    EXPECT_EQ(rig.hint(), "zh:hint10");
    EXPECT_TRUE(rig.log.contains("1"));
    EXPECT_TRUE(rig.log.contains("2"));
}

TEST(SettingsPanel, ChoiceTwoShowsTheVolumeWithoutChangingIt) {
    struct Case {
        float volume;
        const char* picture;
    };
    // 0.6 is level 6, which has no picture of its own: a new panel keeps its first one.
    for (const Case c : {Case{0.5f, "setting_volume_4"}, Case{0.6f, "setting_volume_0"},
                         Case{1.3f, "setting_volume_7"}}) {
        SCOPED_TRACE(c.volume);
        SettingsRig rig;
        rig.volumeIs(c.volume);
        rig.start();
        rig.open();
        rig.press(2);
        EXPECT_EQ(rig.volumePicture(), c.picture);
        EXPECT_FLOAT_EQ(rig.volume(), c.volume);
    }
}

TEST(SettingsPanel, ButtonsThreeAndFourStepByATenthWithinTheClamps) {
    struct Case {
        float from;
        int button;
        float to;
        const char* picture;
    };
    for (const Case c :
         {Case{0.55f, 4, 0.7f, "setting_volume_5"}, Case{0.55f, 3, 0.5f, "setting_volume_4"},
          Case{1.0f, 4, 1.0f, "setting_volume_7"}, Case{0.0f, 3, 0.0f, "setting_volume_0"},
          Case{0.12f, 3, 0.0f, "setting_volume_0"},
          // Above the normal volume, the way down starts from it.
          Case{1.3f, 3, 0.9f, "setting_volume_7"}, Case{0.34f, 4, 0.4f, "setting_volume_3"}}) {
        SCOPED_TRACE(testing::Message() << c.from << " button " << c.button);
        SettingsRig rig;
        rig.start();
        rig.volumeIs(c.from);
        rig.open();
        rig.press(2);  // they show with the volume
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
    EXPECT_EQ(SettingView::snapToTenths(0.15f), 2);
    EXPECT_EQ(SettingView::snapToTenths(0.14f), 1);
    EXPECT_EQ(SettingView::snapToTenths(1.5), 10);

    const QStringList pictures = {"0", "1", "", "2", "3", "4", "", "5", "6", "", "7"};
    for (int level = 0; level <= 10; ++level) {
        const auto image = SettingView::volumeImageFor(level);
        EXPECT_EQ(image.value_or(""),
                  pictures[level].isEmpty() ? QString() : "setting_volume_" + pictures[level])
            << level;
    }
    EXPECT_FALSE(SettingView::volumeImageFor(11));
    EXPECT_FALSE(SettingView::volumeImageFor(-1));
}

TEST(SettingsPanel, RowOneSwitchesToEnglishAndTheNextStartOpensInIt) {
    QTemporaryDir dir;
    const QString settings = dir.path() + "/defaults.ini";
    {
        SettingsRig rig(tk::Screen::phone(), settings);
        rig.start();
        rig.open();
        rig.press(1);
        tk::ListView* list = rig.panel()->tableView();
        ASSERT_EQ(list->numberOfRows(), 2);
        EXPECT_EQ(list->cellForRow(0)->textLabel()->textColor(), QColor(Qt::white));
        list->selectRow(1);
        rig.settle();
        EXPECT_EQ(rig.root().languageFlag(), 1);
        EXPECT_EQ(rig.caption(30), "en:languageoption");
        EXPECT_EQ(rig.caption(31), "en:volumeadjust");
        EXPECT_EQ(rig.title(), "en:settingSecond");
        EXPECT_EQ(rig.hint(), "en:hint9");
        EXPECT_EQ(rig.root().currentTitleNum(), 9);
        EXPECT_EQ(list->cellForRow(1)->textLabel()->textColor(), QColor(Qt::white));
        EXPECT_EQ(list->cellForRow(0)->textLabel()->textColor(), QColor(Qt::black));
    }
    EXPECT_EQ(tk::UserDefaults(settings).integerForKey("languageFlag"), 1);
    SettingsRig again(tk::Screen::phone(), settings);
    again.start();
    again.open();
    EXPECT_EQ(again.caption(30), "en:languageoption");
    EXPECT_EQ(again.title(), "en:settingOne");
}

TEST(SettingsPanel, AStoredLanguageThatIsNoneStartsInChineseWithALogLine) {
    QTemporaryDir dir;
    const QString settings = dir.path() + "/defaults.ini";
    tk::UserDefaults(settings).setInteger(7, "languageFlag");
    SettingsRig rig(tk::Screen::phone(), settings);
    rig.start();
    EXPECT_EQ(rig.root().languageFlag(), 0);
    EXPECT_TRUE(rig.log.contains("languageFlag 7 is no language; starting in Chinese"));
    rig.open();
    EXPECT_EQ(rig.caption(30), "zh:languageoption");
}

TEST(SettingsPanel, ItReplacesTheServicePanelAndAMenuPanelReplacesIt) {
    SettingsRig rig;
    rig.start();
    rig.tap(rig.root().view()->findChild<tk::ImageButton*>(mainscreen::kServiceButtonName));
    ASSERT_NE(rig.view(mainscreen::kServicePanelTag), nullptr);
    rig.open();
    EXPECT_EQ(rig.view(mainscreen::kServicePanelTag), nullptr);
    EXPECT_TRUE(rig.root().serviceSettingFlag());

    rig.tap(rig.root().view()->findChild<tk::ImageButton*>(mainscreen::kMenuButtonName));
    rig.tap(tk::viewWithTag<tk::ImageButton>(rig.root().menuView(), 2));
    EXPECT_EQ(rig.panel(), nullptr);
    EXPECT_NE(rig.view(mainscreen::kManualPanelTag), nullptr);
}

TEST(SettingsPanel, LayoutsOfBothIdioms) {
    struct Case {
        tk::Screen screen;
        QRect panel, box, volume, down, up, goBack;
    };
    for (const Case& c : {
             Case{tk::Screen::tablet(), QRect(150, 100, 720, 550), QRect(250, 85, 400, 300),
                  QRect(330, 205, 240, 60), QRect(290, 210, 50, 50), QRect(560, 210, 50, 50),
                  QRect(640, 480, 70, 70)},
             Case{tk::Screen::phone(), QRect(65, 55, 438, 210), QRect(120, 40, 240, 135),
                  QRect(168, 93, 144, 30), QRect(138, 93, 30, 30), QRect(312, 93, 30, 30),
                  QRect(388, 170, 40, 40)},
         }) {
        SettingsRig rig(c.screen);
        rig.start();
        rig.open();
        EXPECT_EQ(rig.panel()->geometry(), c.panel);
        EXPECT_EQ(rig.panel()->tableView()->geometry(), c.box.adjusted(5, 5, -5, -5));
        EXPECT_EQ(rig.panel()->imagView1()->geometry(), c.volume);
        EXPECT_EQ(rig.part(3)->geometry(), c.down);
        EXPECT_EQ(rig.part(4)->geometry(), c.up);
        EXPECT_EQ(rig.part(5)->geometry(), c.goBack);
    }
}

TEST(SettingsPanel, ScriptModeStartsAtItsVolumeTakesTheVerbAndDumpsIt) {
    std::string error;
    const auto options =
        script::ScriptOptions::parse({"app", "--script", "s", "--volume", "0.3"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_FLOAT_EQ(options->volume, 0.3f);
    EXPECT_FALSE(script::ScriptOptions::parse({"app", "--script", "s", "--volume", "2"}, error));
    EXPECT_EQ(error, "--volume must be a number from 0 to 1.5, not \"2\"");
    EXPECT_FLOAT_EQ(script::ScriptOptions::parse({"app", "--script", "s"}, error)->volume, 0.5f);

    SettingsRig rig(tk::Screen::phone(), std::nullopt,
                    [](script::WorldSettings& settings) { settings.volume = 0.3f; });
    rig.start();
    QTemporaryDir dir;
    std::ostringstream out, err;
    script::ScriptRunner runner(*rig.world, out);
    const QString dump = dir.path() + "/dump.json";
    ASSERT_EQ(runner.run("tap settings-button\ntap 104/2\ntap 104/4\nvolume 0.84\ntap 104/2\n"
                         "dump " +
                             dump + "\nvolume -1\n",
                         "t", err),
              2);
    EXPECT_EQ(err.str(), "t:7: volume needs a number from 0 to 1.5, not \"-1\"\n");
    EXPECT_EQ(rig.volumePicture(), "setting_volume_6");
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_DOUBLE_EQ(QJsonDocument::fromJson(file.readAll()).object()["volume"].toDouble(), 0.84);
}

}  // namespace
