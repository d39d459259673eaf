#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tk {

class NavigationController;

// A screen: a view made on first use, a title for the navigation bar, and the hooks the
// navigation stack calls as the screen comes and goes. Main thread only.
class ViewController {
public:
    ViewController() = default;
    virtual ~ViewController();
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // Made by loadView() the first time it is asked for, then viewDidLoad() runs.
    QWidget* view();
    bool isViewLoaded() const { return !view_.isNull(); }

    void setTitle(const QString& title);
    const QString& title() const { return title_; }

    // The stack this screen is on, or nullptr.
    NavigationController* navigationController() const { return navigation_; }

protected:
    // A plain view by default; a screen may make its own.
    virtual QWidget* loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}

private:
    friend class NavigationController;

    QPointer<QWidget> view_;
    QString title_;
    NavigationController* navigation_ = nullptr;
};

}  // namespace tk
