#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "link/FrameFormat.h"

namespace chairlink {

// Link states of a client. A client is used for one connection only and never goes back.
enum SocketState : std::uint64_t {
    kSocketCreated = 0,
    kSocketOpening = 1,    // waiting for Bluetooth, scanning, connecting, discovering
    kSocketConnected = 2,  // both characteristics found; a later disconnection keeps it here
    kSocketClosing = 3,
    kSocketClosed = 4,
};

// Listener of a socket client. A BLE client calls these on its own serial queue.
class SocketDelegate {
public:
    virtual ~SocketDelegate() = default;
    virtual void socketConnected() = 0;
    virtual void socketError(const std::string& error) = 0;
    virtual void socketClosed() = 0;
    virtual void socketReceived(const Bytes& bytes) = 0;
};

// The transport seen from the session controller. Every operation of the base does nothing.
class SocketClient {
public:
    virtual ~SocketClient() = default;

    virtual void addDelegate(std::shared_ptr<SocketDelegate> /*delegate*/) {}
    virtual void removeDelegate(const std::shared_ptr<SocketDelegate>& /*delegate*/) {}
    virtual void open() {}
    virtual void close() {}
    // Callable from any thread.
    virtual void send(const Bytes& /*bytes*/) {}
    virtual std::uint64_t state() const { return state_.load(); }

protected:
    std::atomic<std::uint64_t> state_{kSocketCreated};
};

}  // namespace chairlink
