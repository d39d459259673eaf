#pragma once

#include <cstdint>
#include <memory>
#include <set>

#include "base/Clock.h"
#include "base/SerialQueue.h"

namespace chair {

// Delayed steps of the chair, timed on the shared clock and run on the chair's queue. The
// clock fires on the main thread; the step then hops to the queue. Use only on the queue.
class ChairTimers {
public:
    using Id = std::uint64_t;

    // Steps run only while `owner` is alive, and keep it alive while they run.
    ChairTimers(base::Clock& clock, std::shared_ptr<base::SerialQueue> queue,
                std::weak_ptr<void> owner);
    ~ChairTimers();
    ChairTimers(const ChairTimers&) = delete;
    ChairTimers& operator=(const ChairTimers&) = delete;

    double now() const { return clock_.now(); }
    Id after(double seconds, base::Task step);
    // A step that has not run yet never runs, even when its clock call has already fired.
    void cancel(Id id);
    void cancelAll();

private:
    struct Pending {
        std::set<Id> ids;
    };

    base::Clock& clock_;
    std::weak_ptr<base::SerialQueue> queue_;
    std::weak_ptr<void> owner_;
    // Shared with the clock calls so that a step firing after this object is gone finds
    // nothing; touched only on the chair's queue.
    std::shared_ptr<Pending> pending_ = std::make_shared<Pending>();
    std::set<std::pair<Id, base::Clock::TimerId>> clockCalls_;
    Id nextId_ = 1;
};

}  // namespace chair
