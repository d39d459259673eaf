#include "main/script/ScriptWorld.h"

#include <QCoreApplication>
#include <QEvent>

#include "chair/StandInChair.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "main/AppDelegate.h"

namespace script {

namespace {
constexpr const char* kWindowTitle = "Massage chair remote (demo chair)";

QString settingsFile(const ScriptOptions& options, const QTemporaryDir& scratch) {
    // Without --settings a run starts from fresh defaults, so scripts behave the same
    // everywhere.
    return options.launch.settingsFile.value_or(scratch.path() + "/user-defaults.ini");
}
}  // namespace

tk::Screen ScriptWorld::screenFor(const tk::LaunchOptions& options) {
    // No display to measure: the phone unless the options say otherwise.
    const auto phone = tk::Screen::phone();
    return tk::Screen::resolve(options.idiom, options.measures,
                               QSize(phone.L, phone.S + tk::Screen::kStatusBar));
}

ScriptWorld::ScriptWorld(const ScriptOptions& options, std::ostream& out)
    : out_(out),
      defaults_(settingsFile(options, scratch_)),
      bundle_(tk::Bundle::defaultDirectory()),
      runtime_(clock_, main_, defaults_, bundle_, screenFor(options.launch)),
      languages_(bundle_) {
    clock_.setSettle([this] {
        dispatch_.settle();
        // Views removed from the screen are deleted from the loop; there is no loop here.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    chair_ = chair::StandInChair::create(dispatch_, clock_,
                                         {.quiet = options.chair == ChairMode::Scripted});
    chair_->setWriteObserver([this](const chairlink::Bytes& value) {
        // chair's queue: print from the main thread, in order with the script's own output
        main_.post(
            [this, value] { out_ << "chair-got " << chairlink::upperHexPairs(value) << "\n"; });
    });
}

ScriptWorld::~ScriptWorld() {
    app_.reset();
    dispatch_.settle();
    controller_.reset();
    chair_->setWriteObserver(nullptr);
    dispatch_.settle();
}

void ScriptWorld::launch() {
    mainscreen::MainScreenEnvironment environment{
        runtime_, dispatch_, notifications_, languages_,
        [this]() -> chairlink::EADSessionController& {
            controller_ =
                std::make_unique<chairlink::EADSessionController>(chairlink::LinkEnvironment{
                    dispatch_, clock_, notifications_, chair_->centralFactory()});
            return *controller_;
        }};
    app_ = std::make_unique<mainscreen::AppDelegate>(environment);
    app_->didFinishLaunching(kWindowTitle);
    settle();
}

void ScriptWorld::advance(double seconds) {
    clock_.advance(seconds);
}

void ScriptWorld::settle() {
    clock_.runDue();
}

}  // namespace script
