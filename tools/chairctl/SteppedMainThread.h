#pragma once

#include <deque>
#include <mutex>
#include <thread>

#include "base/MainThread.h"

namespace chairctl {

// A main thread that runs one task at a time when asked, and nothing when Dispatch::settle
// pumps it. Run between settles, every task starts with all queues idle, so work that a
// task hands to another queue (a drain) is finished before the next task (a decoded frame)
// runs: the order of what the tasks print is the same on every run.
class SteppedMainThread final : public base::MainThread {
public:
    void post(base::Task task) override {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    bool isCurrent() const override { return std::this_thread::get_id() == owner_; }
    std::size_t runPending() override { return 0; }

    // Runs the oldest task; false when there was none.
    bool runOne() {
        base::Task task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) return false;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        if (task) task();
        return true;
    }

private:
    std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::deque<base::Task> tasks_;
};

}  // namespace chairctl
