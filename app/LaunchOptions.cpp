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

std::optional<QSize> parseSize(const QString& value, const char* option, const char* what) {
    if (const auto size = sizeFrom(value)) return size;
    base::log(std::string("Options: ") + option + " must be " + what +
              " (each 100 to 8192), not \"" + value.toStdString() + "\"");
    return std::nullopt;
}

std::optional<double> parseScale(const QString& value) {
    bool ok = false;
    const double scale = value.toDouble(&ok);
    // Written so that NaN fails too.
    if (ok && scale >= 1.0 && scale <= 4.0) return scale;
    base::log("Options: --scale must be a number from 1 to 4, not \"" + value.toStdString() + "\"");
    return std::nullopt;
}
}  // namespace

std::optional<QSize> sizeFrom(const QString& text) {
    static const QRegularExpression pattern("^(\\d{1,5})x(\\d{1,5})$");
    const auto match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    const auto sane = [](int side) { return side >= kMinSide && side <= kMaxSide; };
    if (!sane(size.width()) || !sane(size.height())) return std::nullopt;
    return size;
}

LaunchOptions LaunchOptions::from(const CommandLineOptions& given) {
    LaunchOptions options;
    for (const QString& value : given.idiom) {
        if (auto idiom = parseIdiom(value)) options.idiom = idiom;
    }
    for (const QString& value : given.screen) {
        if (auto measures = parseSize(value, "--screen", "LxS in points"))
            options.measures = measures;
    }
    for (const QString& value : given.window) {
        if (auto window = parseSize(value, "--window", "WxH in pixels")) options.window = window;
    }
    for (const QString& value : given.scale) {
        if (auto scale = parseScale(value)) options.scale = scale;
    }
    options.fullScreen = given.fullScreen;
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
