// The whole chair link (the link stack: session controller, BLE client, receiver) over the Qt
// central and Qt's own BlueZ client, against the mock chair on a private bus.
#include <gtest/gtest.h>

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

    // Pieces and their pacing are the link's tests (with a megabyte there); over BlueZ, a few
    // pieces with a short last one arrive whole and in order, each once BlueZ has taken the
    // one before.
    Bytes file(4 * chairlink::kUpdatePieceSize + 37);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = std::uint8_t(i * 131 + i / 97);
    ASSERT_EQ(session_->update(file), chairlink::UploadStart::Started);
    ASSERT_TRUE(waitUntil([&] { return !session_->uploading(); }));
    const auto writes = mock_->writes(chair);
    ASSERT_EQ(writes.size(), 3 + chairlink::updatePieceCount(file.size()));
    Bytes joined;
    for (std::size_t i = 3; i < writes.size(); ++i)  // after link-up, acknowledge and command
        joined.insert(joined.end(), writes[i].begin(), writes[i].end());
    EXPECT_TRUE(joined == file);

    // The chair walks away; a new client finds it again and sends the link-up frame anew.
    mock_->dropLink(chair);
    ASSERT_TRUE(wrote(chair, chairlink::kLinkUpCode, 2));
    EXPECT_EQ(mock_->callCount(chair, "Connect"), 2u);
    EXPECT_TRUE(session_->isConnected());
    decoded_.clear();
    ASSERT_EQ(mock_->notify(chair, status), "");
    EXPECT_TRUE(decodedOnce(status));
}

}  // namespace
}  // namespace bluetooth::testing
