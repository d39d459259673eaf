#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeCentral.h"
#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "link/LinkEnvironment.h"
#include "link/SocketClient.h"

namespace linktest {

// Everything a link needs, deterministic: a pumped main thread, a manual clock that settles
// all queues before each step, a notification centre of its own and the fake radio.
struct LinkWorld {
    base::LogCapture logs;
    base::PumpedMainThread main;
    base::Dispatch dispatch{main};
    base::ManualClock clock;
    base::NotificationCenter center;
    FakeRadio radio;

    LinkWorld() {
        clock.setSettle([this] { dispatch.settle(); });
    }
    ~LinkWorld() { dispatch.settle(); }

    chairlink::LinkEnvironment env() { return {dispatch, clock, center, radio.factory()}; }
    void settle() { dispatch.settle(); }

    static FakePeripheral chair() { return {.id = "chair-1", .name = "Vornalex-R7"}; }
};

// Counts what a client tells its listeners.
struct RecordingDelegate final : chairlink::SocketDelegate {
    std::atomic<int> connected{0};
    std::atomic<int> closed{0};
    std::atomic<int> errors{0};
    mutable std::mutex mutex;
    std::vector<Bytes> chunks;

    void socketConnected() override { ++connected; }
    void socketError(const std::string&) override { ++errors; }
    void socketClosed() override { ++closed; }
    void socketReceived(const Bytes& bytes) override {
        std::lock_guard lock(mutex);
        chunks.push_back(bytes);
    }
    std::vector<Bytes> received() const {
        std::lock_guard lock(mutex);
        return chunks;
    }
};

// Test tables are written as hex; a typo in one is a test bug, so it fails loudly.
inline Bytes hex(const char* text) {
    auto bytes = chairlink::parseHexBytes(text);
    if (!bytes) throw std::invalid_argument(std::string("bad hex in test: ") + text);
    return *bytes;
}

inline Bytes frame(std::int32_t code, chairlink::ChairState state = {}) {
    auto f = chairlink::buildCommandFrame(code, state);
    return Bytes(f.begin(), f.end());
}

// A session controller over the fake radio, torn down only after all its work has settled.
class ControllerFixture : public ::testing::Test {
protected:
    void TearDown() override {
        world.settle();
        controller.reset();
        world.settle();
    }
    void start(std::optional<FakePeripheral> chair = LinkWorld::chair()) {
        if (chair) world.radio.addPeripheral(*chair);
        controller = std::make_unique<chairlink::EADSessionController>(world.env());
        world.settle();
    }

    LinkWorld world;
    std::unique_ptr<chairlink::EADSessionController> controller;
};

}  // namespace linktest
