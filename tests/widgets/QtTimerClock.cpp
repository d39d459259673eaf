#include "QtTimerClock.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace marquee_demo {

QtTimerClock::~QtTimerClock() {
    for (auto& [id, timer] : pending_) delete timer;
}

base::Clock::TimerId QtTimerClock::callAfter(double delay, base::Task task) {
    const TimerId id = nextId_++;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [this, id, task = std::move(task)] {
        auto it = pending_.find(id);
        if (it == pending_.end()) return;
        it->second->deleteLater();
        pending_.erase(it);
        ++fired_;
        task();
    });
    pending_[id] = timer;
    timer->start(static_cast<int>(std::lround(std::max(0.0, delay) * 1000)));
    return id;
}

void QtTimerClock::cancel(TimerId id) {
    auto it = pending_.find(id);
    if (it == pending_.end()) return;
    it->second->deleteLater();
    pending_.erase(it);
}

}  // namespace marquee_demo
