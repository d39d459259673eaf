#include "main/toolkit/TouchRouter.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTouchEvent>
#include <QWidget>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ViewAttributes.h"

namespace tk {

namespace {
ImageButton* buttonAt(QWidget* content, QPoint point) {
    for (QWidget* view = touchTarget(content, point); view && view != content;
         view = view->parentWidget()) {
        if (auto* button = qobject_cast<ImageButton*>(view)) return button;
    }
    return nullptr;
}
}  // namespace

TouchRouter::TouchRouter(QWidget& surface, QWidget& content, Mapping toContent)
    : surface_(surface), content_(&content), toContent_(std::move(toContent)) {
    surface_.setAttribute(Qt::WA_AcceptTouchEvents);
    surface_.installEventFilter(this);
}

TouchRouter::~TouchRouter() {
    surface_.removeEventFilter(this);
}

bool TouchRouter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &surface_) return false;
    switch (event->type()) {
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            route(*static_cast<QTouchEvent*>(event));
            event->accept();
            return true;
        case QEvent::TouchCancel:
            cancelAll();
            event->accept();
            return true;
        default:
            return false;
    }
}

void TouchRouter::route(QTouchEvent& event) {
    // Each point in the order the batch holds them: a press and a release of one finger in
    // one batch are still a press, then a release.
    for (const QEventPoint& point : event.points()) {
        const int id = point.id();
        switch (point.state()) {
            case QEventPoint::Pressed:
                down(id, point.position());
                break;
            case QEventPoint::Updated:
                if (auto found = fingers_.find(id); found != fingers_.end())
                    moved(found->second, point.position());
                break;
            case QEventPoint::Released:
                if (auto found = fingers_.find(id); found != fingers_.end()) {
                    const Finger finger = found->second;
                    fingers_.erase(found);
                    up(finger, point.position());
                }
                break;
            default:
                break;
        }
    }
}

void TouchRouter::down(int id, QPointF surfacePoint) {
    if (!content_) return;
    Finger finger;
    ImageButton* button = buttonAt(content_, toContent_(surfacePoint).toPoint());
    if (button && !button->isPressed()) {
        finger.button = button;
        fingers_[id] = finger;
        button->touchDown();
        return;
    }
    bool mouseTaken = false;
    for (const auto& [other, held] : fingers_) mouseTaken = mouseTaken || held.mouse;
    // A finger on a button another finger holds, or on the background, rests without effect.
    finger.mouse = !button && !mouseTaken;
    fingers_[id] = finger;
    if (finger.mouse) sendMouse(QEvent::MouseButtonPress, surfacePoint);
}

void TouchRouter::moved(Finger& finger, QPointF surfacePoint) {
    if (finger.mouse) return sendMouse(QEvent::MouseMove, surfacePoint);
    if (!finger.button) return;
    if (inside(*finger.button, surfacePoint)) {
        finger.button->moveInside();
    } else {
        finger.button->moveOutside();
    }
}

void TouchRouter::up(const Finger& finger, QPointF surfacePoint) {
    if (finger.mouse) return sendMouse(QEvent::MouseButtonRelease, surfacePoint);
    if (finger.button) finger.button->touchUp(inside(*finger.button, surfacePoint));
}

void TouchRouter::cancelAll() {
    const auto fingers = std::move(fingers_);
    fingers_.clear();
    for (const auto& [id, finger] : fingers) {
        // A list under a cancelled finger sees the press end away from any row.
        if (finger.mouse) sendMouse(QEvent::MouseButtonRelease, QPointF(-1e6, -1e6));
        if (finger.button) finger.button->cancelTouch();
    }
}

bool TouchRouter::inside(const ImageButton& button, QPointF surfacePoint) const {
    if (!content_) return false;
    const QPoint point = toContent_(surfacePoint).toPoint();
    return button.rect().contains(button.mapFrom(content_.data(), point));
}

void TouchRouter::sendMouse(int type, QPointF surfacePoint) {
    const bool release = type == QEvent::MouseButtonRelease;
    QMouseEvent mouse(QEvent::Type(type), surfacePoint, surface_.mapToGlobal(surfacePoint),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      release ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface_, &mouse);
}

}  // namespace tk
