#pragma once

#include "base/MainThread.h"

namespace eventloop {

// The app's main thread: tasks are queued calls on QApplication's event loop.
class QtMainThread final : public base::MainThread {
public:
    // Callable from any thread; the task runs on the Qt main thread. Dropped when there is
    // no application object (nothing could ever run it).
    void post(base::Task task) override;
    bool isCurrent() const override;
};

}  // namespace eventloop
