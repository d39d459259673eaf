#include "app/LaunchOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "base/Log.h"

namespace app {

namespace {
// Sane bounds for a screen side; anything else is a typing error.
constexpr int kMinSide = 100;
constexpr int kMaxSide = 8192;

std::optional<tk::Idiom> parseIdiom(const QString& value) {
    if (value == "phone") return tk::Idiom::Phone;
    if (value == "tablet") return tk::Idiom::Tablet;
    base::log("Options: --idiom must be phone or tablet, not \"" + value.toStdString() + "\"");
    return std::nullopt;
}

std::optional<QSize> parseMeasures(const QString& value) {
    static const QRegularExpression pattern("^(\\d{1,5})x(\\d{1,5})$");
    const auto match = pattern.match(value);
    if (match.hasMatch()) {
        const int longSide = match.captured(1).toInt();
        const int shortSide = match.captured(2).toInt();
        if (longSide >= kMinSide && longSide <= kMaxSide && shortSide >= kMinSide &&
            shortSide <= kMaxSide) {
            return QSize(longSide, shortSide);
        }
    }
    base::log("Options: --screen must be LxS in points (each 100 to 8192), not \"" +
              value.toStdString() + "\"");
    return std::nullopt;
}
}  // namespace

LaunchOptions LaunchOptions::parse(const QStringList& arguments) {
    LaunchOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        const int equals = name.indexOf('=');
        if (name.startsWith("--") && equals > 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        }
        if (name != "--idiom" && name != "--screen" && name != "--settings" && name != "--home")
            continue;
        if (!value) {
            if (i + 1 >= arguments.size()) {
                base::log("Options: " + name.toStdString() + " needs a value");
                continue;
            }
            value = arguments[++i];
        }
        if (name == "--idiom") {
            if (auto idiom = parseIdiom(*value)) options.idiom = idiom;
        } else if (name == "--screen") {
            if (auto measures = parseMeasures(*value)) options.measures = measures;
        } else if (name == "--home") {
            if (QFileInfo(*value).isDir()) {
                options.home = QDir(*value).absolutePath();
            } else {
                base::log("Options: --home: no such directory: " + value->toStdString());
            }
        } else if (value->isEmpty()) {
            base::log("Options: --settings needs a file name");
        } else {
            options.settingsFile = *value;
        }
    }
    return options;
}

}  // namespace app
