#include "eventloop/QtClock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace eventloop {

namespace {
int toMilliseconds(double seconds) {
    if (!(seconds > 0)) return 0;  // also catches NaN
    const double ms = std::ceil(seconds * 1000.0);
    return static_cast<int>(std::min(ms, double(std::numeric_limits<int>::max())));
}
}  // namespace

QtClock::QtClock() {
    elapsed_.start();
}

QtClock::~QtClock() {
    std::lock_guard lock(mutex_);
    pending_.clear();
}

double QtClock::now() const {
    return double(elapsed_.nsecsElapsed()) / 1e9;
}

base::Clock::TimerId QtClock::callAfter(double delay, base::Task task) {
    TimerId id;
    {
        std::lock_guard lock(mutex_);
        id = nextId_++;
        pending_[id].task = std::move(task);
    }
    const int delayMs = toMilliseconds(delay);
    if (QThread::currentThread() == thread()) {
        startTimer(id, delayMs);
    } else {
        // Worker thread: hop to the main thread to own the timer there.
        QMetaObject::invokeMethod(
            this, [this, id, delayMs] { startTimer(id, delayMs); }, Qt::QueuedConnection);
    }
    return id;
}

void QtClock::startTimer(TimerId id, int delayMs) {
    std::lock_guard lock(mutex_);
    auto it = pending_.find(id);
    if (it == pending_.end()) return;  // cancelled before the hop arrived
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, id] { fire(id); });
    it->second.timer = timer;
    timer->start(delayMs);
}

void QtClock::fire(TimerId id) {
    base::Task task;
    QTimer* timer = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto it = pending_.find(id);
        if (it == pending_.end()) return;
        task = std::move(it->second.task);
        timer = it->second.timer;
        pending_.erase(it);
    }
    if (timer) timer->deleteLater();
    if (task) task();
}

void QtClock::cancel(TimerId id) {
    QTimer* timer = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto it = pending_.find(id);
        if (it == pending_.end()) return;
        timer = it->second.timer;
        pending_.erase(it);
    }
    if (!timer) return;
    if (QThread::currentThread() == thread()) {
        timer->stop();
        timer->deleteLater();
    } else {
        // Worker thread: the timer belongs to the main thread; when it fires it finds
        // nothing pending. Stop and free it there.
        QMetaObject::invokeMethod(
            timer,
            [timer] {
                timer->stop();
                timer->deleteLater();
            },
            Qt::QueuedConnection);
    }
}

std::size_t QtClock::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

}  // namespace eventloop
