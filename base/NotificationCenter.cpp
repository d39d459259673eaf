#include "base/NotificationCenter.h"

#include <algorithm>

namespace base {

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(std::string name, const void* sender,
                                                          Observer observer) {
    std::lock_guard lock(mutex_);
    Token token = nextToken_++;
    entries_.push_back(
        {token, std::move(name), sender, std::make_shared<Observer>(std::move(observer))});
    return token;
}

void NotificationCenter::removeObserver(Token token) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [token](const Entry& e) { return e.token == token; });
}

void NotificationCenter::post(const std::string& name, const void* object, std::any userInfo) {
    post(Notification{name, object, std::move(userInfo)});
}

void NotificationCenter::post(const Notification& notification) {
    // Snapshot under the lock, call outside it: observers may post or (un)register.
    std::vector<std::pair<Token, std::shared_ptr<Observer>>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const auto& e : entries_) {
            if (e.name == notification.name &&
                (e.sender == nullptr || e.sender == notification.object)) {
                targets.emplace_back(e.token, e.observer);
            }
        }
    }
    for (auto& [token, observer] : targets) {
        bool stillRegistered;
        {
            std::lock_guard lock(mutex_);
            stillRegistered = std::any_of(entries_.begin(), entries_.end(),
                                          [t = token](const Entry& e) { return e.token == t; });
        }
        // An observer removed by an earlier one in this same post is not called.
        if (stillRegistered) (*observer)(notification);
    }
}

size_t NotificationCenter::observerCount(const std::string& name) const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(),
                                             [&](const Entry& e) { return e.name == name; }));
}

ObserverRegistration& ObserverRegistration::operator=(ObserverRegistration&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = other.center_;
        token_ = other.token_;
        other.center_ = nullptr;
    }
    return *this;
}

void ObserverRegistration::reset() {
    if (center_) center_->removeObserver(token_);
    center_ = nullptr;
}

}  // namespace base
