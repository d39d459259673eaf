#pragma once

#include <QString>
#include <QTemporaryDir>

#include "base/ManualClock.h"
#include "base/PumpedMainThread.h"
#include "main/toolkit/Runtime.h"

namespace testsupport {

// A runtime on a manual clock and a pumped main thread, with defaults in a fresh file and the
// bundle over `bundleDirectory` (an empty temporary folder when none is given).
struct TestRuntime {
    explicit TestRuntime(tk::Screen screen = tk::Screen::phone(), QString bundleDirectory = {})
        : defaults(dir.path() + "/user-defaults.ini"),
          bundle(bundleDirectory.isEmpty() ? dir.path() : bundleDirectory),
          runtime(clock, main, defaults, bundle, screen) {}

    QTemporaryDir dir;
    base::ManualClock clock;
    base::PumpedMainThread main;
    tk::UserDefaults defaults;
    tk::Bundle bundle;
    tk::Runtime runtime;
};

}  // namespace testsupport
