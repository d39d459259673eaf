// What the label reacts to: its screen's notifications, navigation, the application's
// activation, rotation, showing and hiding, resizing and taps.
#include <any>
#include <functional>

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>

#include "widgets/MarqueeLabel.h"

namespace widgets {
namespace {

QWidget* controllerIn(const base::Notification& notification, const char* key) {
    const auto* info = std::any_cast<ControllerInfo>(&notification.userInfo);
    if (!info) return nullptr;
    const auto it = info->find(key);
    return it == info->end() ? nullptr : it->second;
}

void postForController(base::NotificationCenter& center, const char* name, QWidget* controller) {
    if (!controller || !name) return;
    center.post(name, nullptr, ControllerInfo{{kControllerKey, controller}});
}

}  // namespace

void MarqueeLabel::restartLabelsOfController(base::NotificationCenter& center,
                                             QWidget* controller) {
    postForController(center, kMarqueeRestartNotification, controller);
}

void MarqueeLabel::controllerViewWillAppear(base::NotificationCenter& center, QWidget* controller) {
    restartLabelsOfController(center, controller);
}

void MarqueeLabel::controllerViewDidAppear(base::NotificationCenter& center, QWidget* controller) {
    restartLabelsOfController(center, controller);
}

void MarqueeLabel::controllerViewAppearing(base::NotificationCenter& center, QWidget* controller) {
    restartLabelsOfController(center, controller);
}

void MarqueeLabel::controllerLabelsShouldLabelize(base::NotificationCenter& center,
                                                  QWidget* controller) {
    postForController(center, kMarqueeLabelizeNotification, controller);
}

void MarqueeLabel::controllerLabelsShouldAnimate(base::NotificationCenter& center,
                                                 QWidget* controller) {
    postForController(center, kMarqueeAnimateNotification, controller);
}

void MarqueeLabel::observeEvents() {
    observeController(kMarqueeRestartNotification, &MarqueeLabel::restartLabel);
    observeController(kMarqueeLabelizeNotification, &MarqueeLabel::labelizeOn);
    observeController(kMarqueeAnimateNotification, &MarqueeLabel::labelizeOff);
    observe(kNavigationDidShowNotification,
            [this](const base::Notification& n) { onNavigation(n); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                &MarqueeLabel::onApplicationStateChanged);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            connect(screen, &QScreen::orientationChanged, this,
                    &MarqueeLabel::onOrientationChanged);
        }
    }
}

void MarqueeLabel::observe(const char* name,
                           std::function<void(const base::Notification&)> handler) {
    // Runs on the posting thread. Screens post on the main thread; a post from anywhere else
    // hops there with a queued call, which Qt drops if the label is gone by then.
    auto observer = [this, handler = std::move(handler)](const base::Notification& n) {
        if (QThread::currentThread() == thread()) {
            handler(n);
            return;
        }
        QMetaObject::invokeMethod(
            this, [handler, n] { handler(n); }, Qt::QueuedConnection);
    };
    observations_.emplace_back(center_, center_.addObserver(name, nullptr, std::move(observer)));
}

void MarqueeLabel::observeController(const char* name, void (MarqueeLabel::*reaction)()) {
    observe(name, [this, reaction](const base::Notification& n) {
        QWidget* controller = controllerIn(n, kControllerKey);
        if (controller && controller == firstAvailableViewController()) (this->*reaction)();
    });
}

// Main thread (posted by the navigation stack).
void MarqueeLabel::onNavigation(const base::Notification& notification) {
    QWidget* mine = firstAvailableViewController();
    if (!mine) return;
    if (controllerIn(notification, kLastVisibleControllerKey) == mine) shutdownLabel();
    if (controllerIn(notification, kNextVisibleControllerKey) == mine) restartLabel();
}

// Main thread (Qt signal).
void MarqueeLabel::onApplicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
        restartLabel();
    } else {
        shutdownLabel();
    }
}

// Main thread (Qt signal). Qt has no rotation animation to wait for: the resize that follows
// a new orientation arrives before the next turn of the loop, so the scroll restarts then.
void MarqueeLabel::onOrientationChanged() {
    orientationWillChange_ = true;
    returnLabelToOriginImmediately();
    if (rotationEnd_) clock_.cancel(*rotationEnd_);
    rotationEnd_ = clock_.callAfter(0, [this] {
        rotationEnd_.reset();
        orientationWillChange_ = false;
        restartLabel();
    });
}

void MarqueeLabel::resizeEvent(QResizeEvent*) {
    applyGradientMask();
    updateSublabelAndLocationsAndBeginScroll(!orientationWillChange_);
}

// Being shown puts the label in a window: that is when a movement may start.
void MarqueeLabel::showEvent(QShowEvent*) {
    restartLabel();
}

// A hidden label must cost nothing.
void MarqueeLabel::hideEvent(QHideEvent*) {
    shutdownLabel();
}

void MarqueeLabel::changeEvent(QEvent* event) {
    // Qt sends this only when the font really differs; the text width depends on it.
    if (event->type() == QEvent::FontChange) updateSublabelAndLocations();
    QWidget::changeEvent(event);
}

void MarqueeLabel::mousePressEvent(QMouseEvent* event) {
    if (!tapToScroll_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    tapPressed_ = true;
    event->accept();
}

void MarqueeLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool tapped = tapPressed_ && rect().contains(event->position().toPoint());
    tapPressed_ = false;
    if (tapped) labelWasTapped();
}

void MarqueeLabel::labelWasTapped() {
    if (labelShouldScroll()) beginScrollWithDelay(false);
}

}  // namespace widgets
