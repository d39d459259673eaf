#include "main/AppDelegate.h"

#include <QPalette>

#include "main/ControlNames.h"
#include "main/KeyboardControl.h"
#include "main/LinkTitle.h"
#include "main/toolkit/Accessibility.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/ScaledWindow.h"

namespace mainscreen {

AppDelegate::AppDelegate(MainScreenEnvironment environment) : env_(std::move(environment)) {}

// The screens go first: they own the navigation stack, which holds the controller; the
// window that shows them after.
AppDelegate::~AppDelegate() {
    linkTitle_.reset();
    window_.reset();
    host_.reset();
}

bool AppDelegate::didFinishLaunching(const QString& windowTitle) {
    window_ = std::make_unique<QWidget>();
    window_->resize(env_.runtime.screen().windowSize());
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);

    rootviewCtrl_ = std::make_shared<RootViewController>(env_);
    tk::AccessibleNames::install();
    auto* names =
        new tk::AccessibleNames(*window_, env_.runtime.bundle().pictureNames(), controlNameKeys(),
                                [this, root = rootviewCtrl_.get()](const QString& key) {
                                    return env_.languages.load(root->languageFlag()).value(key);
                                });
    names->setBarKeys(barNameKeys());
    names->setClock(&env_.runtime.clock());
    // Titled once the names stand: a reader asks for the window's node when its title changes.
    window_->setWindowTitle(windowTitle);
    navigation_ = new tk::NavigationController(rootviewCtrl_, window_.get());
    navigation_->setGeometry(window_->rect());
    host_ = std::make_unique<tk::ScaledWindow>(window_.get());
    // The extra around the screens continues the main screen's background.
    const QImage background = env_.runtime.bundle().image("bg").pixels();
    if (!background.isNull())
        host_->setMarginColour(background.pixelColor(0, background.height() / 2));
    linkTitle_ = std::make_unique<LinkTitle>(
        *host_, windowTitle, env_.notifications, env_.dispatch, env_.languages,
        [root = rootviewCtrl_.get()] { return root->languageFlag(); });
    if (env_.runtime.window().followsShape)
        host_->setReshape([this](QSize window) { reshape(window); });
    setUpKeyboard(*window_, *rootviewCtrl_);
    window_->show();
    host_->open(env_.runtime.window());
    return true;
}

void AppDelegate::reshape(QSize window) {
    if (window.isEmpty()) return;
    const tk::Screen now = env_.runtime.screen();
    const tk::Screen next = tk::Screen::forWindow(now.idiom, QSizeF(window));
    if (next.L == now.L) return;
    env_.runtime.setScreen(next);
    window_->resize(next.windowSize());
    navigation_->setGeometry(window_->rect());
    rootviewCtrl_->relayOut();
}

}  // namespace mainscreen
