#include "main/AppLaunch.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "chair/StandInChair.h"
#include "link/EADSessionController.h"
#include "main/AppDelegate.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/LaunchOptions.h"
#include "main/toolkit/QtClock.h"
#include "main/toolkit/QtMainThread.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/UserDefaults.h"
#include "panels/LanguageStore.h"

namespace mainscreen {

namespace {
constexpr const char* kAppTitle = "Massage chair remote";

QSize displaySize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize();
}
}  // namespace

int runApp(int argc, char** argv) {
    QApplication app(argc, argv);
    const tk::LaunchOptions options = tk::LaunchOptions::parse(app.arguments());
    const tk::Screen screen = tk::Screen::resolve(options.idiom, options.measures, displaySize());

    tk::QtClock clock;
    tk::QtMainThread mainThread;
    base::Dispatch dispatch(mainThread);
    tk::UserDefaults defaults(options.settingsFile.value_or(tk::UserDefaults::defaultFile()));
    tk::Bundle bundle(tk::Bundle::defaultDirectory());
    tk::Runtime runtime(clock, mainThread, defaults, bundle, screen);
    panels::LanguageStore languages(bundle);
    base::NotificationCenter& notifications = base::NotificationCenter::defaultCenter();

    auto chair = chair::StandInChair::create(dispatch, clock);
    chairlink::EADSessionController::configureShared(
        {dispatch, clock, notifications, chair->centralFactory()});
    const QString title = QString(kAppTitle) + " (demo chair)";

    AppDelegate delegate(
        {runtime, dispatch, notifications, languages, []() -> chairlink::EADSessionController& {
             return chairlink::EADSessionController::sharedController();
         }});
    delegate.didFinishLaunching(title);
    return app.exec();
}

}  // namespace mainscreen
