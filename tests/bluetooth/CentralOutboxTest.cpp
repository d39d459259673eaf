// The gate and the picture that stand between the Bluetooth thread and the client's queue.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "CentralFixture.h"
#include "bluetooth/CentralOutbox.h"

namespace bluetooth::testing {
namespace {

using chairlink::BleCentralEvents;

struct CentralOutboxTest : ::testing::Test {
    std::shared_ptr<base::SerialQueue> queue_ = std::make_shared<base::SerialQueue>("test.outbox");
    RecordingEvents events_{queue_};
    std::shared_ptr<CentralEventGate> gate_ = CentralEventGate::make();
    CentralOutbox outbox_{gate_};
};

// Delivery on the client's queue, and silence once closed, are the Qt central's tests.
TEST_F(CentralOutboxTest, ThePictureIsUpToDateWhenTheEventArrives) {
    // What the client asks from inside each event.
    std::vector<std::string> seen;
    events_.onEvent = [&](const CentralEvent& e) {
        const auto services = outbox_.services("A");
        if (e.kind == "connect") seen.push_back(outbox_.isConnected("A") ? "connected" : "no");
        if (e.kind == "disconnect") seen.push_back(services ? "services" : "no services");
        if (e.kind == "services") seen.push_back(std::to_string(services->size()) + " service");
        if (e.kind == "characteristics")
            seen.push_back(std::to_string(services->at(0).characteristics.size()) + " found");
        if (e.kind == "notify")
            seen.push_back(services->at(0).characteristics.at(0).notifying ? "notifying" : "quiet");
    };
    gate_->open(events_, queue_);
    // One report at a time, each event answered before the next report changes the picture.
    // Repeats add nothing twice, and a failed discovery adds nothing.
    const std::function<void()> reports[] = {
        [&] { outbox_.connected("A"); },
        [&] { outbox_.servicesDiscovered("A", {"FFE0"}, std::nullopt); },
        [&] { outbox_.servicesDiscovered("A", {"FFE0"}, std::nullopt); },
        [&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE1"}, std::string("Unknown")); },
        [&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE1"}, std::nullopt); },
        [&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE2"}, std::nullopt); },
        [&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE2"}, std::nullopt); },
        [&] { outbox_.notificationStateChanged("A", "FFE0", "FFE1", true, std::nullopt); },
        [&] {  // the picture is the connected peripheral's only
            EXPECT_EQ(outbox_.services("B"), std::nullopt);
            EXPECT_FALSE(outbox_.isConnected("B"));
        },
        [&] { outbox_.disconnected("A", std::string("lost")); }};
    for (const auto& report : reports) {
        report();
        queue_->waitUntilIdle();
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"connected", "1 service", "1 service", "0 found", "1 found",
                                        "2 found", "2 found", "notifying", "no services"}));
}

TEST_F(CentralOutboxTest, CloseWaitsForAnEventUnderWayAndMayComeFromInsideOne) {
    gate_->open(events_, queue_);
    std::atomic<bool> inside{false}, release{false}, closed{false};
    gate_->post([&](BleCentralEvents&) {
        inside = true;
        while (!release) std::this_thread::yield();
    });
    while (!inside) std::this_thread::yield();
    std::thread closer([&] {
        gate_->close();
        closed = true;
    });
    // While the event runs, close() must not return (a bounded look, not a pause).
    EXPECT_FALSE(waitUntil([&] { return closed.load(); }, std::chrono::milliseconds(200)));
    release = true;
    closer.join();
    EXPECT_TRUE(closed);

    gate_->open(events_, queue_);
    gate_->post([&](BleCentralEvents&) { gate_->close(); });
    outbox_.connected("A");
    queue_->waitUntilIdle();
    EXPECT_TRUE(events_.matching().empty());
}

}  // namespace
}  // namespace bluetooth::testing
