#include "main/toolkit/ViewController.h"

#include "main/toolkit/NavigationController.h"

namespace tk {

ViewController::~ViewController() {
    delete view_.data();
}

QWidget* ViewController::view() {
    if (!view_) {
        view_ = loadView();
        if (!view_) view_ = new QWidget();
        viewDidLoad();
    }
    return view_;
}

void ViewController::setTitle(const QString& title) {
    title_ = title;
    if (navigation_) navigation_->updateBar();
}

QWidget* ViewController::loadView() {
    return new QWidget();
}

}  // namespace tk
