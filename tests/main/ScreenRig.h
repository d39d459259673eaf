#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/script/ScriptWorld.h"
#include "base/Log.h"
#include "chair/StandInChair.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "main/AppDelegate.h"
#include "main/ControlNames.h"
#include "main/RootViewController.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"

namespace screentest {

// The title table by index, written out here so the tests check the controller's own.
inline const QStringList kTitleKeys =
    QStringList{""} +
    QString(
        "shoulderOne shoulderSecond autoOne manualOne manualSecond pressureOne otherOne "
        "settingOne settingSecond settingThird manualChoice Automaticcomfort Automaticrelax "
        "Automaticacherelieve Automaticfullairpressure Automaticwaisttwist "
        "Automaticwaiststretch PauseState serviceOne AutomaticMusic AutomaticI AutomaticII "
        "AutomaticIII Automaticother")
        .split(' ');

// Language files in which every text names its language and key ("en:autoOne"), so tests
// see which key a label shows without depending on the real translations. The empty key
// gets "<language>:(empty)".
inline void writeLanguageFiles(const QString& directory) {
    QStringList keys =
        QString(
            "Menu Service Setting Auto Manual Pressure Others comfort relax "
            "acherelieve waisttwist fullairpressure waiststretch hintFileEmpty "
            "hintFileUnreadable hintFileTooLarge hintUpdateFailed linkSearching linkConnected "
            "linkRetrying languageoption volumeadjust")
            .split(' ');
    keys << kTitleKeys << mainscreen::controlNameKeys().values()
         << mainscreen::barNameKeys().values();
    for (int k = 0; k <= 19; ++k) keys << QString("hint%1").arg(k);
    for (const char* language : {"zh", "en"}) {
        QString xml = "<?xml version=\"1.0\"?>\n<plist version=\"1.0\"><dict>\n";
        for (const QString& key : keys) {
            QString text = key.isEmpty() ? "(empty)" : key;
            if (key == "linkRetrying") text += " %1";
            xml += QString("<key>%1</key><string>%2:%3</string>\n").arg(key, language, text);
        }
        xml += "</dict></plist>\n";
        QFile file(directory + "/" + language + ".plist");
        if (!file.open(QIODevice::WriteOnly)) ADD_FAILURE() << "cannot write language file";
        file.write(xml.toUtf8());
    }
}

// The command frame of a code as the chair receives it, in the chair-got form.
inline std::string frameOf(std::int32_t code) {
    const auto frame = chairlink::buildCommandFrame(code, chairlink::ChairState{});
    return chairlink::upperHexPairs(chairlink::Bytes(frame.begin(), frame.end()));
}

// The whole app on the manual clock with a quiet stand-in chair and test language files.
class ScreenRig {
public:
    explicit ScreenRig(tk::Screen screen = tk::Screen::phone(),
                       std::optional<QString> settingsFile = std::nullopt,
                       const std::function<void(script::WorldSettings&)>& more = {}) {
        writeLanguageFiles(bundle.path());
        script::WorldSettings settings;
        settings.screen = screen;
        settings.bundleDirectory = bundle.path();
        settings.settingsFile = settingsFile;
        if (more) more(settings);
        world = std::make_unique<script::ScriptWorld>(settings, out);
    }

    // Launches and moves past the logo: the main screen stands and the link is up.
    void start() {
        world->launch();
        world->advance(mainscreen::RootViewController::kLogoSeconds);
        sent();  // the link-up frame
    }

    mainscreen::RootViewController& root() { return world->app().rootviewCtrl(); }
    QWidget* view(int tag) { return root().viewWithTag(tag); }
    tk::ImageButton* button(int tag) { return root().viewWithTag<tk::ImageButton>(tag); }
    QString picture(int tag) {
        auto* b = button(tag);
        return b ? b->backgroundImage().name() : QString("(none)");
    }

    void advance(double seconds) { world->advance(seconds); }
    void settle() { world->settle(); }

    void tap(tk::ImageButton* b) {
        ASSERT_NE(b, nullptr);
        b->touchDown();
        b->touchUp(true);
        settle();
    }

    // The frames the chair received since the last call, as chair-got texts.
    std::vector<std::string> sent() {
        settle();
        std::vector<std::string> frames;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("chair-got ", 0) == 0) frames.push_back(line.substr(10));
        }
        out.str("");
        return frames;
    }

    base::LogCapture log;  // keeps the link's chatter out of the test output
    QTemporaryDir bundle;
    std::ostringstream out;
    std::unique_ptr<script::ScriptWorld> world;
};

using Frames = std::vector<std::string>;

}  // namespace screentest
