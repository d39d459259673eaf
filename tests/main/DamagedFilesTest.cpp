// The app's own files damaged, or not there: settings files that are empty, cut short, binary,
// of the wrong types or no file at all, and language files missing or broken. The app starts
// in Chinese, runs, and says what it could not read or keep.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/UserDefaults.h"
#include "widgets/MarqueeLabel.h"

namespace {

using screentest::ScreenRig;

QByteArray everyByte() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes.append(char(i));
    return bytes.repeated(4);
}

TEST(DamagedFiles, ASettingsFileThatCannotBeReadStartsInChineseAndAChoiceLastsOrIsReported) {
    const std::pair<const char*, std::optional<QByteArray>> damaged[] = {
        {"empty", ""},
        {"cut short", "[General]\nlanguageFl"},
        {"binary", everyByte()},
        {"a number too large", "[General]\nlanguageFlag=99999999999999999999\n"},
        {"a list", "[General]\nlanguageFlag=1, 0\n"},
        {"a variant", "[General]\nlanguageFlag=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)\n"},
        {"a folder", std::nullopt},
    };
    for (const auto& [what, contents] : damaged) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        QString settings = dir.path();
        if (contents) {
            QFile file(settings = dir.filePath("defaults.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*contents);
        }
        bool reported = false;
        {
            ScreenRig rig(tk::Screen::phone(), settings);
            rig.start();
            EXPECT_EQ(rig.root().languageFlag(), 0);
            EXPECT_EQ(rig.labelText(mainscreen::kMenuCaptionTag), "zh:Menu");
            rig.root().selectLanguage(1);
            rig.settle();
            EXPECT_EQ(rig.labelText(mainscreen::kMenuCaptionTag), "en:Menu");
            reported = rig.log.contains("UserDefaults: could not write " + settings.toStdString());
        }
        // Either the choice is kept, or the log said it could not be; a folder cannot keep it.
        ScreenRig again(tk::Screen::phone(), settings);
        again.start();
        EXPECT_TRUE(again.root().languageFlag() == 1 || reported);
        if (!contents) {
            EXPECT_TRUE(reported);
            EXPECT_EQ(again.root().languageFlag(), 0);
        }
    }
}

TEST(DamagedFiles, MissingOrBrokenLanguageFilesLeaveTheTextsEmptyAndTheAppRuns) {
    for (const bool broken : {false, true}) {
        SCOPED_TRACE(broken ? "broken" : "missing");
        ScreenRig rig;
        for (const char* language : {"zh.plist", "en.plist"}) {
            const QString path = rig.bundle.filePath(language);
            QFile::remove(path);
            QFile file(path);
            if (broken && file.open(QIODevice::WriteOnly)) file.write(everyByte());
        }
        rig.start();
        EXPECT_EQ(rig.labelText(mainscreen::kMenuCaptionTag), "");
        rig.root().selectLanguage(1);
        rig.tap(rig.named(mainscreen::kMenuButtonName));
        EXPECT_EQ(rig.root().titleLabel()->text(), "");
        // A missing file is said once, a broken one at every load of it.
        const std::string line =
            broken ? "PropertyList: " + rig.bundle.filePath("zh.plist").toStdString()
                   : "Language file zh.plist is missing";
        const auto said = [&] {
            const auto lines = rig.log.lines();
            return std::count_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.rfind(line, 0) == 0; });
        };
        const auto before = said();
        EXPECT_GE(before, 1);
        rig.root().setLanguageForMainView(0);  // the Chinese file once more
        EXPECT_EQ(said(), broken ? before + 1 : 1);
        // The link works as before: the power button still reaches the chair.
        rig.tap(rig.button(mainscreen::kPowerButtonTag));
        EXPECT_FALSE(rig.sent().empty());
    }
}

}  // namespace
