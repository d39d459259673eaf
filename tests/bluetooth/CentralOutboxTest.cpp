#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MockBluez.h"
#include "RecordingEvents.h"
#include "bluetooth/CentralOutbox.h"

// The gate and the picture that stand between the Bluetooth thread and the client's queue.
namespace bluetooth::testing {
namespace {

using chairlink::BleCentralEvents;
using chairlink::ManagerState;

class CentralOutboxTest : public ::testing::Test {
protected:
    void SetUp() override { gate_->open(events_, queue_); }

    std::shared_ptr<base::SerialQueue> queue_ = std::make_shared<base::SerialQueue>("test.outbox");
    RecordingEvents events_{queue_};
    std::shared_ptr<CentralEventGate> gate_ = CentralEventGate::make();
    CentralOutbox outbox_{gate_};
};

TEST_F(CentralOutboxTest, EventsArriveOnTheQueueInOrder) {
    outbox_.stateChanged(ManagerState::PoweredOn);
    outbox_.discovered("A", std::string("Vornalex"), -60);
    outbox_.connected("A");
    queue_->waitUntilIdle();
    auto events = events_.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, "state");
    EXPECT_EQ(events[1].kind, "discover");
    EXPECT_EQ(events[2].kind, "connect");
    for (const auto& e : events) EXPECT_TRUE(e.onQueue);
}

TEST_F(CentralOutboxTest, ThePictureIsUpToDateWhenTheEventArrives) {
    // What the client asks from inside each event.
    struct Asking : BleCentralEvents {
        CentralOutbox* outbox;
        std::vector<std::string> seen;
        void centralStateChanged(ManagerState) override {}
        void didDiscover(const std::string&, const std::optional<std::string>&, int) override {}
        void didConnect(const std::string& p) override {
            seen.push_back(outbox->isConnected(p) ? "connected" : "not connected");
        }
        void didFailToConnect(const std::string&, const std::string&) override {}
        void didDisconnect(const std::string& p, const chairlink::ErrorText&) override {
            seen.push_back(outbox->services(p) ? "services" : "no services");
        }
        void didDiscoverServices(const std::string& p, const chairlink::ErrorText&) override {
            seen.push_back(std::to_string(outbox->services(p)->size()) + " service");
        }
        void didDiscoverCharacteristics(const std::string& p, const std::string&,
                                        const chairlink::ErrorText&) override {
            seen.push_back(std::to_string(outbox->services(p)->at(0).characteristics.size()) +
                           " characteristics");
        }
        void didUpdateValue(const std::string&, const std::string&, const chairlink::Bytes&,
                            const chairlink::ErrorText&) override {}
        void didUpdateNotificationState(const std::string& p, const std::string&, bool,
                                        const chairlink::ErrorText&) override {
            seen.push_back(outbox->services(p)->at(0).characteristics.at(0).notifying ? "notifying"
                                                                                      : "quiet");
        }
    } asking;
    asking.outbox = &outbox_;
    gate_->open(asking, queue_);
    // One report at a time, each event answered before the next report changes the picture.
    auto report = [&](auto step) {
        step();
        queue_->waitUntilIdle();
    };
    report([&] { outbox_.connected("A"); });
    report([&] { outbox_.servicesDiscovered("A", {"FFE0"}, std::nullopt); });
    report([&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE1"}, std::nullopt); });
    report([&] { outbox_.characteristicsDiscovered("A", "FFE0", {"FFE2"}, std::nullopt); });
    report([&] { outbox_.notificationStateChanged("A", "FFE0", "FFE1", true, std::nullopt); });
    report([&] { outbox_.disconnected("A", std::string("lost")); });
    EXPECT_EQ(asking.seen,
              (std::vector<std::string>{"connected", "1 service", "1 characteristics",
                                        "2 characteristics", "notifying", "no services"}));
}

TEST_F(CentralOutboxTest, FailedDiscoveryAddsNothingAndRepeatsAddNothingTwice) {
    outbox_.connected("A");
    outbox_.servicesDiscovered("A", {"FFE0"}, std::nullopt);
    outbox_.servicesDiscovered("A", {"FFE0"}, std::nullopt);
    outbox_.characteristicsDiscovered("A", "FFE0", {"FFE1"}, std::string("UnknownError"));
    outbox_.characteristicsDiscovered("A", "FFE0", {"FFE2"}, std::nullopt);
    outbox_.characteristicsDiscovered("A", "FFE0", {"FFE2"}, std::nullopt);
    auto services = outbox_.services("A");
    ASSERT_TRUE(services);
    ASSERT_EQ(services->size(), 1u);
    ASSERT_EQ(services->at(0).characteristics.size(), 1u);
    EXPECT_EQ(services->at(0).characteristics[0].uuid, "FFE2");
    EXPECT_EQ(outbox_.services("B"), std::nullopt);
    EXPECT_FALSE(outbox_.isConnected("B"));
    EXPECT_FALSE(outbox_.isNotifying("FFE0", "FFE1"));
}

TEST_F(CentralOutboxTest, NothingReachesTheListenerAfterClose) {
    gate_->close();
    outbox_.connected("A");
    queue_->waitUntilIdle();
    EXPECT_EQ(events_.count(), 0u);
    EXPECT_TRUE(outbox_.isConnected("A"));  // the picture still follows
}

TEST_F(CentralOutboxTest, CloseWaitsForAnEventUnderWay) {
    std::atomic<bool> inside{false};
    std::atomic<bool> release{false};
    std::atomic<bool> closed{false};
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
}

TEST_F(CentralOutboxTest, TheListenerMayCloseFromInsideAnEvent) {
    gate_->post([&](BleCentralEvents&) { gate_->close(); });
    outbox_.connected("A");
    queue_->waitUntilIdle();
    EXPECT_EQ(events_.count(), 0u);
}

TEST_F(CentralOutboxTest, EventsBeforeOpenAreDropped) {
    auto gate = CentralEventGate::make();
    CentralOutbox outbox(gate);
    outbox.connected("A");
    gate->open(events_, queue_);
    outbox.disconnected("A", std::nullopt);
    queue_->waitUntilIdle();
    ASSERT_EQ(events_.count(), 1u);
    EXPECT_EQ(events_.events()[0].kind, "disconnect");
}

}  // namespace
}  // namespace bluetooth::testing
