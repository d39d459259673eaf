#pragma once

#include <cstddef>

#include "base/Task.h"

namespace base {

// "Run this on the main thread": the app supplies it with Qt's event loop, tests and
// script mode with a loop they pump (PumpedMainThread).
class MainThread {
public:
    virtual ~MainThread() = default;

    // Queues the task for the main thread without waiting; callable from any thread.
    virtual void post(Task task) = 0;
    virtual bool isCurrent() const = 0;

    // Runs what is queued now (and what that queues in turn); returns how many tasks ran.
    // Loops that are driven by a platform event loop run their tasks there and return 0.
    virtual std::size_t runPending() { return 0; }
};

}  // namespace base
