#include "app/WindowChoice.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace app {

namespace {
constexpr int kSmallDisplay = 600;
// A window manager's title bar and borders, which the available area must also hold; the
// real frame is only known once the window is shown.
constexpr QSize kFrame(8, 40);

bool hasWindowManager() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith("wayland")) return true;
    if (platform != "xcb") return false;
    // A bare X server (a kiosk's xinit) names no desktop session.
    return !qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP") ||
           !qEnvironmentVariableIsEmpty("DESKTOP_SESSION") ||
           !qEnvironmentVariableIsEmpty("XDG_SESSION_DESKTOP");
}
}  // namespace

DisplayFacts DisplayFacts::primary() {
    DisplayFacts facts;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return facts;
    facts.size = screen->size();
    facts.available = screen->availableSize();
    facts.physicalMillimetres = screen->physicalSize();
    facts.windowManager = hasWindowManager();
    return facts;
}

WindowChoice chooseWindow(const LaunchOptions& options, const DisplayFacts& display) {
    const tk::Idiom displayIdiom = tk::Screen::idiomFor(display.physicalMillimetres, display.size);
    WindowChoice choice;
    const bool small = std::min(display.size.width(), display.size.height()) < kSmallDisplay;
    const bool fullScreen = options.fullScreen || !display.windowManager || small;
    const QSize available = display.available.isEmpty() ? display.size : display.available;
    const QSize area = fullScreen ? display.size : (available - kFrame).expandedTo(QSize(1, 1));
    choice.screen = tk::Screen::resolve(options.idiom, options.measures, displayIdiom, area);
    choice.placement.fullScreen = fullScreen;
    choice.placement.largest = display.size;
    choice.placement.followsShape = !options.measures;
    if (!area.isEmpty() && !display.size.isEmpty()) {
        choice.placement.size = fullScreen
                                    ? display.size
                                    : choice.screen.windowSize().scaled(area, Qt::KeepAspectRatio);
    }
    return choice;
}

WindowChoice scriptWindow(const LaunchOptions& options) {
    WindowChoice choice;
    choice.placement.followsShape = !options.measures;
    if (!options.window) {
        choice.screen = tk::Screen::resolve(options.idiom, options.measures, tk::Idiom::Phone, {});
        return choice;
    }
    const QSizeF pixels = QSizeF(*options.window) / options.scale.value_or(1.0);
    const QSize size = pixels.toSize();
    choice.screen = tk::Screen::resolve(options.idiom, options.measures,
                                        tk::Screen::idiomFor({}, size), pixels);
    choice.placement.size = size;
    choice.placement.largest = size;
    return choice;
}

}  // namespace app
