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
#include "main/RootViewController.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"

namespace screentest {

// Language files in which every text of the app's own files names its language and key
// ("en:autoOne"), so tests see which key a label shows without depending on the real
// translations. The empty key gets "<language>:(empty)".
inline void writeLanguageFiles(const QString& directory) {
    const auto real = tk::Bundle(tk::Bundle::defaultDirectory()).dictionary("zh");
    ASSERT_TRUE(real) << "the app's language file is missing";
    QStringList keys = real->keys();
    keys << QString();
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

// "x,y,w,h" of each view, space-separated, so a layout fits one table row.
inline QString frames(std::initializer_list<const QWidget*> views) {
    QStringList out;
    for (const QWidget* v : views) {
        const QRect r = v ? v->geometry() : QRect();
        out << QString("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return out.join(' ');
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
    QString labelText(int tag) {
        auto* label = root().viewWithTag<tk::Label>(tag);
        return label ? label->text() : "(none)";
    }
    tk::ImageButton* named(const char* name) {
        return root().view()->findChild<tk::ImageButton*>(name);
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
