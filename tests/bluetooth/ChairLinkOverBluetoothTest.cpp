// The whole chair link (the link stack: session controller, BLE client, receiver) over the Qt
// central and Qt's own BlueZ client, against the mock chair on a private bus.
#include <gtest/gtest.h>

#include <QProcess>

#include "CentralFixture.h"
#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "bluetooth/QtChairSources.h"
#include "link/CommandFrames.h"
#include "link/LinkStack.h"
#include "link/StatusFrames.h"

namespace bluetooth::testing {
namespace {

using chairlink::Bytes;

// The stage an upload last reported; main thread.
struct StageWatch final : chairlink::UploadListener {
    std::optional<chairlink::UploadProgress::Stage> last;
    void uploadProgressed(const chairlink::UploadProgress& progress) override {
        last = progress.stage;
    }
};

class ChairLinkOverBluetoothTest : public MockFixture {
protected:
    void SetUp() override {
        MockFixture::SetUp();
        if (IsSkipped()) return;
        clock_.setSettle([this] { dispatch_.settle(); });
    }
    void TearDown() override {
        dispatch_.settle();  // announcements still on their way to the main thread
        link_.reset();
        dispatch_.settle();  // the retired clients are released on the main thread
        thread_.reset();
    }

    void startSession() {
        link_ = std::make_unique<chairlink::LinkStack>(
            chairlink::LinkEnvironment{dispatch_, clock_, notifications_,
                                       qtCentralFactory(thread_, clock_)},
            [this](const Bytes& frame) { decoded_.push_back(frame); });
        session_ = &link_->controller();
    }
    bool decodedOnce(const Bytes& frame) {
        return waitUntil([&] {
            dispatch_.settle();
            return std::count(decoded_.begin(), decoded_.end(), frame) == 1;
        });
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
    std::unique_ptr<chairlink::LinkStack> link_;
    chairlink::EADSessionController* session_ = nullptr;
    std::vector<Bytes> decoded_;  // main thread
};

// Which advertiser is the chair is the client's test, and which advertisers a scan reports
// the Qt central's; here, the whole link over BlueZ.
TEST_F(ChairLinkOverBluetoothTest, LinksToTheChairTalksUpdatesAndReconnects) {
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    startSession();
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 1));
    EXPECT_TRUE(session_->isConnected());

    // A status frame from the chair is decoded on the main thread and acknowledged.
    const Bytes status = chairlink::makeLongStatusFrame(0xF3, 0x61, 0x02, 0x03, 0x01);
    ASSERT_EQ(mock_->notify(chair, status), "");
    ASSERT_TRUE(decodedOnce(status));
    ASSERT_TRUE(wrote(chair, chairlink::kAcknowledgeCode, 1));
    session_->sendCode(0x61);  // a command goes out as one write without response
    ASSERT_TRUE(wrote(chair, 0x61, 1));

    // Pieces and their window are the link's tests (with a megabyte there); over BlueZ, the
    // pieces with a short last one arrive whole and in order, on an instant radio and on a
    // timed one, where they keep it busy; at the default MTU, which Qt cannot tell, BlueZ
    // refuses the first piece and the upload fails.
    struct Case {
        double intervalMs;
        unsigned mtu;
        std::size_t pieces;
        chairlink::UploadProgress::Stage stage;
    };
    using Stage = chairlink::UploadProgress::Stage;
    const Case cases[] = {
        {0, 247, 4, Stage::Sent}, {30, 247, 300, Stage::Sent}, {30, 23, 4, Stage::Failed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mtu);
        mock_->setRadio(chair, c.intervalMs, 4, c.mtu);
        const std::size_t before = mock_->writes(chair).size();
        Bytes file(c.pieces * chairlink::kUpdatePieceSize - 65);
        for (std::size_t i = 0; i < file.size(); ++i) file[i] = std::uint8_t(i * 131 + i / 97);
        auto watch = std::make_shared<StageWatch>();
        ASSERT_EQ(session_->update(file, watch), chairlink::UploadStart::Started);
        ASSERT_TRUE(waitUntil([&] {
            dispatch_.settle();
            return watch->last && *watch->last != Stage::Sending;
        }));
        EXPECT_EQ(*watch->last, c.stage);
        const auto writes = mock_->writes(chair);
        Bytes joined;
        for (std::size_t i = before; i < writes.size(); ++i)
            joined.insert(joined.end(), writes[i].begin(), writes[i].end());
        EXPECT_TRUE(c.stage == Stage::Sent ? joined == file : joined.empty());
        if (c.intervalMs == 0 || c.stage != Stage::Sent) continue;
        // 47 pieces and their fence fill 12 events of 4 packets, then one for the answer.
        const auto radio = mock_->radioReport(chair);
        EXPECT_EQ(radio.bytes, file.size());
        EXPECT_GE(radio.bytes / radio.seconds, 0.85 * 4 * 102 / 0.030);
        EXPECT_LE(radio.mostQueued, chairlink::kUpdatePiecesInFlight * chairlink::kUpdatePieceSize);
    }

    // The chair walks away; a new client finds it again and sends the link-up frame anew.
    mock_->dropLink(chair);
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 2));
    EXPECT_EQ(mock_->callCount(chair, "Connect"), 2u);
    EXPECT_TRUE(session_->isConnected());
    decoded_.clear();
    ASSERT_EQ(mock_->notify(chair, status), "");
    EXPECT_TRUE(decodedOnce(status));
}

// chairctl over BlueZ as a technician runs it: a code out once the link is up, a status frame
// back in words. Its update is the tools' test against the stand-in chair, and an update over
// BlueZ the case above.
TEST_F(ChairLinkOverBluetoothTest, ChairctlMonitorsTheChairOverBlueZ) {
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    QProcess tool;
    tool.start(CHAIRCTL_PATH, {"monitor", "--chair", "bluetooth", "--frames", "1", "0x61"});
    ASSERT_TRUE(wrote(chair, 0x61, 1));
    const Bytes status = chairlink::makeLongStatusFrame(0xF3, 0x61, 0x02, 0x03, 0x01);
    ASSERT_EQ(mock_->notify(chair, status), "");
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(tool.readAllStandardOutput().toStdString(),
              "manual massage range=97 technique=2 (flap) speed=3 width=1\n");
}

}  // namespace
}  // namespace bluetooth::testing
