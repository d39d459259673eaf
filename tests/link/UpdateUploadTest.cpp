// The paced update upload: one piece at a time, progress on the main thread, one file at a
// time, and the end of it when the link goes.
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
    Bytes joinedWrites() const {
        Bytes joined;
        for (const auto& w : world.radio.writtenValues())
            joined.insert(joined.end(), w.begin(), w.end());
        return joined;
    }
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
        EXPECT_EQ(joinedWrites(), data);
        EXPECT_TRUE(world.logs.contains("file length: " + std::to_string(length)));
        // Whole percents only: the main thread is not asked to redraw ten thousand times.
        EXPECT_LE(listener->reports.size(), 102u);
        for (std::size_t i = 1; i < listener->reports.size(); ++i)
            EXPECT_GT(listener->reports[i].bytesSent, listener->reports[i - 1].bytesSent);
        if (length) {
            EXPECT_EQ(listener->reports.back().stage, Stage::Sent);
        }
    }
    // The hex text in the log stops after the first kilobyte.
    const auto lines = world.logs.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.size() < 4000 && line.find("... (1048576 bytes in all)") != std::string::npos;
    }));
}

TEST_F(UpdateUpload, WritesEachPieceOnlyAfterTheCentralHasTakenTheOneBefore) {
    world.radio.withholdWriteReports = true;
    ASSERT_EQ(controller->update(file(250), listener), UploadStart::Started);
    EXPECT_EQ(controller->update(file(300), listener), UploadStart::Busy);
    EXPECT_TRUE(logged("update: a file is still being sent"));
    world.settle();
    EXPECT_EQ(written(), 1u);
    EXPECT_TRUE(listener->reports.empty());
    // A command frame in between is reported taken too; it does not count for the upload.
    controller->sendCode(0x31);
    auto release = [&] {
        world.radio.releaseWriteReports();
        world.settle();
        return written();
    };
    EXPECT_EQ(release(), 3u);  // piece, frame, piece
    EXPECT_EQ(release(), 4u);
    EXPECT_TRUE(controller->uploading());
    release();
    EXPECT_FALSE(controller->uploading());
    ASSERT_FALSE(listener->reports.empty());
    const UploadProgress& last = listener->reports.back();
    EXPECT_EQ(last.stage, Stage::Sent);
    EXPECT_EQ(last.bytesSent, 250u);
    EXPECT_EQ(last.piecesSent, 3u);
    EXPECT_EQ(last.percent(), 100);
    EXPECT_EQ(listener->reports.front().bytesSent, 102u);
    EXPECT_TRUE(world.logs.contains("update: sending 250 bytes in 3 pieces"));
    EXPECT_TRUE(logged("update: sent 250 bytes in 3 pieces"));
    EXPECT_EQ(controller->update(file(10), listener), UploadStart::Started);
}

TEST_F(UpdateUpload, ALostLinkEndsTheUploadAndWithoutALinkNothingIsSentOrLogged) {
    world.radio.withholdWriteReports = true;
    ASSERT_EQ(controller->update(file(1000), listener), UploadStart::Started);
    world.radio.releaseWriteReports();
    world.settle();
    world.radio.holdConnections = true;
    world.radio.dropLink();
    world.settle();
    ASSERT_FALSE(listener->reports.empty());
    EXPECT_EQ(listener->reports.back().stage, Stage::Stopped);
    EXPECT_EQ(listener->reports.back().bytesSent, 102u);
    EXPECT_FALSE(controller->uploading());
    EXPECT_TRUE(world.logs.contains("update: stopped, the link was lost after 102 of 1000 bytes"));

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

}  // namespace
