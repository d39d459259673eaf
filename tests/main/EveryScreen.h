#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sstream>
#include <string>

#include "app/script/ScriptRunner.h"
#include "app/script/ScriptWorld.h"
#include "base/Log.h"
#include "main/AppDelegate.h"

namespace screentest {

// Walks the whole app with its real pictures and texts against the simulated chair, through
// every screen a user meets (the main screen, the menu, each menu panel and page, the
// Adjust and Info panels, the service panel with its file chooser, the settings panel with
// both choices), in one idiom and language, and calls `check` on each with its name.
inline void visitEveryScreen(
    tk::Screen screen, int languageFlag,
    const std::function<void(QWidget& window, const std::string&)>& check) {
    base::LogCapture log;
    QTemporaryDir dir;
    // The file chooser lists a home of the test's own.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir.path()));
    QFile(dir.filePath("chair-update.bin")).open(QIODevice::WriteOnly);
    QFile settings(dir.filePath("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QString("[General]\nlanguageFlag=%1\n").arg(languageFlag).toUtf8());
    settings.close();
    script::WorldSettings world;
    world.screen = screen;
    world.settingsFile = settings.fileName();
    world.chair = script::ChairMode::Simulated;
    std::ostringstream out;
    script::ScriptWorld app(world, out);
    app.launch();
    script::ScriptRunner runner(app, out);
    const std::pair<const char*, const char*> steps[] = {
        {"main screen", "wait 6"},
        {"menu", "tap menu-button\nwait 1"},
        {"Auto panel", "tap menu/1\nwait 1"},
        {"Manual panel", "tap menu/2\nwait 1"},
        {"Manual panel, positions", "tap 101/23\nwait 1"},
        {"Pressure panel", "tap menu/3\nwait 1"},
        {"Other panel", "tap menu/4\nwait 1"},
        {"service panel", "tap service-button\nwait 1"},
        {"file chooser", "tap 107/9\nwait 1"},
        {"service panel again", "back\nwait 1"},
        {"settings panel", "tap settings-button\nwait 1"},
        {"settings, languages", "tap 104/1\nwait 1"},
        {"settings, volume", "tap 104/2\nwait 1"},
        {"shoulder measuring", "tap settings-button\ntap 50\nwait 3"},
        {"position adjust", "wait 3.5\ntap 105/1\nwait 0.5"},
        {"running", "wait 70"},
    };
    for (const auto& [name, lines] : steps) {
        for (const QString& line : QString(lines).split('\n')) {
            const auto failure = runner.perform(line);
            ASSERT_FALSE(failure) << name << ": " << line.toStdString() << ": " << *failure;
        }
        app.settle();
        check(*app.app().window(), name);
    }
    qputenv("HOME", home);
}

}  // namespace screentest
