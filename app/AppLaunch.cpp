#include "app/AppLaunch.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <iostream>

#include "app/AppWorld.h"
#include "app/CommandLine.h"
#include "app/LaunchOptions.h"
#include "app/LogRoute.h"
#include "app/WindowChoice.h"
#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtChairSources.h"
#include "chair/StandInChair.h"
#include "eventloop/QtClock.h"
#include "eventloop/QtMainThread.h"
#include "link/CapturingCentral.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "link/LinkCapture.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/UserDefaults.h"
#include "volume/PulseVolume.h"

namespace app {

namespace {
constexpr const char* kAppTitle = "Massage chair remote";
constexpr const char* kDesktopId = "com.vornalex.massageremote";
}  // namespace

int runApp(int argc, char** argv, const CommandLineOptions& given) {
    // First, so that every line of the run is in the file a technician sends in.
    const std::optional<QString> logFile =
        given.log.isEmpty() ? std::nullopt : std::optional(given.log.back());
    LogRoute log(logFile, LogRoute::Otherwise::StandardError);
    if (log.failed())
        std::cerr << "massage-remote: cannot write the log to \"" << logFile->toStdString()
                  << "\"; it goes to standard error" << std::endl;
    const LaunchOptions options = LaunchOptions::from(given);
    QApplication app(argc, argv);
    app.setApplicationVersion(appVersion());
    // Ties the window to its launcher entry and icon (Wayland asks by this name).
    QGuiApplication::setDesktopFileName(kDesktopId);
    QApplication::setWindowIcon(QIcon::fromTheme(kDesktopId));
    const WindowChoice window = chooseWindow(options, DisplayFacts::primary());

    // The shared session controller is never destroyed, so what it runs on lasts as long as
    // the process: made once here and never released.
    auto& clock = *new eventloop::QtClock;
    auto& mainThread = *new eventloop::QtMainThread;
    auto& dispatch = *new base::Dispatch(mainThread);
    base::NotificationCenter& notifications = base::NotificationCenter::defaultCenter();
    AppWorld world({clock, mainThread, dispatch, notifications,
                    options.settingsFile.value_or(tk::UserDefaults::defaultFile()),
                    tk::Bundle::defaultDirectory(), window.screen, window.placement});
    // After the settings file is found, so --home moves only where update files are looked for.
    if (options.home) qputenv("HOME", QFile::encodeName(*options.home));

    // The stand-in chair is made only when it is the one chosen.
    std::shared_ptr<chair::StandInChair> standIn;
    const auto selection =
        bluetooth::chooseChair(chairKindFrom(given), bluetooth::qtChairSources(clock, [&] {
                                   standIn = chair::StandInChair::create(dispatch, clock);
                                   // What the demo chair is sent goes to the log as script
                                   // mode prints it, so a run shows every press arriving.
                                   standIn->setWriteObserver([](const chairlink::Bytes& value) {
                                       base::log("chair-got " + chairlink::upperHexPairs(value));
                                   });
                                   return standIn->centralFactory();
                               }));
    // A capture that cannot be written is told in one line; the app runs on without it.
    std::shared_ptr<chairlink::LinkCapture> capture;
    if (!given.capture.isEmpty()) {
        std::string error;
        capture = chairlink::LinkCapture::open(given.capture.back().toStdString(), clock, error);
        if (!capture) base::log(error);
    }
    chairlink::EADSessionController::configureShared(
        {dispatch, clock, notifications,
         chairlink::capturingCentrals(selection.centralFactory, capture)});
    const QString title = QString(kAppTitle) + (selection.isDemo ? " (demo chair)" : "");

    world.launch(
        title,
        []() -> chairlink::EADSessionController& {
            return chairlink::EADSessionController::sharedController();
        },
        [&] {
            return std::make_shared<volume::PulseVolume>(mainThread, clock,
                                                         volume::PulseVolume::Options{});
        });
    return app.exec();
}

}  // namespace app
