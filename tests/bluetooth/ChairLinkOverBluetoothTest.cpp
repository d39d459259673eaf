#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "MockBluez.h"
#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "bluetooth/QtChairSources.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"
#include "link/StatusFrames.h"

// The whole chair link (session controller, BLE client) over the Qt central and Qt's own BlueZ
// client, against the mock chair on a private bus.
namespace bluetooth::testing {
namespace {

using chairlink::Bytes;

Bytes frameFor(std::int32_t code) {
    const auto frame = chairlink::buildCommandFrame(code, chairlink::ChairState{});
    return Bytes(frame.begin(), frame.end());
}

class ChairLinkOverBluetoothTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        mock_ = MockBluez::instance(&whyNot);
        if (!mock_) GTEST_SKIP() << "Bluetooth end-to-end test skipped: " << whyNot;
        mock_->reset();
        thread_ = std::make_shared<BluetoothThread>();
        clock_.setSettle([this] { dispatch_.settle(); });
        arrivals_ = base::ObserverRegistration(
            notifications_,
            notifications_.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                       [this](const base::Notification&) { ++arrivals_seen_; }));
    }

    void TearDown() override {
        dispatch_.settle();  // announcements still on their way to the main thread
        session_.reset();
        dispatch_.settle();  // the retired clients are released on the main thread
        thread_.reset();
    }

    void startSession() {
        session_ = std::make_unique<chairlink::EADSessionController>(chairlink::LinkEnvironment{
            dispatch_, clock_, notifications_, qtCentralFactory(thread_, clock_)});
    }

    std::size_t writesOf(const QString& device, const Bytes& frame) {
        auto writes = mock_->writes(device);
        return std::size_t(std::count(writes.begin(), writes.end(), frame));
    }

    MockBluez* mock_ = nullptr;
    base::PumpedMainThread main_;
    base::Dispatch dispatch_{main_};
    base::ManualClock clock_;
    base::NotificationCenter notifications_;
    base::ObserverRegistration arrivals_;
    int arrivals_seen_ = 0;
    std::shared_ptr<BluetoothThread> thread_;
    std::unique_ptr<chairlink::EADSessionController> session_;
};

TEST_F(ChairLinkOverBluetoothTest, FindsTheChairNotTheDecoysTalksAndReconnects) {
    const QString tooLoud = mock_->addChair("C0:FF:EE:00:00:0A", "Vornalex too loud", -10, true);
    const QString lowercase = mock_->addChair("C0:FF:EE:00:00:0B", "vornalex A1", -40, true);
    const QString noService = mock_->addChair("C0:FF:EE:00:00:0C", "Vornalex B", -45, false);
    // Qt lists what BlueZ knows by object path: the decoys come before the chair.
    const QString chair = mock_->addChair("C0:FF:EE:00:00:F0", "Vornalex A1", -60, true);
    startSession();

    // Link up: the controller announces it with code 49.
    ASSERT_TRUE(waitUntil([&] { return writesOf(chair, frameFor(chairlink::kLinkUpCode)) == 1; }));
    EXPECT_TRUE(session_->isConnected());
    for (const QString& decoy : {tooLoud, lowercase, noService})
        EXPECT_EQ(mock_->callCount(decoy, "Connect"), 0u) << decoy.toStdString();

    // A status frame from the chair reaches the read buffer and the main thread's notification.
    const Bytes status = chairlink::makeLongStatusFrame(0xF3, 0x61, 0x02, 0x03, 0x01);
    ASSERT_EQ(mock_->notify(chair, status), "");
    ASSERT_TRUE(waitUntil([&] { return session_->readBytesAvailable() == status.size(); }));
    dispatch_.settle();
    EXPECT_EQ(arrivals_seen_, 1);
    EXPECT_EQ(session_->readData(status.size()), status);

    // A command goes out as one write without response.
    session_->sendCode(0x61);
    ASSERT_TRUE(waitUntil([&] { return writesOf(chair, frameFor(0x61)) == 1; }));

    // The chair walks away; a new client finds it again and sends 49 anew.
    mock_->dropLink(chair);
    ASSERT_TRUE(waitUntil([&] {
        dispatch_.settle();
        return writesOf(chair, frameFor(chairlink::kLinkUpCode)) == 2;
    }));
    EXPECT_EQ(mock_->callCount(chair, "Connect"), 2u);
    EXPECT_TRUE(session_->isConnected());
    ASSERT_EQ(mock_->notify(chair, status), "");
    EXPECT_TRUE(waitUntil([&] { return session_->readBytesAvailable() == status.size(); }));
}

TEST_F(ChairLinkOverBluetoothTest, ChairThatNeverAnswersIsTriedAgainAfterTheTimeout) {
    base::LogCapture log;
    const QString silent =
        mock_->addChair("C0:FF:EE:00:00:01", "Vornalex mute", -60, true, "silent");
    startSession();
    ASSERT_TRUE(waitUntil([&] { return mock_->callCount(silent, "Connect") == 1; }));
    ASSERT_TRUE(waitUntil([&] { return clock_.pendingCount() == 1; }));

    clock_.advance(10.0);  // the connect timeout
    ASSERT_TRUE(waitUntil([&] {
        dispatch_.settle();
        return log.contains("Connection attempt failed; trying again in 1 s");
    }));
    EXPECT_TRUE(log.contains(
        "Error: Failed to connect to C0:FF:EE:00:00:01. (Connection timed out after 10 s)"));
    EXPECT_FALSE(session_->isConnected());

    clock_.advance(1.0);  // the back-off wait: a new client tries again
    EXPECT_TRUE(waitUntil([&] { return mock_->callCount(silent, "Connect") == 2; }));
}

TEST_F(ChairLinkOverBluetoothTest, AMegabyteUpdateArrivesWholeAndInOrder) {
    base::LogCapture log;
    const QString chair = mock_->addChair("C0:FF:EE:00:00:F1", "Vornalex A1", -60, true);
    mock_->setMtu(chair, 247);  // enough for a whole 102-byte piece
    startSession();
    ASSERT_TRUE(waitUntil([&] { return writesOf(chair, frameFor(chairlink::kLinkUpCode)) == 1; }));
    Bytes file(1 << 20);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = std::uint8_t(i * 131 + i / 977);
    ASSERT_EQ(session_->update(file), chairlink::UploadStart::Started);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return !session_->uploading(); }, std::chrono::seconds(240)));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // Each piece is reported taken only once BlueZ has answered it: all are there now.
    const auto writes = mock_->writes(chair);
    Bytes joined;
    for (std::size_t i = 1; i < writes.size(); ++i)  // after the link-up frame
        joined.insert(joined.end(), writes[i].begin(), writes[i].end());
    EXPECT_EQ(writes.size(), 1 + chairlink::updatePieceCount(file.size()));
    EXPECT_TRUE(joined == file);
    std::cout << "    1 MiB over the mock BlueZ in " << seconds << " s ("
              << 1024.0 / seconds << " KiB/s)" << std::endl;
}

}  // namespace
}  // namespace bluetooth::testing
