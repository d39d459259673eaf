#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <mutex>

#include "base/Clock.h"

class QTimer;

namespace eventloop {

// The app's clock: calls run on the Qt main thread from single-shot QTimers. Create it on
// the main thread after QApplication.
class QtClock final : public QObject, public base::Clock {
public:
    QtClock();
    ~QtClock() override;

    double now() const override;
    // Callable from any thread: the timer itself is started on the main thread.
    TimerId callAfter(double delay, base::Task task) override;
    // Callable from any thread; a call already running is not stopped.
    void cancel(TimerId id) override;

    std::size_t pendingCount() const;

private:
    struct Pending {
        base::Task task;
        QTimer* timer = nullptr;
    };

    // Main thread.
    void startTimer(TimerId id, int delayMs);
    // Main thread.
    void fire(TimerId id);

    QElapsedTimer elapsed_;
    mutable std::mutex mutex_;
    TimerId nextId_ = 1;
    std::map<TimerId, Pending> pending_;
};

}  // namespace eventloop
