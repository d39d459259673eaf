#include "app/script/ScriptWorld.h"

#include <QCoreApplication>
#include <QEvent>

#include "app/WindowChoice.h"
#include "chair/StandInChair.h"
#include "link/CapturingCentral.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "main/toolkit/InProcessVolume.h"

namespace script {

namespace {
constexpr const char* kWindowTitle = "Massage chair remote (demo chair)";

QString settingsFile(const WorldSettings& settings, const QTemporaryDir& scratch) {
    // Without a settings file a run starts from fresh defaults, so scripts behave the same
    // everywhere.
    return settings.settingsFile.value_or(scratch.path() + "/user-defaults.ini");
}
}  // namespace

WorldSettings WorldSettings::from(const ScriptOptions& options) {
    // No display to measure: the window the options give, the phone's own otherwise.
    const app::WindowChoice window = app::scriptWindow(options.launch);
    WorldSettings settings;
    settings.screen = window.screen;
    settings.window = window.placement;
    settings.settingsFile = options.launch.settingsFile;
    settings.chair = options.chair;
    settings.volume = options.volume;
    settings.captureFile = options.captureFile;
    return settings;
}

ScriptWorld::ScriptWorld(const WorldSettings& settings, std::ostream& out)
    : out_(out),
      world_({clock_, main_, dispatch_, notifications_, settingsFile(settings, scratch_),
              settings.bundleDirectory, settings.screen, settings.window}),
      makeVolume_(settings.mediaVolume) {
    // Another one is made when the app asks: a sound server's answer is awaited from then on.
    if (!makeVolume_) volume_ = std::make_shared<tk::InProcessVolume>(settings.volume);
    clock_.setSettle([this] {
        dispatch_.settle();
        // Views removed from the screen are deleted from the loop; there is no loop here.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    chair_ = chair::StandInChair::create(dispatch_, clock_,
                                         {.quiet = settings.chair == ChairMode::Scripted});
    chair_->setWriteObserver([this](const chairlink::Bytes& value) {
        // chair's queue: print from the main thread, in order with the script's own output
        main_.post(
            [this, value] { out_ << "chair-got " << chairlink::upperHexPairs(value) << "\n"; });
    });
    if (settings.captureFile)
        capture_ = chairlink::LinkCapture::open(settings.captureFile->toStdString(), clock_,
                                                captureError_);
}

ScriptWorld::~ScriptWorld() {
    world_.close();
    dispatch_.settle();
    controller_.reset();
    chair_->setWriteObserver(nullptr);
    dispatch_.settle();
}

void ScriptWorld::launch() {
    world_.launch(
        kWindowTitle,
        [this]() -> chairlink::EADSessionController& {
            controller_ =
                std::make_unique<chairlink::EADSessionController>(chairlink::LinkEnvironment{
                    dispatch_, clock_, notifications_,
                    chairlink::capturingCentrals(chair_->centralFactory(), capture_)});
            return *controller_;
        },
        [this] {
            if (!volume_) volume_ = makeVolume_(main_, clock_);
            return volume_;
        });
    settle();
}

void ScriptWorld::advance(double seconds) {
    clock_.advance(seconds);
}

void ScriptWorld::settle() {
    clock_.runDue();
}

}  // namespace script
