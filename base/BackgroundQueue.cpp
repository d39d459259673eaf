#include "base/BackgroundQueue.h"

namespace base {

BackgroundQueue::BackgroundQueue(unsigned workers) {
    if (workers == 0) workers = 1;
    for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

BackgroundQueue::~BackgroundQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& t : workers_) t.join();
}

void BackgroundQueue::async(Task task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void BackgroundQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty()) return;
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        ++running_;
        lock.unlock();
        task();
        task = nullptr;
        lock.lock();
        --running_;
        ++executed_;
        if (tasks_.empty() && running_ == 0) idle_.notify_all();
    }
}

void BackgroundQueue::waitUntilIdle() const {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [&] { return tasks_.empty() && running_ == 0; });
}

bool BackgroundQueue::isIdle() const {
    std::lock_guard lock(mutex_);
    return tasks_.empty() && running_ == 0;
}

std::uint64_t BackgroundQueue::executedCount() const {
    std::lock_guard lock(mutex_);
    return executed_;
}

}  // namespace base
