#include "app/script/ScriptOptions.h"

#include <QDir>

namespace script {

std::optional<ScriptOptions> ScriptOptions::parse(const QStringList& arguments,
                                                  std::string& error) {
    ScriptOptions options;
    options.launch = app::LaunchOptions::parse(arguments);
    bool haveScript = false;
    for (int i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (const int equals = name.indexOf('='); name.startsWith("--") && equals > 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        }
        if (name != "--script" && name != "--chair" && name != "--home" && name != "--log" &&
            name != "--volume") {
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                error = name.toStdString() + " needs a value";
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (name == "--script") {
            options.scriptFile = *value;
            haveScript = true;
        } else if (name == "--chair") {
            if (*value == "scripted") {
                options.chair = ChairMode::Scripted;
            } else if (*value == "simulated") {
                options.chair = ChairMode::Simulated;
            } else {
                error = "--chair must be scripted or simulated in script mode, not \"" +
                        value->toStdString() + "\"";
                return std::nullopt;
            }
        } else if (name == "--home") {
            if (!QDir(*value).exists()) {
                error = "--home: no such directory: " + value->toStdString();
                return std::nullopt;
            }
            options.home = QDir(*value).absolutePath();
        } else if (name == "--volume") {
            const auto volume = parseVolume(*value);
            if (!volume) {
                error =
                    "--volume must be a number from 0 to 1.5, not \"" + value->toStdString() + "\"";
                return std::nullopt;
            }
            options.volume = *volume;
        } else {
            options.logFile = *value;
        }
    }
    if (!haveScript || options.scriptFile.isEmpty()) {
        error = "--script needs a file name";
        return std::nullopt;
    }
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
