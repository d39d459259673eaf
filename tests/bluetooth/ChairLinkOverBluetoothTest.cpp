// The whole chair link (the link stack: session controller, BLE client, receiver) over the Qt
// central and Qt's own BlueZ client, against the mock chair on a private bus.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <fstream>

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
    mock_->setMtu(chair, 247);  // enough for a whole 102-byte piece
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
    mock_->setRadio(chair, 0, 1, 247);

    // The chair walks away; a new client finds it again and sends the link-up frame anew.
    mock_->dropLink(chair);
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 2));
    EXPECT_EQ(mock_->callCount(chair, "Connect"), 2u);
    EXPECT_TRUE(session_->isConnected());
    decoded_.clear();
    ASSERT_EQ(mock_->notify(chair, status), "");
    EXPECT_TRUE(decodedOnce(status));
}

// chairctl update as a technician runs it over BlueZ, on an instant and on a timed radio: the
// link check, the file whole and in order, the confirmation, and progress a line per 10 %.
TEST_F(ChairLinkOverBluetoothTest, ChairctlUpdatesTheChairOverBlueZ) {
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    const std::string path =
        ::testing::TempDir() + "/update-" + std::to_string(::getpid()) + ".bin";
    Bytes file(30 * chairlink::kUpdatePieceSize + 11);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = std::uint8_t(i * 7 + 3);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    const auto poll = chairlink::buildCommandFrame(chairlink::kLinkCheckCode, {});
    const Bytes check(poll.begin(), poll.end());
    for (double intervalMs : {0.0, 15.0}) {
        SCOPED_TRACE(intervalMs);
        mock_->setRadio(chair, intervalMs, 4, 247);
        const std::size_t before = mock_->writes(chair).size();
        QProcess tool;
        tool.start(CHAIRCTL_PATH, {"update", "--chair", "bluetooth", QString::fromStdString(path)});
        bool answered = false;
        bool confirmed = false;
        // The mock chair answers as the chair would: the poll, then the whole file.
        EXPECT_TRUE(waitUntil(
            [&] {
                const auto writes = mock_->writes(chair);
                Bytes pieces;
                for (std::size_t i = before; i < writes.size(); ++i) {
                    answered =
                        answered ||
                        (writes[i] == check &&
                         mock_->notify(chair, chairlink::makeShortStatusFrame(0x01, 0xB1)) == "");
                    if (writes[i].size() != chairlink::kShortFrameLength)
                        pieces.insert(pieces.end(), writes[i].begin(), writes[i].end());
                }
                if (!confirmed && pieces == file)
                    confirmed = mock_->notify(chair, chairlink::makeShortStatusFrame(
                                                         chairlink::kUpdateResultType,
                                                         chairlink::kUpdateSucceeded)) == "";
                return tool.waitForFinished(0);
            },
            std::chrono::seconds(20)));
        EXPECT_TRUE(answered && confirmed);
        const std::string out = tool.readAllStandardOutput().toStdString();
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        EXPECT_NE(out.find("update: 100 % 3071 / 3071 B"), std::string::npos) << out;
        EXPECT_NE(out.find("update: the chair confirmed the update\n"), std::string::npos);
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 12) << out;
    }
    mock_->setRadio(chair, 0, 1, 247);
}

}  // namespace
}  // namespace bluetooth::testing
