// The whole chair link (session controller, BLE client) over the Qt central and Qt's own BlueZ
// client, and chairctl as a user runs it, against the mock chair on a private bus.
#include <gtest/gtest.h>

#include <QProcess>
#include <iostream>

#include "CentralFixture.h"
#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "bluetooth/QtChairSources.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"
#include "link/StatusFrames.h"

namespace bluetooth::testing {
namespace {

using chairlink::Bytes;

class ChairLinkOverBluetoothTest : public MockFixture {
protected:
    void SetUp() override {
        MockFixture::SetUp();
        if (IsSkipped()) return;
        clock_.setSettle([this] { dispatch_.settle(); });
        arrivals_ = base::ObserverRegistration(
            notifications_,
            notifications_.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                       [this](const base::Notification&) { ++arrivalsSeen_; }));
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
    // Waits until the chair has taken the frame of `code` `n` times.
    bool wrote(const QString& device, std::int32_t code, std::size_t n) {
        const auto command = chairlink::buildCommandFrame(code, chairlink::ChairState{});
        const Bytes frame(command.begin(), command.end());
        return waitUntil([&] {
            dispatch_.settle();
            auto writes = mock_->writes(device);
            return std::size_t(std::count(writes.begin(), writes.end(), frame)) == n;
        });
    }

    base::PumpedMainThread main_;
    base::Dispatch dispatch_{main_};
    base::NotificationCenter notifications_;
    base::ObserverRegistration arrivals_;
    int arrivalsSeen_ = 0;
    std::unique_ptr<chairlink::EADSessionController> session_;
};

TEST_F(ChairLinkOverBluetoothTest, FindsTheChairNotTheDecoysTalksAndReconnects) {
    const QString decoys[] = {mock_->addChair("C0:FF:EE:00:00:0A", "Vornalex too loud", -10, true),
                              mock_->addChair("C0:FF:EE:00:00:0B", "vornalex A1", -40, true),
                              mock_->addChair("C0:FF:EE:00:00:0C", "Vornalex B", -45, false)};
    // Qt lists what BlueZ knows by object path: the decoys come before the chair.
    const QString chair = mock_->addChair("C0:FF:EE:00:00:F0", "Vornalex A1", -60, true);
    startSession();
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 1));
    EXPECT_TRUE(session_->isConnected());
    for (const QString& decoy : decoys)
        EXPECT_EQ(mock_->callCount(decoy, "Connect"), 0u) << decoy.toStdString();

    // A status frame from the chair reaches the read buffer and the main thread's notification.
    const Bytes status = chairlink::makeLongStatusFrame(0xF3, 0x61, 0x02, 0x03, 0x01);
    ASSERT_EQ(mock_->notify(chair, status), "");
    ASSERT_TRUE(waitUntil([&] { return session_->readBytesAvailable() == status.size(); }));
    dispatch_.settle();
    EXPECT_EQ(arrivalsSeen_, 1);
    EXPECT_EQ(session_->readData(status.size()), status);
    session_->sendCode(0x61);  // a command goes out as one write without response
    ASSERT_TRUE(wrote(chair, 0x61, 1));

    // The chair walks away; a new client finds it again and sends the link-up frame anew.
    mock_->dropLink(chair);
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 2));
    EXPECT_EQ(mock_->callCount(chair, "Connect"), 2u);
    EXPECT_TRUE(session_->isConnected());
    ASSERT_EQ(mock_->notify(chair, status), "");
    EXPECT_TRUE(waitUntil([&] { return session_->readBytesAvailable() == status.size(); }));
}

TEST_F(ChairLinkOverBluetoothTest, AMegabyteUpdateArrivesWholeAndInOrder) {
    base::LogCapture log;
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    mock_->setMtu(chair, 247);  // enough for a whole 102-byte piece
    startSession();
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 1));
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
    std::cout << "    1 MiB over the mock BlueZ in " << seconds << " s (" << 1024.0 / seconds
              << " KiB/s)" << std::endl;
}

#ifdef CHAIRCTL_BINARY
using ChairctlOverBluetoothTest = MockFixture;

TEST_F(ChairctlOverBluetoothTest, MonitorReachesTheChairAndPrintsItsStatus) {
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    QProcess chairctl;  // inherits the mock's bus address
    chairctl.start(CHAIRCTL_BINARY, {"monitor", "--chair", "bluetooth", "--frames", "1"});
    const auto linkUp = chairlink::buildCommandFrame(chairlink::kLinkUpCode, {});
    ASSERT_TRUE(waitUntil(
        [&] {
            auto writes = mock_->writes(chair);
            return !writes.empty() && writes.front() == Bytes(linkUp.begin(), linkUp.end());
        },
        std::chrono::seconds(10)))
        << chairctl.readAllStandardError().toStdString();
    ASSERT_EQ(mock_->notify(chair, {0xAA, 0x55, 0xF3, 0x61, 0x02, 0x03, 0x01, 0x5A, 0x0D, 0x0A}),
              "");
    ASSERT_TRUE(chairctl.waitForFinished(10000));
    EXPECT_EQ(chairctl.exitCode(), 0) << chairctl.readAllStandardError().toStdString();
    EXPECT_EQ(chairctl.readAllStandardOutput().toStdString(),
              "manual massage range=97 technique=2 (flap) speed=3 width=1\n");
}
#endif

}  // namespace
}  // namespace bluetooth::testing
