#pragma once

#include <functional>
#include <memory>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "chair/StandInChair.h"
#include "link/LinkStack.h"
#include "tools/chairctl/SteppedMainThread.h"

namespace chairctl {

// The remote's link on a manual clock, connected to a quiet stand-in chair that notifies
// only what it is given. Main-thread tasks run one at a time with every queue idle in
// between, so what the handlers see comes in the same order on every run.
class ScriptedLink {
public:
    // Each write of the remote, as the chair receives it (the chair's queue).
    using WriteHandler = std::function<void(const chairlink::Bytes& bytes)>;
    // Each frame the receive path hands to the status decoder (main thread).
    using FrameHandler = std::function<void(const chairlink::Bytes& frame)>;

    ScriptedLink(WriteHandler onWrite, FrameHandler onFrame);
    ~ScriptedLink();
    ScriptedLink(const ScriptedLink&) = delete;
    ScriptedLink& operator=(const ScriptedLink&) = delete;

    bool connected() const { return link_->controller().isConnected(); }
    // The chair notifies `value`; returns once the receive path is done with it.
    void notify(const chairlink::Bytes& value);
    void hold() { link_->receiver().hold(); }
    void release();

private:
    void settle();

    SteppedMainThread main_;
    base::Dispatch dispatch_{main_};
    base::ManualClock clock_;
    base::NotificationCenter notifications_;
    std::shared_ptr<chair::StandInChair> chair_;
    std::unique_ptr<chairlink::LinkStack> link_;
};

}  // namespace chairctl
