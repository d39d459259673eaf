#include "tools/chairctl/ScriptedLink.h"

#include <utility>

namespace chairctl {

ScriptedLink::ScriptedLink(WriteHandler onWrite, FrameHandler onFrame) {
    clock_.setSettle([this] { settle(); });
    chair_ = chair::StandInChair::create(dispatch_, clock_, {.quiet = true});
    chair_->setWriteObserver(std::move(onWrite));
    link_ = std::make_unique<chairlink::LinkStack>(
        chairlink::LinkEnvironment{dispatch_, clock_, notifications_, chair_->centralFactory()},
        std::move(onFrame));
    clock_.runDue();
}

ScriptedLink::~ScriptedLink() {
    clock_.runDue();
    chair_->setWriteObserver(nullptr);
    link_.reset();
    settle();
}

void ScriptedLink::notify(const chairlink::Bytes& value) {
    chair_->notify(value);
    clock_.runDue();
}

void ScriptedLink::release() {
    link_->receiver().release();
    clock_.runDue();
}

void ScriptedLink::settle() {
    do {
        dispatch_.settle();
    } while (main_.runOne());
}

}  // namespace chairctl
