#pragma once

#include <QObject>
#include <QThread>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace bluetooth {

// The thread that all Qt Bluetooth objects live in, with an event loop of its own. Qt makes
// blocking D-Bus calls to BlueZ from inside these objects; here they cannot freeze the
// screen. One thread serves every central the app makes, so a central can be released on
// any thread without waiting for its objects to go. Stopping it (the destructor) waits for
// the work already handed to it.
class BluetoothThread {
public:
    BluetoothThread();
    ~BluetoothThread();
    BluetoothThread(const BluetoothThread&) = delete;
    BluetoothThread& operator=(const BluetoothThread&) = delete;

    QThread* thread() { return &thread_; }

    // Runs the task on the Bluetooth thread; any thread.
    void post(std::function<void()> task);

    // Runs the task there and waits for its result, at most `timeout`; no value when the
    // thread did not answer in time (the task still runs later).
    template <typename Result>
    std::optional<Result> call(std::function<Result()> task, std::chrono::milliseconds timeout) {
        auto promise = std::make_shared<std::promise<Result>>();
        auto result = promise->get_future();
        post([promise, task = std::move(task)] { promise->set_value(task()); });
        if (result.wait_for(timeout) != std::future_status::ready) return std::nullopt;
        return result.get();
    }

private:
    QThread thread_;
    // Lives in the Bluetooth thread: the target of posted tasks.
    QObject* anchor_;
};

}  // namespace bluetooth
