#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "main/RootViewController.h"

namespace tk {
class NavigationController;
}

namespace mainscreen {

class LinkTitle;

// The application delegate: makes the one window, white, L x (S + 20) points, whose only
// content is a navigation stack holding the main screen controller, and shows it.
class AppDelegate {
public:
    explicit AppDelegate(MainScreenEnvironment environment);
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // Builds and shows the window; the main screen then shows its logo. The title then also
    // tells where the link stands. Always true.
    bool didFinishLaunching(const QString& windowTitle);

    QWidget* window() const { return window_.get(); }
    RootViewController& rootviewCtrl() const { return *rootviewCtrl_; }
    tk::NavigationController* navigationController() const { return navigation_; }

private:
    MainScreenEnvironment env_;
    std::shared_ptr<RootViewController> rootviewCtrl_;
    std::unique_ptr<QWidget> window_;
    tk::NavigationController* navigation_ = nullptr;  // owned by the window
    std::unique_ptr<LinkTitle> linkTitle_;
};

}  // namespace mainscreen
