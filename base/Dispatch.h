#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/BackgroundQueue.h"
#include "base/MainThread.h"
#include "base/SerialQueue.h"

namespace base {

// Hands out the queues that the app's objects run on and knows how to wait for all of
// them. Objects are given a Dispatch rather than reaching for globals, so a test can run
// several apps' worth of queues side by side.
class Dispatch {
public:
    explicit Dispatch(MainThread& main, unsigned backgroundWorkers = 2);

    MainThread& main() { return main_; }
    BackgroundQueue& background() { return background_; }

    // A new serial queue; Dispatch keeps only a weak reference for settle().
    std::shared_ptr<SerialQueue> makeSerialQueue(std::string label);

    // Waits until every live queue made here and the background queue are idle and the
    // main thread has no pending hops, repeating while any of them hands work to another.
    // Call it on the main thread. Returns whether anything ran.
    bool settle();

private:
    std::uint64_t totalExecuted(std::vector<std::shared_ptr<SerialQueue>>& live);

    MainThread& main_;
    BackgroundQueue background_;
    std::mutex mutex_;
    std::vector<std::weak_ptr<SerialQueue>> queues_;
};

}  // namespace base
