#include "main/toolkit/DelayedCalls.h"

#include <algorithm>
#include <memory>

namespace tk {

DelayedCalls::DelayedCalls(base::Clock& clock) : clock_(clock) {}

DelayedCalls::~DelayedCalls() {
    for (auto& [key, ids] : pending_) {
        for (auto id : ids) clock_.cancel(id);
    }
}

void DelayedCalls::performAfterDelay(const void* target, const std::string& operation, double delay,
                                     std::function<void()> call) {
    Key key{target, operation};
    // The id is known only after scheduling; the call reads it from this shared slot.
    auto idSlot = std::make_shared<base::Clock::TimerId>(0);
    const auto id = clock_.callAfter(delay, [this, key, idSlot, call = std::move(call)] {
        fired(key, *idSlot);
        if (call) call();
    });
    *idSlot = id;
    pending_[key].push_back(id);
}

void DelayedCalls::fired(const Key& key, base::Clock::TimerId id) {
    auto it = pending_.find(key);
    if (it == pending_.end()) return;
    auto& ids = it->second;
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
    if (ids.empty()) pending_.erase(it);
}

void DelayedCalls::cancelPrevious(const void* target, const std::string& operation) {
    auto it = pending_.find(Key{target, operation});
    if (it == pending_.end()) return;
    for (auto id : it->second) clock_.cancel(id);
    pending_.erase(it);
}

void DelayedCalls::cancelAll(const void* target) {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->first.first == target) {
            for (auto id : it->second) clock_.cancel(id);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t DelayedCalls::pendingCount(const void* target, const std::string& operation) const {
    auto it = pending_.find(Key{target, operation});
    return it == pending_.end() ? 0 : it->second.size();
}

}  // namespace tk
