#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include "chair/ChairTimers.h"
#include "chair/StatusFrames.h"

namespace chair {

// Takes the raw pieces of an update file. The pieces carry no length or end mark, so the
// update counts as complete once no piece has come for the gap; the chair then confirms it.
// Runs on the chair's queue.
class UpdateReceiver {
public:
    using Confirm = std::function<void(std::size_t bytes, std::size_t pieces)>;

    UpdateReceiver(ChairTimers& timers, const double& gap, Confirm confirm);

    void piece(const Bytes& bytes);
    bool receiving() const { return gapTimer_.has_value(); }
    std::size_t updatesCompleted() const { return completed_; }

private:
    void gapPassed();

    ChairTimers& timers_;
    const double& gap_;
    Confirm confirm_;
    std::optional<ChairTimers::Id> gapTimer_;
    std::size_t bytes_ = 0;
    std::size_t pieces_ = 0;
    std::size_t completed_ = 0;
};

}  // namespace chair
