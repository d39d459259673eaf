#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "app/CommandLine.h"
#include "bluetooth/ChairChoice.h"
#include "main/toolkit/Screen.h"

namespace app {

// What the screens take from the command line: `--idiom phone|tablet`, `--screen LxS` (the
// measures L and S in points), `--settings FILE` (the user-defaults file), `--home DIR`
// (where the update file chooser starts), `--fullscreen`, and for script mode `--window WxH`
// (pixels) and `--scale X` (device pixels per pixel). The last good value of each wins; a bad
// one is logged in one line and ignored.
struct LaunchOptions {
    std::optional<tk::Idiom> idiom;
    std::optional<QSize> measures;
    std::optional<QSize> window;
    std::optional<double> scale;
    bool fullScreen = false;
    std::optional<QString> settingsFile;
    std::optional<QString> home;

    static LaunchOptions from(const CommandLineOptions& given);
};

// "WxH" with each side from 100 to 8192; nothing for anything else.
std::optional<QSize> sizeFrom(const QString& text);

// The app's `--chair auto|bluetooth|simulated`: the last good value, auto without one; a bad
// one is logged in one line. (Script mode has chairs of its own.)
bluetooth::ChairKind chairKindFrom(const CommandLineOptions& given);

}  // namespace app
