#include "main/AppLaunch.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtChairSources.h"
#include "chair/StandInChair.h"
#include "link/EADSessionController.h"
#include "main/AppDelegate.h"
#include "main/CommandLine.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/LaunchOptions.h"
#include "main/toolkit/PulseVolume.h"
#include "main/toolkit/QtClock.h"
#include "main/toolkit/QtMainThread.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/UserDefaults.h"
#include "panels/LanguageStore.h"

namespace mainscreen {

namespace {
constexpr const char* kAppTitle = "Massage chair remote";
constexpr const char* kDesktopId = "com.vornalex.massageremote";

std::vector<std::string> arguments(const QApplication& app) {
    std::vector<std::string> list;
    for (const QString& argument : app.arguments()) list.push_back(argument.toStdString());
    return list;
}

QSize displaySize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize();
}
}  // namespace

int runApp(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationVersion(appVersion());
    // Ties the window to its launcher entry and icon (Wayland asks by this name).
    QGuiApplication::setDesktopFileName(kDesktopId);
    QApplication::setWindowIcon(QIcon::fromTheme(kDesktopId));
    const tk::LaunchOptions options = tk::LaunchOptions::parse(app.arguments());
    const tk::Screen screen = tk::Screen::resolve(options.idiom, options.measures, displaySize());

    // The shared session controller is never destroyed, so what it runs on lasts as long as
    // the process: made once here and never released.
    auto& clock = *new tk::QtClock;
    auto& mainThread = *new tk::QtMainThread;
    auto& dispatch = *new base::Dispatch(mainThread);
    tk::UserDefaults defaults(options.settingsFile.value_or(tk::UserDefaults::defaultFile()));
    // After the settings file is found, so --home moves only where update files are looked for.
    if (options.home) qputenv("HOME", QFile::encodeName(*options.home));
    tk::Bundle bundle(tk::Bundle::defaultDirectory());
    tk::Runtime runtime(clock, mainThread, defaults, bundle, screen);
    panels::LanguageStore languages(bundle);
    base::NotificationCenter& notifications = base::NotificationCenter::defaultCenter();

    // The stand-in chair is made only when it is the one chosen.
    std::shared_ptr<chair::StandInChair> standIn;
    const auto selection = bluetooth::chooseChair(
        bluetooth::chairKindFromArguments(arguments(app)), bluetooth::qtChairSources(clock, [&] {
            standIn = chair::StandInChair::create(dispatch, clock);
            return standIn->centralFactory();
        }));
    chairlink::EADSessionController::configureShared(
        {dispatch, clock, notifications, selection.centralFactory});
    const QString title = QString(kAppTitle) + (selection.isDemo ? " (demo chair)" : "");

    AppDelegate delegate({runtime, dispatch, notifications, languages,
                          []() -> chairlink::EADSessionController& {
                              return chairlink::EADSessionController::sharedController();
                          },
                          [&] {
                              return std::make_shared<tk::PulseVolume>(mainThread, clock,
                                                                       tk::PulseVolume::Options{});
                          }});
    delegate.didFinishLaunching(title);
    return app.exec();
}

}  // namespace mainscreen
