#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "base/Clock.h"
#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "main/AppDelegate.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Screen.h"
#include "main/toolkit/UserDefaults.h"

namespace chairlink {
class EADSessionController;
}

namespace app {

// What the app is made of, whichever clock and main thread it runs on: the user defaults,
// the bundle, the toolkit runtime, the language loader and the delegate with its main screen.
// The app runs it on Qt's event loop, script mode, the tests and the benchmarks on theirs.
// Main thread only.
class AppWorld {
public:
    struct Parts {
        base::Clock& clock;
        base::MainThread& mainThread;
        base::Dispatch& dispatch;
        base::NotificationCenter& notifications;
        QString settingsFile;
        QString bundleDirectory;
        tk::Screen screen;
        tk::WindowPlacement window = {};
    };
    // Each is asked once, when the main screen first needs it: obtaining the session
    // controller starts the scan for the chair.
    using ControllerSource = std::function<chairlink::EADSessionController&()>;
    using VolumeSource = std::function<std::shared_ptr<tk::MediaVolume>()>;

    explicit AppWorld(const Parts& parts);
    ~AppWorld();
    AppWorld(const AppWorld&) = delete;
    AppWorld& operator=(const AppWorld&) = delete;

    // The window shows with the logo, titled `title`.
    void launch(const QString& title, ControllerSource controller, VolumeSource volume);
    // Takes the window and the main screen down; what the world was built from stays.
    void close();

    bool launched() const { return delegate_ != nullptr; }
    mainscreen::AppDelegate& delegate() { return *delegate_; }
    tk::Runtime& runtime() { return runtime_; }
    tk::UserDefaults& defaults() { return defaults_; }

private:
    base::Dispatch& dispatch_;
    base::NotificationCenter& notifications_;
    tk::UserDefaults defaults_;
    tk::Bundle bundle_;
    tk::Runtime runtime_;
    panels::LanguageStore languages_;
    std::unique_ptr<mainscreen::AppDelegate> delegate_;
};

}  // namespace app
