#include "chair/ChairTimers.h"

namespace chair {

ChairTimers::ChairTimers(base::Clock& clock, std::shared_ptr<base::SerialQueue> queue,
                         std::weak_ptr<void> owner)
    : clock_(clock), queue_(queue), owner_(std::move(owner)) {}

ChairTimers::~ChairTimers() {
    // The clock calls still pending would find nothing to run; this only spares them.
    for (const auto& call : clockCalls_) clock_.cancel(call.second);
}

ChairTimers::Id ChairTimers::after(double seconds, base::Task step) {
    Id id = nextId_++;
    pending_->ids.insert(id);
    std::weak_ptr<Pending> pending = pending_;
    // Runs on the main thread (the clock's); hops to the chair's queue.
    auto call = clock_.callAfter(
        seconds, [queue = queue_, owner = owner_, pending, id, step = std::move(step)] {
            auto q = queue.lock();
            if (!q) return;
            q->async([owner, pending, id, step] {
                auto keep = owner.lock();
                auto live = pending.lock();
                if (!keep) return;
                if (!live || live->ids.erase(id) == 0) return;
                step();
            });
        });
    clockCalls_.emplace(id, call);
    // Forget clock calls that have already fired, so the set does not grow without end.
    std::erase_if(clockCalls_, [&](const auto& c) { return !pending_->ids.contains(c.first); });
    return id;
}

void ChairTimers::cancel(Id id) {
    pending_->ids.erase(id);
    for (auto it = clockCalls_.begin(); it != clockCalls_.end(); ++it) {
        if (it->first == id) {
            clock_.cancel(it->second);
            clockCalls_.erase(it);
            return;
        }
    }
}

void ChairTimers::cancelAll() {
    pending_->ids.clear();
    for (const auto& call : clockCalls_) clock_.cancel(call.second);
    clockCalls_.clear();
}

}  // namespace chair
