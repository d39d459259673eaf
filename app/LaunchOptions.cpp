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

LaunchOptions LaunchOptions::from(const CommandLineOptions& given) {
    LaunchOptions options;
    for (const QString& value : given.idiom) {
        if (auto idiom = parseIdiom(value)) options.idiom = idiom;
    }
    for (const QString& value : given.screen) {
        if (auto measures = parseMeasures(value)) options.measures = measures;
    }
    for (const QString& value : given.settings) {
        if (value.isEmpty()) {
            base::log("Options: --settings needs a file name");
        } else {
            options.settingsFile = value;
        }
    }
    for (const QString& value : given.home) {
        if (QFileInfo(value).isDir()) {
            options.home = QDir(value).absolutePath();
        } else {
            base::log("Options: --home: no such directory: " + value.toStdString());
        }
    }
    return options;
}

bluetooth::ChairKind chairKindFrom(const CommandLineOptions& given) {
    auto chosen = bluetooth::ChairKind::Auto;
    for (const QString& value : given.chair) {
        if (auto kind = bluetooth::chairKindFromName(value.toStdString())) {
            chosen = *kind;
        } else {
            base::log("Unknown --chair " + value.toStdString() +
                      "; using auto (auto|bluetooth|simulated)");
        }
    }
    return chosen;
}

}  // namespace app
