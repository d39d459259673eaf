#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

// A left-button event at `point` of `view`, sent to `receiver`: the view itself, or its
// window's handle to go the way the platform delivers it.
inline void mouse(QEvent::Type type, QWidget* view, QPointF point, QObject* receiver = nullptr) {
    QMouseEvent event(type, point, view->mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(receiver ? receiver : view, &event);
}

inline void tap(QWidget* view, QPointF point, QObject* receiver = nullptr) {
    mouse(QEvent::MouseButtonPress, view, point, receiver);
    mouse(QEvent::MouseButtonRelease, view, point, receiver);
}

}  // namespace testsupport
