#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "base/Task.h"

namespace base {

// A small pool of worker threads for short tasks that may run side by side.
class BackgroundQueue {
public:
    explicit BackgroundQueue(unsigned workers = 2);
    ~BackgroundQueue();
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;

    void async(Task task);
    void waitUntilIdle() const;
    bool isIdle() const;
    std::uint64_t executedCount() const;

private:
    void work();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    mutable std::condition_variable idle_;
    std::deque<Task> tasks_;
    unsigned running_ = 0;
    std::uint64_t executed_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace base
