// The app binary: its own command line, answered before Qt starts, script mode, and the
// launch without a display.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DisplayCheck.h"

namespace {

struct Answer {
    std::optional<int> code;
    std::string out, err;
};

Answer answer(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "massage-remote");
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    std::ostringstream out, err;
    const auto line =
        app::readCommandLine(app::argumentList(int(argv.size()), argv.data()), out, err);
    return {line.exitCode, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionAreAnsweredWhateverElseIsGivenAndOptionsRunTheApp) {
    // What they print is the install test's, which runs the installed program.
    for (const char* asked : {"--help", "--version"})
        EXPECT_EQ(answer({"--chair", "simulated", asked, "--bogus"}).code, 0) << asked;
    // Known options and Qt's own run the app; the launch options' own test reads the others.
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"--script", "tour.script", "--log", "x.log", "--volume", "0.5", "-platform", "x"}}) {
        const Answer a = answer(arguments);
        EXPECT_EQ(a.code, std::nullopt) << a.err;
        EXPECT_EQ(a.err, "");
    }
}

TEST(CommandLine, AnUnknownOptionOrStrayArgumentIsOneLineAndExitTwo) {
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--idiom", "phone", "--colour", "red"}, "unknown option '--colour'"},
        {{"tour.script"}, "unexpected argument 'tour.script'"},
        {{"--idiom"}, "missing value after '--idiom'"}};
    for (const auto& [arguments, error] : refused) {
        const Answer a = answer(arguments);
        EXPECT_EQ(a.code, 2);
        EXPECT_EQ(a.err, "massage-remote: " + error + " (see massage-remote --help)\n");
    }
}

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

class ScriptModeTest : public ::testing::Test {
protected:
    Outcome run(const QString& script, QStringList extra = {},
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
        const QString path = dir.filePath("test.script");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        return start(QStringList{"--script", path, "--home", dir.path()} + extra, env);
    }

