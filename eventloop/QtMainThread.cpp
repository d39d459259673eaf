#include "eventloop/QtMainThread.h"

#include <QCoreApplication>
#include <QThread>

#include "base/Log.h"

namespace eventloop {

void QtMainThread::post(base::Task task) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        base::log("MainThread: no application, task dropped");
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [task = std::move(task)] {
            if (task) task();
        },
        Qt::QueuedConnection);
}

bool QtMainThread::isCurrent() const {
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}  // namespace eventloop
