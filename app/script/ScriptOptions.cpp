#include "app/script/ScriptOptions.h"

#include <QDir>

namespace script {

std::optional<ScriptOptions> ScriptOptions::from(const app::CommandLineOptions& given,
                                                 std::string& error) {
    ScriptOptions options;
    options.launch = app::LaunchOptions::from(given);
    for (const QString& value : given.chair) {
        if (value == "scripted") {
            options.chair = ChairMode::Scripted;
        } else if (value == "simulated") {
            options.chair = ChairMode::Simulated;
        } else {
            error = "--chair must be scripted or simulated in script mode, not \"" +
                    value.toStdString() + "\"";
            return std::nullopt;
        }
    }
    for (const QString& value : given.home) {
        if (!QDir(value).exists()) {
            error = "--home: no such directory: " + value.toStdString();
            return std::nullopt;
        }
        options.home = QDir(value).absolutePath();
    }
    for (const QString& value : given.volume) {
        const auto volume = parseVolume(value);
        if (!volume) {
            error = "--volume must be a number from 0 to 1.5, not \"" + value.toStdString() + "\"";
            return std::nullopt;
        }
        options.volume = *volume;
    }
    if (!given.log.isEmpty()) options.logFile = given.log.back();
    if (!given.capture.isEmpty()) options.captureFile = given.capture.back();
    if (given.script.isEmpty() || given.script.back().isEmpty()) {
        error = "--script needs a file name";
        return std::nullopt;
    }
    options.scriptFile = given.script.back();
    return options;
}

std::optional<float> ScriptOptions::parseVolume(const QString& text) {
    bool ok = false;
    const double volume = text.toDouble(&ok);
    // Written so that NaN fails too.
    if (!ok || !(volume >= 0.0 && volume <= kMaxVolume)) return std::nullopt;
    return float(volume);
}

}  // namespace script
