// The paced update upload: a bounded window of pieces in flight, progress on the main thread, one
// file at a time, and the end of it when the link goes.
#include "LinkWorld.h"

namespace {

using chairlink::Bytes;
using chairlink::UploadProgress;
using chairlink::UploadStart;
using linktest::hex;
using Stage = chairlink::UploadProgress::Stage;

struct RecordingUploadListener final : chairlink::UploadListener {
    std::vector<UploadProgress> reports;
    void uploadProgressed(const UploadProgress& progress) override { reports.push_back(progress); }
};

class UpdateUpload : public linktest::ControllerFixture {
protected:
    void SetUp() override {
        start();
        world.radio.clearWrites();
    }
    static Bytes file(std::size_t length) {
        Bytes data(length);
        for (std::size_t i = 0; i < length; ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
        return data;
    }
    bool logged(const std::string& start) const {
        for (const auto& line : world.logs.lines())
            if (line.rfind(start, 0) == 0) return true;
        return false;
    }
    std::size_t written() const { return world.radio.writtenValues().size(); }
    std::shared_ptr<RecordingUploadListener> listener = std::make_shared<RecordingUploadListener>();
};

TEST_F(UpdateUpload, CutsTheFileIntoPiecesOf102BytesThatJoinToItWithAReportPerPercent) {
    for (std::size_t length : {0, 1, 102, 103, 1 << 20}) {
        SCOPED_TRACE(length);
        world.radio.clearWrites();
        listener = std::make_shared<RecordingUploadListener>();
        const Bytes data = file(length);
        EXPECT_EQ(controller->update(data, listener), UploadStart::Started);
        world.settle();
        EXPECT_FALSE(controller->uploading());
        const auto writes = world.radio.writtenValues();
        ASSERT_EQ(writes.size(), length / 102 + (length % 102 != 0));
        for (std::size_t i = 0; i + 1 < writes.size(); ++i) EXPECT_EQ(writes[i].size(), 102u);
        Bytes joined;
        for (const auto& w : writes) joined.insert(joined.end(), w.begin(), w.end());
        EXPECT_EQ(joined, data);
        EXPECT_TRUE(world.logs.contains("file length: " + std::to_string(length)));
        // Whole percents only: the main thread is not asked to redraw ten thousand times.
        EXPECT_LE(listener->reports.size(), 102u);
        for (std::size_t i = 1; i < listener->reports.size(); ++i)
            EXPECT_GT(listener->reports[i].bytesSent, listener->reports[i - 1].bytesSent);
        if (length) {
            EXPECT_EQ(listener->reports.back().stage, Stage::Sent);
            EXPECT_EQ(listener->reports.back().bytesSent, length);
            EXPECT_EQ(listener->reports.back().piecesSent, writes.size());
            EXPECT_TRUE(logged("update: sent " + std::to_string(length) + " bytes in "));
        }
    }
    // The hex text in the log stops after the first kilobyte.
    const auto lines = world.logs.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.size() < 4000 && line.find("... (1048576 bytes in all)") != std::string::npos;
    }));
}

// The link goes while the last pieces are written but not yet reported taken.
TEST_F(UpdateUpload, KeepsAtMostTheWindowInFlightCountsOnlyWhatTheCentralTookAndEndsWithTheLink) {
    constexpr std::size_t window = chairlink::kUpdatePiecesInFlight;
    const std::size_t length = (window + 10) * 102 - 50;
    world.radio.withholdWriteReports = true;
    ASSERT_EQ(controller->update(file(length), listener), UploadStart::Started);
    EXPECT_EQ(controller->update(file(300), listener), UploadStart::Busy);
    EXPECT_TRUE(logged("update: a file is still being sent"));
    world.settle();
    EXPECT_EQ(written(), window);
    EXPECT_TRUE(listener->reports.empty());
    // A command frame in between is reported taken too; it does not count for the upload.
    controller->sendCode(0x31);
    world.radio.releaseWriteReports();
    world.settle();
    EXPECT_EQ(written(), window + 1 + 10);
    EXPECT_EQ(listener->reports.back().piecesSent, window);
    EXPECT_TRUE(controller->uploading());
    world.radio.holdConnections = true;
    world.radio.dropLink();
    world.settle();
    EXPECT_EQ(listener->reports.back().stage, Stage::Stopped);
    EXPECT_EQ(listener->reports.back().bytesSent, window * 102);
    EXPECT_FALSE(controller->uploading());
    EXPECT_TRUE(world.logs.contains("update: stopped, the link was lost after " +
                                    std::to_string(window * 102) + " of " + std::to_string(length) +
                                    " bytes"));

    EXPECT_EQ(controller->update(hex("0102"), listener), UploadStart::NotConnected);
    EXPECT_FALSE(world.logs.contains("file length: 2"));
    EXPECT_FALSE(world.logs.contains("send: 01 02 "));
    // The new link gets its link-up frame and nothing of the old file.
    world.radio.withholdWriteReports = false;
    world.radio.clearWrites();
    world.radio.releaseConnection();
    world.settle();
    ASSERT_TRUE(controller->isConnected());
    EXPECT_EQ(world.radio.writtenValues(),
              std::vector<Bytes>{linktest::frame(chairlink::kLinkUpCode)});
    ASSERT_EQ(controller->update(hex("0102"), listener), UploadStart::Started);
    world.settle();
    EXPECT_TRUE(world.logs.contains("send: 01 02 "));
    EXPECT_EQ(world.radio.writtenValues().back(), hex("0102"));
}

// A link told too short for a piece is not begun; one that refuses pieces ends at the first.
TEST_F(UpdateUpload, ARefusedPieceOrWritesTooShortForOneEndTheUploadAsFailed) {
    const std::pair<bool, const char*> cases[] = {
        {true, "the link carries 20 bytes per write, a piece needs 102"},
        {false, "the link refused a piece (Failed to initiate write)"}};
    world.radio.writeLimit = 20;
    for (const auto& [told, why] : cases) {
        SCOPED_TRACE(why);
        world.radio.clearWrites();
        world.radio.tellsWriteLimit = told;
        listener = std::make_shared<RecordingUploadListener>();
        ASSERT_EQ(controller->update(file(1000), listener), UploadStart::Started);
        world.settle();
        EXPECT_FALSE(controller->uploading());
        ASSERT_EQ(listener->reports.size(), 1u);
        EXPECT_EQ(listener->reports.back().stage, Stage::Failed);
        EXPECT_EQ(listener->reports.back().bytesSent, 0u);
        EXPECT_TRUE(
            world.logs.contains(std::string("update: failed after 0 of 1000 bytes: ") + why));
        // Told: nothing is written. Not told: the first refusal stops the pieces still to go.
        EXPECT_TRUE(told ? written() == 0 : written() >= 1 && written() <= 10) << written();
    }
    EXPECT_FALSE(logged("update: sent"));
    EXPECT_FALSE(logged("Error: Bluetooth write refused"));  // the upload told its own
    controller->update(file(10), listener);
    world.settle();
    EXPECT_EQ(listener->reports.back().stage, Stage::Sent);
}

}  // namespace
