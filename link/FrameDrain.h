#pragma once

#include <functional>
#include <memory>

#include "base/Dispatch.h"
#include "link/FrameFormat.h"

namespace chairlink {

class EADSessionController;

// Takes what the session controller has buffered, cuts it into status frames, answers each
// (acknowledge or reject) and hands every accepted frame to the decoder on the main thread.
// Runs are serial, so frames are decoded in the order they arrived. Start one run for every
// EADSessionDataReceivedNotification.
class FrameDrain {
public:
    // Runs on the main thread, once per accepted frame (7 or 10 bytes), in arrival order.
    using Decoder = std::function<void(const Bytes& frame)>;

    static constexpr const char* kQueueLabel = "com.vornalex.remote.drain";

    FrameDrain(EADSessionController& controller, base::Dispatch& dispatch, Decoder decoder);
    // Waits for a run under way; runs not yet started are skipped.
    ~FrameDrain();
    FrameDrain(const FrameDrain&) = delete;
    FrameDrain& operator=(const FrameDrain&) = delete;

    // Queues one run; any thread.
    void start();

private:
    struct Shared;
    // drain queue
    static void run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::shared_ptr<base::SerialQueue> queue_;
};

}  // namespace chairlink
