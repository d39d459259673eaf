#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "main/RootViewController.h"

namespace tk {
class NavigationController;
class ScaledWindow;
}  // namespace tk

namespace mainscreen {

class LinkTitle;

// The application delegate: makes the screens' root, white, L x (S + 20) points, whose only
// content is a navigation stack holding the main screen controller, and the window that shows
// it scaled to fill it.
class AppDelegate {
public:
    explicit AppDelegate(MainScreenEnvironment environment);
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // Builds and shows the window; the main screen then shows its logo. The title then also
    // tells where the link stands. Always true.
    bool didFinishLaunching(const QString& windowTitle);

    // The screens' root, in points.
    QWidget* window() const { return window_.get(); }
    // The window on the display.
    tk::ScaledWindow* hostWindow() const { return host_.get(); }
    RootViewController& rootviewCtrl() const { return *rootviewCtrl_; }
    tk::NavigationController* navigationController() const { return navigation_; }

private:
    // The window's new shape (device-independent pixels): the screens take the L it gives
    // and are laid out again, keeping everything they show and hold.
    void reshape(QSize window);

    MainScreenEnvironment env_;
    std::shared_ptr<RootViewController> rootviewCtrl_;
    std::unique_ptr<tk::ScaledWindow> host_;
    std::unique_ptr<QWidget> window_;
    tk::NavigationController* navigation_ = nullptr;  // owned by the window
    std::unique_ptr<LinkTitle> linkTitle_;
};

}  // namespace mainscreen
