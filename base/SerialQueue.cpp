#include "base/SerialQueue.h"

namespace base {

struct SerialQueue::State {
    std::string label;
    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable idle;
    std::deque<Task> tasks;
    bool running = false;
    bool stopping = false;
    std::atomic<std::uint64_t> executed{0};
    std::atomic<std::thread::id> workerId{};
};

SerialQueue::SerialQueue(std::string label) : state_(std::make_shared<State>()) {
    state_->label = std::move(label);
    // The worker keeps the state alive on its own, so it can outlive this handle.
    worker_ = std::thread([s = state_] {
        s->workerId = std::this_thread::get_id();
        std::unique_lock lock(s->mutex);
        for (;;) {
            s->wake.wait(lock, [&] { return s->stopping || !s->tasks.empty(); });
            if (s->tasks.empty()) break;  // stopping and drained
            Task task = std::move(s->tasks.front());
            s->tasks.pop_front();
            s->running = true;
            lock.unlock();
            task();
            task = nullptr;  // release captures before reporting idle
            s->executed.fetch_add(1);
            lock.lock();
            s->running = false;
            if (s->tasks.empty()) s->idle.notify_all();
        }
        s->idle.notify_all();
    });
}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->wake.notify_all();
    if (std::this_thread::get_id() == worker_.get_id()) {
        worker_.detach();  // released from its own task: the worker ends after it
    } else {
        worker_.join();
    }
}

const std::string& SerialQueue::label() const {
    return state_->label;
}

void SerialQueue::async(Task task) {
    {
        std::lock_guard lock(state_->mutex);
        state_->tasks.push_back(std::move(task));
    }
    state_->wake.notify_one();
}

void SerialQueue::sync(const Task& task) {
    if (isCurrent()) {
        task();
        return;
    }
    std::mutex doneMutex;
    std::condition_variable doneCv;
    bool done = false;
    async([&] {
        task();
        std::lock_guard lock(doneMutex);
        done = true;
        doneCv.notify_one();
    });
    std::unique_lock lock(doneMutex);
    doneCv.wait(lock, [&] { return done; });
}

bool SerialQueue::isCurrent() const {
    return std::this_thread::get_id() == state_->workerId.load();
}

void SerialQueue::waitUntilIdle() const {
    if (isCurrent()) return;  // waiting on itself would never end
    std::unique_lock lock(state_->mutex);
    state_->idle.wait(lock, [&] { return state_->tasks.empty() && !state_->running; });
}

bool SerialQueue::isIdle() const {
    std::lock_guard lock(state_->mutex);
    return state_->tasks.empty() && !state_->running;
}

std::uint64_t SerialQueue::executedCount() const {
    return state_->executed.load();
}

}  // namespace base
