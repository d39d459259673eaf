#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace base {

struct Notification {
    std::string name;
    const void* object = nullptr;  // the sender, compared by identity only
    std::any userInfo;
};

// Named notifications delivered synchronously on the posting thread. Safe to use from
// several threads; observers may add or remove observers (themselves included) while
// being notified.
class NotificationCenter {
public:
    using Observer = std::function<void(const Notification&)>;
    using Token = std::uint64_t;

    // The process-wide centre that the app's objects share.
    static NotificationCenter& defaultCenter();

    // `sender` nullptr observes every sender; otherwise only notifications posted with
    // that object.
    Token addObserver(std::string name, const void* sender, Observer observer);

    // After this returns the observer is not called again by later posts; a delivery already
    // under way on another thread may still finish.
    void removeObserver(Token token);

    void post(const std::string& name, const void* object = nullptr, std::any userInfo = {});
    void post(const Notification& notification);

    size_t observerCount(const std::string& name) const;

private:
    struct Entry {
        Token token;
        std::string name;
        const void* sender;
        std::shared_ptr<Observer> observer;
    };

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    Token nextToken_ = 1;
};

// Removes its observation when destroyed, so an observer object cannot outlive its
// registration by accident.
class ObserverRegistration {
public:
    ObserverRegistration() = default;
    ObserverRegistration(NotificationCenter& center, NotificationCenter::Token token)
        : center_(&center), token_(token) {}
    ObserverRegistration(ObserverRegistration&& other) noexcept { *this = std::move(other); }
    ObserverRegistration& operator=(ObserverRegistration&& other) noexcept;
    ~ObserverRegistration() { reset(); }

    void reset();
    bool active() const { return center_ != nullptr; }

private:
    NotificationCenter* center_ = nullptr;
    NotificationCenter::Token token_ = 0;
};

}  // namespace base
