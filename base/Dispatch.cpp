#include "base/Dispatch.h"

#include <algorithm>

namespace base {

Dispatch::Dispatch(MainThread& main, unsigned backgroundWorkers)
    : main_(main), background_(backgroundWorkers) {}

std::shared_ptr<SerialQueue> Dispatch::makeSerialQueue(std::string label) {
    auto queue = std::make_shared<SerialQueue>(std::move(label));
    std::lock_guard lock(mutex_);
    std::erase_if(queues_, [](const auto& weak) { return weak.expired(); });
    queues_.push_back(queue);
    return queue;
}

std::uint64_t Dispatch::totalExecuted(std::vector<std::shared_ptr<SerialQueue>>& live) {
    live.clear();
    {
        std::lock_guard lock(mutex_);
        for (auto& weak : queues_) {
            if (auto q = weak.lock()) live.push_back(std::move(q));
        }
    }
    std::uint64_t total = background_.executedCount();
    for (auto& q : live) total += q->executedCount();
    return total;
}

bool Dispatch::settle() {
    bool anything = false;
    std::vector<std::shared_ptr<SerialQueue>> live;
    for (;;) {
        std::uint64_t before = totalExecuted(live);
        for (auto& q : live) q->waitUntilIdle();
        background_.waitUntilIdle();
        live.clear();  // a queue released meanwhile must be free to end
        std::size_t ranOnMain = main_.runPending();
        std::uint64_t after = totalExecuted(live);
        // Work queued on a queue made during this round has not been waited for yet.
        bool busy = !background_.isIdle() ||
                    std::any_of(live.begin(), live.end(), [](auto& q) { return !q->isIdle(); });
        bool progressed = ranOnMain > 0 || after != before || busy;
        live.clear();
        if (!progressed) return anything;
        anything = true;
    }
}

}  // namespace base
