// The paced update upload: one piece at a time, progress on the main thread, one file at a
// time, and the end of it when the link goes.
#include <gtest/gtest.h>

#include "ControllerFixture.h"

namespace {

using chairlink::Bytes;
using chairlink::UploadProgress;
using chairlink::UploadStart;
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

TEST_F(UpdateUpload, WritesEachPieceOnlyAfterTheCentralHasTakenTheOneBefore) {
    world.radio.setWithholdWriteReports(true);
    ASSERT_EQ(controller->update(file(250), listener), UploadStart::Started);
    world.settle();
    EXPECT_EQ(written(), 1u);
    EXPECT_TRUE(listener->reports.empty());
    // A command frame in between is reported taken too; it does not count for the upload.
    controller->sendCode(0x31);
    world.radio.releaseWriteReports();
    world.settle();
    EXPECT_EQ(written(), 3u);  // piece, frame, piece
    world.radio.releaseWriteReports();
    world.settle();
    EXPECT_EQ(written(), 4u);
    EXPECT_TRUE(controller->uploading());
    world.radio.releaseWriteReports();
    world.settle();
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
}

TEST_F(UpdateUpload, AMegabyteArrivesWholeAndInOrderWithAReportPerPercent) {
    const Bytes data = file(1 << 20);
    ASSERT_EQ(controller->update(data, listener), UploadStart::Started);
    world.settle();
    Bytes joined;
    for (const auto& piece : world.radio.writtenValues()) {
        EXPECT_LE(piece.size(), chairlink::kUpdatePieceSize);
        joined.insert(joined.end(), piece.begin(), piece.end());
    }
    EXPECT_EQ(joined, data);
    EXPECT_EQ(written(), chairlink::updatePieceCount(data.size()));
    // Whole percents only: the main thread is not asked to redraw ten thousand times.
    EXPECT_LE(listener->reports.size(), 102u);
    for (std::size_t i = 1; i < listener->reports.size(); ++i) {
        EXPECT_GT(listener->reports[i].bytesSent, listener->reports[i - 1].bytesSent);
    }
    EXPECT_EQ(listener->reports.back().stage, Stage::Sent);
    // The hex text in the log stops after the first kilobyte.
    const auto lines = world.logs.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.size() < 4000 && line.find("... (1048576 bytes in all)") != std::string::npos;
    }));
}

TEST_F(UpdateUpload, ASecondFileWhileOneIsGoingOutIsNotStarted) {
    world.radio.setWithholdWriteReports(true);
    ASSERT_EQ(controller->update(file(300), listener), UploadStart::Started);
    EXPECT_EQ(controller->update(file(300), listener), UploadStart::Busy);
    EXPECT_TRUE(logged("update: a file is still being sent"));
    world.radio.setWithholdWriteReports(false);
    world.radio.releaseWriteReports();
    world.settle();
    EXPECT_EQ(written(), 3u);  // one copy of the file, not two interleaved
    EXPECT_EQ(controller->update(file(10), listener), UploadStart::Started);
}

TEST_F(UpdateUpload, ALostLinkEndsTheUploadAndNothingGoesToTheNextLink) {
    world.radio.setWithholdWriteReports(true);
    ASSERT_EQ(controller->update(file(1000), listener), UploadStart::Started);
    world.radio.releaseWriteReports();
    world.settle();
    world.radio.dropLink();
    world.settle();
    ASSERT_FALSE(listener->reports.empty());
    EXPECT_EQ(listener->reports.back().stage, Stage::Stopped);
    EXPECT_EQ(listener->reports.back().bytesSent, 102u);
    EXPECT_FALSE(controller->uploading());
    EXPECT_TRUE(world.logs.contains("update: stopped, the link was lost after 102 of 1000 bytes"));
    // The new link gets its link-up frame and nothing of the old file.
    world.radio.setWithholdWriteReports(false);
    world.radio.clearWrites();
    world.settle();
    EXPECT_TRUE(controller->isConnected());
    for (const auto& value : world.radio.writtenValues()) EXPECT_EQ(value.size(), 7u);
}

TEST_F(UpdateUpload, WithoutALinkNothingIsSentOrLogged) {
    world.radio.setHoldConnections(true);
    world.radio.dropLink();
    world.settle();
    EXPECT_EQ(controller->update(file(10), listener), UploadStart::NotConnected);
    EXPECT_FALSE(world.logs.contains("file length: 10"));
}

}  // namespace
