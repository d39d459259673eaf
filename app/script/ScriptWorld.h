#pragma once

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "app/AppWorld.h"
#include "app/script/ScriptOptions.h"
#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/ScaledWindow.h"
#include "main/toolkit/UserDefaults.h"

namespace chair {
class StandInChair;
}
namespace chairlink {
class EADSessionController;
class LinkCapture;
}  // namespace chairlink

namespace script {

// What the world is built with; script mode takes it from its options.
struct WorldSettings {
    tk::Screen screen = tk::Screen::phone();
    tk::WindowPlacement window;  // the screens' own size when empty
    QString bundleDirectory = tk::Bundle::defaultDirectory();
    std::optional<QString> settingsFile;  // fresh defaults when absent
    ChairMode chair = ChairMode::Scripted;
    float volume = 0.5f;                 // the in-process media volume's start
    std::optional<QString> captureFile;  // records the link's values there (btsnoop)
    // Another media volume for the app (a test's own sound server), made with the world's
    // main thread and clock; in-process when empty.
    std::function<std::shared_ptr<tk::MediaVolume>(base::MainThread&, base::Clock&)> mediaVolume;

    static WorldSettings from(const ScriptOptions& options);
};

// The whole app on a manual clock with a stand-in chair, for script mode and tests. Every
// write the chair receives is printed on `out` as "chair-got XX XX ..." from the main thread.
// Time moves only through advance(); work on other threads is always finished before.
class ScriptWorld {
public:
    ScriptWorld(const WorldSettings& settings, std::ostream& out);
    ~ScriptWorld();
    ScriptWorld(const ScriptWorld&) = delete;
    ScriptWorld& operator=(const ScriptWorld&) = delete;

    // Launches the app: the window shows with the logo.
    void launch();

    void advance(double seconds);
    // Lets every thread finish what it was handed and runs what is due now.
    void settle();

    mainscreen::AppDelegate& app() { return world_.delegate(); }
    chair::StandInChair& chair() { return *chair_; }
    base::ManualClock& clock() { return clock_; }
    tk::Runtime& runtime() { return world_.runtime(); }
    // The session controller, once the main screen has asked for it.
    chairlink::EADSessionController* sessionController() { return controller_.get(); }
    // The media volume the app gets when it asks for one, and another program may change;
    // the in-process one from the start, another only once the app has asked for it.
    tk::MediaVolume* mediaVolume() { return volume_.get(); }
    // Why the capture file asked for could not be written; empty when it is (or none).
    const std::string& captureError() const { return captureError_; }

private:
    std::ostream& out_;
    QTemporaryDir scratch_;
    base::PumpedMainThread main_;
    base::Dispatch dispatch_{main_};
    base::ManualClock clock_;
    base::NotificationCenter notifications_;
    app::AppWorld world_;
    std::function<std::shared_ptr<tk::MediaVolume>(base::MainThread&, base::Clock&)> makeVolume_;
    std::shared_ptr<tk::MediaVolume> volume_;
    std::shared_ptr<chair::StandInChair> chair_;
    std::shared_ptr<chairlink::LinkCapture> capture_;
    std::string captureError_;
    std::unique_ptr<chairlink::EADSessionController> controller_;
};

}  // namespace script
