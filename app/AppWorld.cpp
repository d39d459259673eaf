#include "app/AppWorld.h"

#include <utility>

namespace app {

AppWorld::AppWorld(const Parts& parts)
    : dispatch_(parts.dispatch),
      notifications_(parts.notifications),
      defaults_(parts.settingsFile),
      bundle_(parts.bundleDirectory),
      runtime_(parts.clock, parts.mainThread, defaults_, bundle_, parts.screen, parts.window),
      languages_(bundle_) {}

AppWorld::~AppWorld() {
    close();
}

void AppWorld::launch(const QString& title, ControllerSource controller, VolumeSource volume) {
    delegate_ = std::make_unique<mainscreen::AppDelegate>(mainscreen::MainScreenEnvironment{
        runtime_, dispatch_, notifications_, languages_, std::move(controller), std::move(volume)});
    delegate_->didFinishLaunching(title);
}

void AppWorld::close() {
    delegate_.reset();
}

}  // namespace app
