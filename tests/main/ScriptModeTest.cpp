// The app binary in script mode, and the launch without a display.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "main/DisplayCheck.h"

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class ScriptModeTest : public ::testing::Test {
protected:
    Outcome run(const QString& script, QStringList extra = {},
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
        const QString path = dir.path() + "/test.script";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        return start(QStringList{"--script", path} + extra, env);
    }

    static Outcome start(const QStringList& arguments, const QProcessEnvironment& env) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(MASSAGE_REMOTE_BINARY, arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A settings file that starts the app in English.
    QString englishSettings() {
        const QString path = dir.path() + "/english.ini";
        QFile ini(path);
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[General]\nlanguageFlag=1\n");
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(ScriptModeTest, KeysAndPanelCodesReachTheChairInOrder) {
    const Outcome result =
        run("# the logo, then the main screen\n"
            "wait 5\n"
            "say keys\n"
            "down 2\n"
            "wait 0.6\n"
            "exit 2\n"
            "tap 200\n"
            "tap menu-button\n"
            "wait 0.5\n"
            "tap menu/1\n"
            "tap 100/5   # full air pressure\n"
            "say done\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "chair-got AA 55 01 31 32 0D 0A\n"
              "keys\n"
              "chair-got AA 55 01 91 92 0D 0A\n"
              "chair-got AA 55 01 91 92 0D 0A\n"
              "chair-got AA 55 01 90 91 0D 0A\n"
              "chair-got AA 55 01 9C 9D 0D 0A\n"
              "chair-got AA 55 01 45 46 0D 0A\n"
              "done\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(ScriptModeTest, ChairBytesAreAcknowledgedAndLinkDownBringsTheAlert) {
    const QString dump = dir.path() + "/screen.json";
    const Outcome result =
        run("wait 5\n"
            "chair AA 55 F2 01 00 00 00 F3 0D 0A\n"
            "link down\n"
            "wait 1\n"
            "tap 50\n"
            "dump " +
            dump + "\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "chair-got AA 55 01 31 32 0D 0A\n"
              "chair-got AA 55 C3 3C FF 0D 0A\n");
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject screen = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(screen["alert"].toObject()["message"].toString(),
              "Please connect to the massage chair!");
    EXPECT_EQ(screen["navigationBarHidden"].toBool(), true);
    EXPECT_EQ(screen["navigation"].toArray().size(), 1);
    bool powerFound = false;
    for (const auto& child : screen["children"].toArray()) {
        const QJsonObject view = child.toObject();
        if (view["tag"].toInt() != 50) continue;
        powerFound = true;
        EXPECT_EQ(view["class"].toString(), "ImageButton");
        EXPECT_EQ(view["image"].toString(), "layout_power_off");
        EXPECT_EQ(view["frame"].toArray(), (QJsonArray{12, 280, 55, 40}));
        EXPECT_TRUE(view["touchable"].toBool());
    }
    EXPECT_TRUE(powerFound);
}

TEST_F(ScriptModeTest, SimulatedChairAnswersTheLinkUp) {
    const Outcome result = run("wait 5\nsay up\n", {"--chair", "simulated"});
    EXPECT_EQ(result.exitCode, 0);
    // The chair reports its whole state; the remote acknowledges each frame.
    EXPECT_EQ(result.out.count("chair-got AA 55 C3 3C FF 0D 0A"), 7);
    EXPECT_TRUE(result.out.endsWith("up\n"));
}

// The hint line's dump carries its scrolling state: the chair's long English hint moves.
TEST_F(ScriptModeTest, DumpShowsTheHintLineScrolling) {
    const QString settings = englishSettings();
    const QString dump = dir.path() + "/hint.json";
    const Outcome result = run("wait 7\ndump " + dump + "\n", {"--chair", "simulated", "--idiom",
                                                               "phone", "--settings", settings});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject screen = QJsonDocument::fromJson(file.readAll()).object();
    QJsonObject hint;
    for (const auto& child : screen["children"].toArray()) {
        if (child.toObject()["tag"].toInt() == 110) hint = child.toObject();
    }
    ASSERT_EQ(hint["class"].toString(), "MarqueeLabel");
    EXPECT_FALSE(screen["hint"].toString().isEmpty());
    EXPECT_EQ(hint["marqueeType"].toInt(), 2);
    EXPECT_DOUBLE_EQ(hint["rate"].toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(hint["fadeLength"].toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(hint["continuousMarqueeExtraBuffer"].toDouble(), 50.0);
    const double textWidth = hint["textWidth"].toDouble();
    EXPECT_GT(textWidth, 345 - 2 * 10);  // too wide for the line, so it scrolls
    EXPECT_NEAR(hint["animationDuration"].toDouble(), (textWidth + 10 + 50) / 100.0, 1e-6);
    EXPECT_TRUE(hint["awayFromHome"].toBool());
    EXPECT_FALSE(hint["labelize"].toBool());
}

TEST_F(ScriptModeTest, FirstLineThatCannotBeDoneEndsTheRunWithOneLine) {
    Outcome result = run("say a\nwiggle 3\nsay b\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "a\n");
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains(":2: unknown verb")) << result.err.toStdString();

    result = run("wait 5\ntap 100/3\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(":2: no such view: 100/3")) << result.err.toStdString();

    result = run("wait 5\ntap menu/1\n");  // the menu is closed
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(":2: cannot be touched")) << result.err.toStdString();

    result = run("dismiss\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(":1: no alert on screen"));
}

TEST_F(ScriptModeTest, WithoutADisplayTheAppSaysSoInOneLine) {
    auto env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    const Outcome result = start({}, env);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains("no display")) << result.err.toStdString();
}

TEST(DisplayCheckTest, AnyOfTheThreeVariablesCounts) {
    const char* names[3] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i]);
        qunsetenv(names[i]);
    }
    EXPECT_FALSE(mainscreen::hasDisplay());
    for (const char* name : names) {
        qputenv(name, "x");
        EXPECT_TRUE(mainscreen::hasDisplay()) << name;
        qputenv(name, "");
        EXPECT_FALSE(mainscreen::hasDisplay()) << "empty " << name;
        qunsetenv(name);
    }
    for (int i = 0; i < 3; ++i) {
        if (!saved[i].isNull()) qputenv(names[i], saved[i]);
    }
}

}  // namespace

// The view under `parentTag` with `tag` anywhere in the dump, or an empty object.
QJsonObject dumpedView(const QJsonObject& view, int tag, int parentTag, bool inside = false) {
    for (const auto& child : view["children"].toArray()) {
        const QJsonObject c = child.toObject();
        const bool nowInside = inside || c["tag"].toInt() == parentTag;
        if (nowInside && c["tag"].toInt() == tag && c["tag"].toInt() != parentTag) return c;
        const QJsonObject found = dumpedView(c, tag, parentTag, nowInside);
        if (!found.isEmpty()) return found;
    }
    return {};
}

// The menu's Manual, Pressure and Other panels in both idioms and both languages: presses
// reach the chair, frames light the panels, captions come from the chosen language.
TEST_F(ScriptModeTest, MenuPanelsSendAndFollowTheChairInBothIdioms) {
    const QString settings = englishSettings();
    for (const char* idiom : {"phone", "tablet"}) {
        for (bool english : {false, true}) {
            const QString dump = dir.path() + "/panels.json";
            QStringList extra{"--idiom", idiom};
            if (english) extra << "--settings" << settings;
            const Outcome result = run(
                "wait 5\n"
                "tap menu-button\nwait 0.5\n"
                "tap menu/2\ntap 101/10\ntap 101/23\ntap 101/18\n"
                "tap menu/3\ntap 102/4\ntap 102/13\n"
                "chair AA 55 F2 09 00 00 00 FB 0D 0A\n"
                "tap menu/4\ntap 103/6\n"
                "chair AA 55 F5 02 00 01 00 F8 0D 0A\n"
                "dump " + dump + "\n",
                extra);
            ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
            EXPECT_EQ(result.out,
                      "chair-got AA 55 01 31 32 0D 0A\n"
                      "chair-got AA 55 11 04 15 0D 0A\n"
                      "chair-got AA 55 01 52 53 0D 0A\n"
                      "chair-got AA 55 13 02 15 0D 0A\n"
                      "chair-got AA 55 01 73 74 0D 0A\n"
                      "chair-got AA 55 C3 3C FF 0D 0A\n"
                      "chair-got AA 55 15 02 17 0D 0A\n"
                      "chair-got AA 55 C3 3C FF 0D 0A\n")
                << idiom;
            QFile file(dump);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QJsonObject screen = QJsonDocument::fromJson(file.readAll()).object();
            EXPECT_EQ(dumpedView(screen, 12, 103)["image"].toString(), "service4") << idiom;
            EXPECT_EQ(dumpedView(screen, 2, 103)["image"].toString(), "other_footrollers_on");
            EXPECT_EQ(dumpedView(screen, 33, 103)["text"].toString(),
                      english ? "Memory programmes" : QString::fromUtf8("记忆程序"));
            EXPECT_TRUE(dumpedView(screen, 101, 0).isEmpty());
        }
    }
}
