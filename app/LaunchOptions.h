#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "app/CommandLine.h"
#include "bluetooth/ChairChoice.h"
#include "main/toolkit/Screen.h"

namespace app {

// What the app takes from the command line: `--chair auto|bluetooth|simulated`, `--idiom
// phone|tablet`, `--screen LxS` (the measures L and S in points), `--settings FILE` (the
// user-defaults file) and `--home DIR` (where the update file chooser starts). The last good
// value of each wins; a bad one is logged in one line and ignored.
struct LaunchOptions {
    bluetooth::ChairKind chair = bluetooth::ChairKind::Auto;
    std::optional<tk::Idiom> idiom;
    std::optional<QSize> measures;
    std::optional<QString> settingsFile;
    std::optional<QString> home;

    static LaunchOptions from(const CommandLineOptions& given);
};

}  // namespace app
