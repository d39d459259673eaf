#include "main/AppDelegate.h"

#include <QPalette>

#include "main/toolkit/NavigationController.h"
#include "main/toolkit/Runtime.h"

namespace mainscreen {

AppDelegate::AppDelegate(MainScreenEnvironment environment) : env_(std::move(environment)) {}

// The window goes first: it owns the navigation stack, which holds the controller.
AppDelegate::~AppDelegate() {
    window_.reset();
}

bool AppDelegate::didFinishLaunching(const QString& windowTitle) {
    window_ = std::make_unique<QWidget>();
    window_->setWindowTitle(windowTitle);
    window_->setFixedSize(env_.runtime.screen().windowSize());
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);

    rootviewCtrl_ = std::make_shared<RootViewController>(env_);
    navigation_ = new tk::NavigationController(rootviewCtrl_, window_.get());
    navigation_->setGeometry(window_->rect());
    window_->show();
    return true;
}

}  // namespace mainscreen
