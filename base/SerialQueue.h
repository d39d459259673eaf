#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/Task.h"

namespace base {

// A labelled FIFO queue with one worker thread. Tasks run one at a time in the order
// they were added. The queue may be released from one of its own tasks: the worker then
// finishes the tasks already queued and ends by itself.
class SerialQueue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& label() const;

    void async(Task task);
    // Runs the task on the queue and waits for it; on the queue itself it runs inline.
    void sync(const Task& task);
    bool isCurrent() const;

    // Blocks until nothing is queued or running. Tests and the manual clock use it.
    void waitUntilIdle() const;
    bool isIdle() const;
    std::uint64_t executedCount() const;

    struct State;

private:
    std::shared_ptr<State> state_;
    std::thread worker_;
};

}  // namespace base
