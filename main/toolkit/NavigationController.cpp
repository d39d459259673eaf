#include "main/toolkit/NavigationController.h"

#include <QPainter>

#include "base/Log.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ViewController.h"

namespace tk {

namespace {
constexpr int kBackButtonWidth = 110;

// The bar's own look: a light background with a hairline under it.
class Bar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(247, 247, 247));
        painter.setPen(QColor(178, 178, 178));
        painter.drawLine(0, height() - 1, width(), height() - 1);
    }
};
}  // namespace

NavigationController::NavigationController(std::shared_ptr<ViewController> root, QWidget* parent)
    : QWidget(parent),
      bar_(new Bar(this)),
      titleLabel_(new Label(bar_)),
      backButton_(new ImageButton(bar_)) {
    if (!root) {
        base::log("NavigationController: no root screen, using an empty one");
        root = std::make_shared<ViewController>();
    }
    root->navigation_ = this;
    stack_.push_back(std::move(root));
    titleLabel_->setTextFont(Fonts::boldSystem(17));
    titleLabel_->setTextAlignment(Qt::AlignHCenter);
    backButton_->setTitleFont(Fonts::system(17));
    backButton_->addAction(TouchUpInside, [this](ImageButton&) { popViewController(true); });
    updateBar();
}

NavigationController::~NavigationController() {
    for (auto& controller : stack_) controller->navigation_ = nullptr;
    for (auto& controller : popped_) controller->navigation_ = nullptr;
}

ViewController* NavigationController::topViewController() const {
    return stack_.back().get();
}

ViewController* NavigationController::rootViewController() const {
    return stack_.front().get();
}

std::vector<ViewController*> NavigationController::viewControllers() const {
    std::vector<ViewController*> screens;
    for (const auto& controller : stack_) screens.push_back(controller.get());
    return screens;
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> controller,
                                              bool animated) {
    popped_.clear();
    if (!controller) return;
    for (const auto& existing : stack_) {
        if (existing == controller) {
            base::log("NavigationController: a screen cannot be pushed twice");
            return;
        }
    }
    ViewController* from = topViewController();
    controller->navigation_ = this;
    stack_.push_back(std::move(controller));
    transition(from, animated);
}

void NavigationController::popViewController(bool animated) {
    popped_.clear();
    if (stack_.size() < 2) return;
    ViewController* from = topViewController();
    popped_.push_back(std::move(stack_.back()));
    stack_.pop_back();
    transition(from, animated);
    popped_.back()->navigation_ = nullptr;
}

void NavigationController::popToRootViewController(bool animated) {
    popped_.clear();
    if (stack_.size() < 2) return;
    ViewController* from = topViewController();
    while (stack_.size() > 1) {
        popped_.push_back(std::move(stack_.back()));
        stack_.pop_back();
    }
    transition(from, animated);
    for (auto& controller : popped_) controller->navigation_ = nullptr;
}

void NavigationController::transition(ViewController* from, bool animated) {
    ViewController* to = topViewController();
    if (!appeared_) {
        // Not on screen yet: the first show brings the top screen in.
        updateBar();
        return;
    }
    if (from && from != to) from->viewWillDisappear(animated);
    QWidget* view = to->view();
    if (view->parentWidget() != this) view->setParent(this);
    to->viewWillAppear(animated);
    if (from && from != to && from->isViewLoaded()) from->view()->hide();
    layoutViews();
    view->show();
    bar_->raise();
    updateBar();
    to->viewDidAppear(animated);
}

void NavigationController::setNavigationBarHidden(bool hidden, bool /*animated*/) {
    bar_->setHidden(hidden);
    layoutViews();
}

bool NavigationController::isNavigationBarHidden() const {
    return bar_->isHidden();
}

QString NavigationController::barTitle() const {
    return titleLabel_->text();
}

void NavigationController::updateBar() {
    titleLabel_->setText(topViewController()->title());
    const bool canGoBack = stack_.size() > 1;
    backButton_->setVisible(canGoBack);
    if (canGoBack) {
        const QString below = stack_[stack_.size() - 2]->title();
        backButton_->setTitle(QString::fromUtf8("\u2039 ") + (below.isEmpty() ? "Back" : below));
    }
}

QRect NavigationController::contentRect() const {
    const int top = bar_->isHidden() ? 0 : kBarHeight;
    return QRect(0, top, width(), std::max(0, height() - top));
}

void NavigationController::layoutViews() {
    bar_->setGeometry(0, 0, width(), kBarHeight);
    titleLabel_->setGeometry(kBackButtonWidth, 0, std::max(0, width() - 2 * kBackButtonWidth),
                             kBarHeight);
    backButton_->setGeometry(0, 0, kBackButtonWidth, kBarHeight);
    ViewController* top = topViewController();
    if (top->isViewLoaded()) top->view()->setGeometry(contentRect());
}

void NavigationController::showEvent(QShowEvent*) {
    if (appeared_) return;
    appeared_ = true;
    transition(nullptr, false);
}

void NavigationController::resizeEvent(QResizeEvent*) {
    layoutViews();
}

}  // namespace tk
