// Titles, hints and captions in both languages, and switching between them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "main/MenuView.h"
#include "main/ViewTags.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/UserDefaults.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace {

using namespace mainscreen;
using screentest::kTitleKeys;
using screentest::ScreenRig;

QString labelText(ScreenRig& rig, int tag) {
    auto* label = rig.root().viewWithTag<tk::Label>(tag);
    return label ? label->text() : "(none)";
}

QString menuCaption(ScreenRig& rig, int entry) {
    auto* label = tk::viewWithTag<tk::Label>(rig.root().menuView(), entry + 10);
    return label ? label->text() : "(none)";
}

TEST(LanguagesTest, FirstStartIsChineseWithCaptionsFromTheFile) {
    ScreenRig rig;
    rig.start();
    EXPECT_EQ(labelText(rig, kMenuCaptionTag), "zh:Menu");
    EXPECT_EQ(labelText(rig, kServiceCaptionTag), "zh:Service");
    EXPECT_EQ(labelText(rig, kSettingCaptionTag), "zh:Setting");
    EXPECT_EQ(menuCaption(rig, 1), "zh:Auto");
    EXPECT_EQ(menuCaption(rig, 4), "zh:Others");
}

TEST(LanguagesTest, TitlesByIndexInBothLanguages) {
    ScreenRig rig;
    rig.start();
    ASSERT_EQ(rig.root().titleArray(), kTitleKeys);
    for (int flag : {0, 1}) {
        const QString prefix = flag == 0 ? "zh:" : "en:";
        for (int index = 1; index < kTitleKeys.size(); ++index) {
            rig.root().setWindowTitle(index, flag);
            EXPECT_EQ(rig.root().titleLabel()->text(), prefix + kTitleKeys[index]);
            EXPECT_EQ(rig.root().currentTitleNum(), index);
        }
        rig.root().setWindowTitle(0, flag);
        EXPECT_EQ(rig.root().titleLabel()->text(), prefix + "(empty)") << "the empty key";
    }
}

TEST(LanguagesTest, OutOfRangeTitleAndHintAreIgnored) {
    ScreenRig rig;
    rig.start();
    rig.root().setWindowTitle(24, 1);
    rig.root().changeHintLabel(20, 1);
    for (std::int64_t bad : {25, 200, -1}) rig.root().setWindowTitle(bad, 0);
    for (std::int64_t bad : {24, 200, -1}) rig.root().changeHintLabel(bad, 0);
    EXPECT_EQ(rig.root().titleLabel()->text(), "en:Automaticother");
    EXPECT_EQ(rig.root().currentTitleNum(), 24);
    EXPECT_EQ(rig.root().hintLine()->text(), "en:hint19");
    EXPECT_EQ(rig.root().currentHintNum(), 20);
}

TEST(LanguagesTest, HintTableHasTheEmptyKeyThenHint19ThenTheFileRefusals) {
    ScreenRig rig;
    rig.start();
    ASSERT_EQ(rig.root().hintArray().size(), 24);
    EXPECT_EQ(rig.root().hintArray().mid(21),
              (QStringList{"hintFileEmpty", "hintFileUnreadable", "hintFileTooLarge"}));
    for (int k = 0; k <= 18; ++k) {
        rig.root().changeHintLabel(k, 0);
        EXPECT_EQ(rig.root().hintLine()->text(), QString("zh:hint%1").arg(k));
    }
    rig.root().changeHintLabel(19, 0);
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:(empty)");
    rig.root().changeHintLabel(20, 0);
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint19");
}

TEST(LanguagesTest, OtherFlagsGiveTheDictionaryLoadedLast) {
    ScreenRig rig;
    rig.start();
    rig.root().setLanguageForMainView(1);
    EXPECT_EQ(rig.root().setLanguageForMainView(7).value("Menu"), "en:Menu");
    EXPECT_EQ(rig.root().setLanguageForMainView(-1).value("Menu"), "en:Menu");
    EXPECT_EQ(rig.root().setLanguageForMainView(0).value("Menu"), "zh:Menu");
}

TEST(LanguagesTest, SwitchingRedisplaysWithoutChangingIndicesAndIsStored) {
    QTemporaryDir dir;
    const QString settings = dir.path() + "/defaults.ini";
    {
        ScreenRig rig(tk::Screen::phone(), settings);
        rig.start();
        rig.root().setWindowTitle(13, 0);
        rig.root().changeHintLabel(12, 0);
        tk::ListView list(rig.root().view());
        list.setSource(&rig.root().languageList());
        list.reloadData();
        ASSERT_EQ(list.numberOfRows(), 2);
        EXPECT_EQ(list.cellForRow(0)->textLabel()->text(), QString::fromUtf8("简体中文"));
        EXPECT_EQ(list.cellForRow(0)->textLabel()->textColor(), QColor(Qt::white));
        EXPECT_EQ(list.cellForRow(1)->textLabel()->text(), "English");
        EXPECT_EQ(list.cellForRow(1)->textLabel()->textColor(), QColor(Qt::black));

        list.selectRow(1);
        rig.settle();
        EXPECT_EQ(rig.root().languageFlag(), 1);
        EXPECT_EQ(rig.root().titleLabel()->text(), "en:Automaticrelax");
        EXPECT_EQ(rig.root().hintLine()->text(), "en:hint12");
        EXPECT_EQ(rig.root().currentTitleNum(), 13);
        EXPECT_EQ(rig.root().currentHintNum(), 12);
        EXPECT_EQ(labelText(rig, kSettingCaptionTag), "en:Setting");
        EXPECT_EQ(menuCaption(rig, 2), "en:Manual");
        EXPECT_EQ(list.cellForRow(1)->textLabel()->textColor(), QColor(Qt::white))
            << "the highlight moves";
        EXPECT_EQ(list.cellForRow(0)->textLabel()->textColor(), QColor(Qt::black));
        list.setSource(nullptr);
    }
    EXPECT_EQ(tk::UserDefaults(settings).integerForKey("languageFlag"), 1);
    ScreenRig again(tk::Screen::phone(), settings);
    again.start();
    EXPECT_EQ(again.root().languageFlag(), 1);
    EXPECT_EQ(labelText(again, kMenuCaptionTag), "en:Menu");
}

}  // namespace
