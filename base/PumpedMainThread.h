#pragma once

#include <deque>
#include <mutex>
#include <thread>

#include "base/MainThread.h"

namespace base {

// A main thread whose queued tasks run only when its owner pumps it. The thread that
// creates it is the main thread.
class PumpedMainThread final : public MainThread {
public:
    PumpedMainThread();

    void post(Task task) override;
    bool isCurrent() const override;
    std::size_t runPending() override;
    std::size_t pendingCount() const;

private:
    std::thread::id owner_;
    mutable std::mutex mutex_;
    std::deque<Task> tasks_;
};

}  // namespace base
