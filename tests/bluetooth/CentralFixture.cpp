#include "CentralFixture.h"

namespace bluetooth::testing {

namespace {

::testing::AssertionResult expectEvent(const std::optional<CentralEvent>& event,
                                       const std::string& what) {
    if (!event) return ::testing::AssertionFailure() << "no " << what << " in time";
    if (event->error) return ::testing::AssertionFailure() << what << " failed: " << *event->error;
    if (!event->onQueue) return ::testing::AssertionFailure() << what << " arrived off the queue";
    return ::testing::AssertionSuccess();
}

}  // namespace

void CentralFixture::SetUp() {
    std::string whyNot;
    mock_ = MockBluez::instance(&whyNot);
    if (!mock_) GTEST_SKIP() << "Bluetooth end-to-end test skipped: " << whyNot;
    mock_->reset();
    thread_ = std::make_shared<BluetoothThread>();
}

void CentralFixture::TearDown() {
    central_.reset();
    thread_.reset();  // waits until the Qt objects are gone
}

QtBleCentral& CentralFixture::startCentral() {
    central_.reset();
    queue_ = std::make_shared<base::SerialQueue>("test.central");
    events_ = std::make_unique<RecordingEvents>(queue_);
    central_ = std::make_unique<QtBleCentral>(thread_, clock_);
    central_->start(*events_, queue_);
    return *central_;
}

::testing::AssertionResult CentralFixture::hear(const std::string& peripheral) {
    central_->scan("FFE0", true);
    return expectEvent(events_->waitFor([&](const CentralEvent& e) {
        return e.kind == "discover" && e.peripheral == peripheral;
    }),
                       "advertisement");
}

::testing::AssertionResult CentralFixture::linkUp(const std::string& peripheral) {
    auto& central = startCentral();
    auto step = [&](const std::string& kind, const std::string& what) {
        return expectEvent(events_->waitFor([&](const CentralEvent& e) {
            return e.kind == kind && (e.kind == "fail" || e.peripheral == peripheral);
        }),
                           what);
    };
    if (auto heard = hear(peripheral); !heard) return heard;
    central.stopScan();
    central.connect(peripheral);
    if (auto connected = step("connect", "connection"); !connected) return connected;
    central.discoverServices(peripheral, {"FFE0"});
    if (auto services = step("services", "service discovery"); !services) return services;
    central.discoverCharacteristics(peripheral, "FFE0", {"FFE1"});
    central.discoverCharacteristics(peripheral, "FFE0", {"FFE2"});
    auto isCharacteristics = [](const CentralEvent& e) { return e.kind == "characteristics"; };
    if (!events_->waitForCount(isCharacteristics, 2))
        return ::testing::AssertionFailure() << "not one answer per characteristic request";
    for (const auto& answer : events_->matching(isCharacteristics)) {
        if (auto found = expectEvent(answer, "characteristic discovery"); !found) return found;
    }
    central.setNotify(peripheral, "FFE0", "FFE1", true);
    return step("notify", "subscription");
}

}  // namespace bluetooth::testing
