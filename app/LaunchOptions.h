#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "main/toolkit/Screen.h"

namespace app {

// The toolkit's command-line options: `--idiom phone|tablet`, `--screen LxS` (the measures
// L and S in points), `--settings FILE` (the user-defaults file) and `--home DIR` (where the
// update file chooser starts). Both "--opt value" and
// "--opt=value" work; other arguments are left for others to read. A bad value is logged in
// one line and ignored.
struct LaunchOptions {
    std::optional<tk::Idiom> idiom;
    std::optional<QSize> measures;
    std::optional<QString> settingsFile;
    std::optional<QString> home;

    static LaunchOptions parse(const QStringList& arguments);
};

}  // namespace app