    // In the scratch folder, where the scripts' dumps go.
    Outcome start(const QStringList& arguments, const QProcessEnvironment& env) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.setProcessEnvironment(env);
        process.start(MASSAGE_REMOTE_BINARY, arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A settings file that starts the app in English.
    QStringList inEnglish() {
        QFile ini(dir.filePath("english.ini"));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[General]\nlanguageFlag=1\n");
        return {"--settings", ini.fileName()};
    }

    QJsonObject dumped(const QString& name) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    // The first view tagged `tag` anywhere, depth first, back to front.
    static QJsonObject find(const QJsonObject& view, int tag) {
        for (const auto& c : view["children"].toArray()) {
            if (c.toObject()["tag"].toInt() == tag) return c.toObject();
            if (const QJsonObject found = find(c.toObject(), tag); !found.isEmpty()) return found;
        }
        return {};
    }

    // The root view's own child tagged `tag`.
    static QJsonObject child(const QJsonObject& screen, int tag) {
        for (const auto& view : screen["children"].toArray())
            if (view.toObject()["tag"].toInt() == tag) return view.toObject();
        return {};
    }

    QTemporaryDir dir;
};

TEST_F(ScriptModeTest, KeysPanelCodesAndChairBytesInOrderAndLinkDownBringsTheAlert) {
    const Outcome result =
        run("# the logo, then the main screen\n"
            "wait 5\nsay keys\ndown 2\nwait 0.6\nexit 2\ntap 200\n"
            "tap menu-button\nwait 0.5\ntap menu/1\n"
            "tap 100/5   # full air pressure\n"
            "say done\n"
            "chair AA 55 F2 01 00 00 00 F3 0D 0A\n"
            "link down\nwait 1\ntap service-button\ntap 50\ndump screen.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "chair-got AA 55 01 31 32 0D 0A\n"
              "keys\n"
              "chair-got AA 55 01 91 92 0D 0A\n"
              "chair-got AA 55 01 91 92 0D 0A\n"
              "chair-got AA 55 01 90 91 0D 0A\n"
              "chair-got AA 55 01 9C 9D 0D 0A\n"
              "chair-got AA 55 01 45 46 0D 0A\n"
              "done\n"
              "chair-got AA 55 C3 3C FF 0D 0A\n");
    EXPECT_EQ(result.err, "");
    const QJsonObject screen = dumped("screen.json");
    // Without a link the power button only brings the alert: nothing reaches the chair.
    EXPECT_EQ(screen["alert"].toObject(),
              (QJsonObject{{"title", "Error"},
                           {"message", "Please connect to the massage chair!"},
                           {"button", "OK"}}));
    EXPECT_FALSE(child(screen, 107).isEmpty()) << "the service panel stays";
    EXPECT_EQ(screen["navigationBarHidden"].toBool(), true);
    EXPECT_EQ(screen["navigation"].toArray().size(), 1);
}

TEST_F(ScriptModeTest, TheSimulatedChairAnswersScrollsItsHintMeasuresAndTakesUpAndDown) {
    const Outcome result = run(
        "wait 5\nsay up\nwait 2\ndump hint.json\n"
        "tap 50\nwait 7\nsay adjust\ntap 105/1\nwait 0.5\nvolume 0.84\ndump screen.json\n",
        QStringList{"--chair", "simulated", "--idiom", "phone", "--volume", "0.3"} + inEnglish());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    // The chair reports its whole state at the link-up; the remote acknowledges each frame.
    EXPECT_EQ(result.out.left(result.out.indexOf("up\n")).count("chair-got AA 55 C3 3C FF"), 7);
    EXPECT_GE(result.out.indexOf("adjust\nchair-got AA 55 01 34 35 0D 0A\n"), 0)
        << result.out.toStdString();

    // The hint line's dump carries its scrolling state: the chair's long English hint moves.
    // How the label scrolls is its own test.
    const QJsonObject screen = dumped("hint.json");
    const QJsonObject hint = child(screen, 110);
    ASSERT_EQ(hint["class"].toString(), "MarqueeLabel");
    EXPECT_FALSE(screen["hint"].toString().isEmpty());
    EXPECT_EQ(hint["marqueeType"].toInt(), 2);
    EXPECT_GT(hint["textWidth"].toDouble(), 345 - 2 * 10);  // too wide for the line, so it scrolls
    EXPECT_TRUE(hint["awayFromHome"].toBool());

    // The media volume starts where it is told, and another program may set it.
    EXPECT_DOUBLE_EQ(screen["volume"].toDouble(), 0.3);
    EXPECT_DOUBLE_EQ(dumped("screen.json")["volume"].toDouble(), 0.84);
    // Measured at 6, then one step up, as the chair reported it.
    QStringList pictures;
    for (const auto& view : find(dumped("screen.json"), 105)["children"].toArray())
        pictures << view.toObject()["image"].toString();
    EXPECT_TRUE(pictures.contains("adjust_7")) << pictures.join(",").toStdString();
}

TEST_F(ScriptModeTest, FingersOnTheScaledWindowEachDriveTheirOwnKeyAndACancelIsNoTap) {
    const Outcome result =
        run("wait 5\nsay two keys and a palm\ntouch 1 down 2\nwait 0.6\ntouch 2 down 4\n"
            "touch 3 down 300,150\nwait 0.5\ntouch 1 up\nwait 1\ntouch 2 up\n"
            "say one batch\ntouch 4 tap 3\nsay cancels\ntouch 5 down 50\ntouch 6 down 5\n"
            "touch 6 move 5\ntouch cancel\nwait 1\nsay power\ntouch 7 tap 50\ndump screen.json\n",
            {"--window", "2560x1600", "--scale", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString code = "chair-got AA 55 01 %1 0D 0A\n";
    EXPECT_EQ(result.out.mid(result.out.indexOf("two keys")),
              "two keys and a palm\n" + code.arg("91 92") + code.arg("91 92") + code.arg("94 95") +
                  code.arg("94 95") + code.arg("90 91") + code.arg("90 91") + "one batch\n" +
                  code.arg("92 93") + code.arg("90 91") + "cancels\n" + code.arg("93 94") +
                  code.arg("90 91") + "power\n" + code.arg("33 34"));
    // 2560 x 1600 device pixels at 2 per pixel: the tablet, 1228 x 768 points filling it.
    const QJsonObject window = dumped("screen.json")["window"].toObject();
    EXPECT_EQ(window["size"].toArray(), (QJsonArray{1280, 800}));
    EXPECT_NEAR(window["scale"].toDouble(), 2 * 800.0 / 768, 1e-4);
    EXPECT_EQ(dumped("screen.json")["frame"].toArray(), (QJsonArray{0, 0, 1228, 768}));
}

TEST_F(ScriptModeTest, EverySizeFillsItsWindowAtOneScale) {
    const struct {
        const char* window;
        double scale;
        int L, height;
    } sizes[] = {{"800x480", 1.5, 533, 320},
                 {"1920x1080", 1080 / 768.0, 1365, 768},
                 {"2000x600", 1.875, 568, 320}};
    for (const auto& size : sizes) {
        const Outcome result = run("wait 5\ndump screen.json\n", {"--window", size.window});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonObject screen = dumped("screen.json");
        EXPECT_NEAR(screen["window"].toObject()["scale"].toDouble(), size.scale, 1e-4)
            << size.window;
        EXPECT_EQ(screen["frame"].toArray(), (QJsonArray{0, 0, size.L, size.height}));
    }
}

// A window dragged to another shape shows what a window opened at that shape shows after the
// same steps: every frame for the new L, every page, picture and text kept.
TEST_F(ScriptModeTest, ADraggedWindowIsLaidOutAsIfItHadOpenedAtItsNewShape) {
    const struct {
        const char* steps;
        QStringList from, to;
        int L;
    } cases[] = {
        {"tap menu-button\nwait 0.5\ntap menu/2\ntap 101/23\n",
         {"--window", "800x480"},
         {"--window", "1024x768", "--idiom", "phone"},
         480},
        {"tap 50\nwait 8\ntap service-button\ntap 107/6\nwait 1\n",
         {"--window", "1280x800", "--chair", "simulated"},
         {"--window", "1024x768", "--chair", "simulated"},
         1024},
    };
    for (const auto& c : cases) {
        const QString steps = QString("wait 5\n") + c.steps;
        ASSERT_EQ(run(steps + "window 1024x768\ndump dragged.json\n", c.from).exitCode, 0);
        ASSERT_EQ(run(steps + "dump opened.json\n", c.to).exitCode, 0);
        const QJsonObject dragged = dumped("dragged.json");
        EXPECT_EQ(dragged["frame"].toArray(), (QJsonArray{0, 0, c.L, c.L == 480 ? 320 : 768}));
        EXPECT_EQ(dragged["children"], dumped("opened.json")["children"]) << c.steps;
    }
}

TEST_F(ScriptModeTest, FirstLineThatCannotBeDoneEndsTheRunWithOneLine) {
    Outcome result = run("say a\nwiggle 3\nsay b\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "a\n");
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains(":2: unknown verb")) << result.err.toStdString();
    const std::pair<const char*, const char*> refused[] = {
        {"wait 5\ntap 100/3\n", ":2: no such view: 100/3"},
        {"wait 5\ntap menu/1\n", ":2: cannot be touched"},  // the menu is closed
        {"dismiss\n", ":1: no alert on screen"},
        {"volume -1\n", ":1: volume needs a number from 0 to 1.5, not \"-1\""},
        {"touch 1 up\n", ":1: finger 1 is not down"},
        {"touch 1 down 2 3\n", ":1: touch needs N down|move|tap WHERE, N up or cancel"},
        {"radio 0 4\n", ":1: radio needs CI_MS K [MTU] or off, not \"0 4\""}};
    for (const auto& [script, reason] : refused) {
        result = run(script);
        EXPECT_EQ(result.exitCode, 2) << script;
        EXPECT_TRUE(result.err.contains(reason)) << result.err.toStdString();
    }
}

// An update at a radio's pace (20 pieces, one per 30 ms event): progress while it goes, a
// second press that does nothing, the 5-second wait counted from the last piece, and a link
// lost on the way.
TEST_F(ScriptModeTest, AnUpdateAtTheRadiosPaceCanBeWatchedPressedAgainWaitedForAndCutOff) {
    QFile file(dir.filePath("fw.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(20 * 102, 'u'));
    file.close();
    const Outcome result =
        run("wait 5\ntap service-button\ntap 107/6\nchair AA 55 01 B1 B2 0D 0A\ntap 107/9\nrow 1\n"
            "radio 30 1\nsay press\ntap 107/8\nwait 0.315\ndump sending.json\n"
            "tap 107/8\nsay again\nwait 0.4\ndump sent.json\n"
            "wait 4.8\ndump waiting.json\nwait 0.2\ndump verdict.json\n"
            "chair AA 55 A5 5A 00 00 00 FF 0D 0A\nwait 0.1\n"
            "say third\ntap 107/8\nwait 0.315\nlink down\ndump lost.json\n",
            inEnglish());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto pieces = [&](const char* from, const char* to) {
        const int start = result.out.indexOf(from);
        const int end = to ? result.out.indexOf(to, start) : result.out.size();
        return result.out.mid(start, end - start).count("chair-got 75 75");
    };
    EXPECT_EQ(pieces("press\n", "again\n"), 10);  // a piece per 30 ms, the press no more
    EXPECT_EQ(pieces("again\n", "third\n"), 10);
    EXPECT_EQ(pieces("third\n", nullptr), 10);  // then the link went
    const auto progress = [&](const char* dump) {
        const std::function<QString(const QJsonObject&)> in = [&](const QJsonObject& view) {
            if (view["class"].toString() == "UploadProgressView") return view["text"].toString();
            for (const auto& c : view["children"].toArray())
                if (const QString text = in(c.toObject()); !text.isEmpty()) return text;
            return QString();
        };
        const QJsonObject screen = dumped(dump);
        return (in(screen) + " | " + screen["hint"].toString()).toStdString();
    };
    const std::string sent = "Update sent; waiting for the chair to confirm it\u2026";
    const std::string verdict =
        "No confirmation from the chair within 5 seconds; the update may have failed. Please "
        "try again.";
    EXPECT_EQ(progress("sending.json"),
              "50 % \u00b7 1020 / 2040 B | The link check succeeded. You can now choose an "
              "update file.");
    EXPECT_EQ(progress("sent.json"), "100 % \u00b7 2040 / 2040 B | " + sent);
    EXPECT_EQ(progress("waiting.json"), "100 % \u00b7 2040 / 2040 B | " + sent);
    EXPECT_EQ(progress("verdict.json"), "100 % \u00b7 2040 / 2040 B | " + verdict);
    EXPECT_EQ(progress("lost.json"), "50 % \u00b7 1020 / 2040 B | " + verdict);
}

TEST_F(ScriptModeTest, WithoutADisplayTheAppSaysSoInOneLineAndAnyOfTheVariablesCounts) {
    const char* names[3] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const auto system = QProcessEnvironment::systemEnvironment();
    auto env = system;
    for (const char* name : names) env.remove(name);
    const Outcome result = start({}, env);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains("no display")) << result.err.toStdString();

    // In process, each alone; the test's own are put back after.
    for (const char* name : names) qunsetenv(name);
    EXPECT_FALSE(app::hasDisplay());
    for (const char* name : names) {
        qputenv(name, "x");
        EXPECT_TRUE(app::hasDisplay()) << name;
        qputenv(name, "");
        EXPECT_FALSE(app::hasDisplay()) << "empty " << name;
        qunsetenv(name);
    }
    for (const char* name : names)
        if (system.contains(name)) qputenv(name, system.value(name).toLocal8Bit());
}

}  // namespace
