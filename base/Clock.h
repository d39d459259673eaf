#pragma once

#include <cstdint>

#include "base/Task.h"

namespace base {

// The one clock that timers, delayed calls, animations, the link's retry waits and the
// stand-in chair all run on. The app drives it from Qt's event loop; tests and script
// mode use ManualClock and move time themselves.
class Clock {
public:
    using TimerId = std::uint64_t;

    virtual ~Clock() = default;

    // Seconds since an arbitrary origin; never goes back.
    virtual double now() const = 0;

    // Runs the task once on the main thread after `delay` seconds (0 or less: as soon as
    // the loop comes round). Callable from any thread.
    virtual TimerId callAfter(double delay, Task task) = 0;

    // Drops a pending call; nothing happens when it has run already. Callable from any thread.
    virtual void cancel(TimerId id) = 0;
};

}  // namespace base
