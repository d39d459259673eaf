#include "base/PumpedMainThread.h"

namespace base {

PumpedMainThread::PumpedMainThread() : owner_(std::this_thread::get_id()) {}

void PumpedMainThread::post(Task task) {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
}

bool PumpedMainThread::isCurrent() const {
    return std::this_thread::get_id() == owner_;
}

std::size_t PumpedMainThread::runPending() {
    std::size_t ran = 0;
    for (;;) {
        Task task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) return ran;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
        ++ran;
    }
}

std::size_t PumpedMainThread::pendingCount() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

}  // namespace base
