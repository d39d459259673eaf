#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "app/LaunchOptions.h"

namespace script {

// scripted: the chair connects as usual but sends only what the script tells it to;
// simulated: it behaves as a chair.
enum class ChairMode { Scripted, Simulated };

// `massage-remote --script FILE [--idiom phone|tablet] [--screen LxS] [--settings FILE]
// [--home DIR] [--chair scripted|simulated] [--log FILE] [--volume X] [--capture FILE]
// [--window WxH] [--scale X]`.
struct ScriptOptions {
    // What a sound server may report: up to 150 % of the normal volume.
    static constexpr float kMaxVolume = 1.5f;

    QString scriptFile;
    ChairMode chair = ChairMode::Scripted;
    float volume = 0.5f;                 // the media volume, in-process, to start at
    std::optional<QString> home;         // the home directory the app sees
    std::optional<QString> logFile;      // where the system log goes; dropped when absent
    std::optional<QString> captureFile;  // where the link's values are recorded (btsnoop)
    app::LaunchOptions launch;

    // The options, or one line saying what is wrong with them. The last value of each option
    // counts; every value must be good.
    static std::optional<ScriptOptions> from(const app::CommandLineOptions& given,
                                             std::string& error);
    // A volume from 0 to kMaxVolume, or nothing.
    static std::optional<float> parseVolume(const QString& text);
};

}  // namespace script
