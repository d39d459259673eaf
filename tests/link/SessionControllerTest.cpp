#include <gtest/gtest.h>

#include "ControllerFixture.h"

namespace {

using chairlink::EADSessionController;
using linktest::hex;
using linktest::LinkWorld;
using linktest::RecordingDelegate;

class SessionController : public linktest::ControllerFixture {};

TEST_F(SessionController, StartsWithEveryStateFieldClearExceptTheBackHeartFlag) {
    start(false);
    EXPECT_FALSE(controller->isConnected());
    EXPECT_TRUE(controller->isConnecting());
    EXPECT_FALSE(controller->powerStatus());
    EXPECT_FALSE(controller->isPaused());
    EXPECT_EQ(controller->massageMode(), 0);
    EXPECT_EQ(controller->uppperIntensity(), 0);
    EXPECT_EQ(controller->handSpeed(), 0);
    EXPECT_EQ(controller->handWidth(), 0);
    EXPECT_FALSE(controller->armPressureStatus());
    EXPECT_EQ(controller->armPressureIntensity(), 0);
    EXPECT_EQ(controller->lowerPressureStatus(), 0);
    EXPECT_EQ(controller->lowerPressureIntensity(), 0);
    EXPECT_EQ(controller->footRollerSpeed(), 0);
    EXPECT_FALSE(controller->footStretchStatus());
    EXPECT_FALSE(controller->otherFootRollerStatus());
    EXPECT_TRUE(controller->otherBackHeartStatus());
    EXPECT_EQ(controller->theTimes(), 0);
    EXPECT_EQ(controller->outBuf(), chairlink::CommandFrame{});
    EXPECT_EQ(controller->copyoutBuf(), (std::array<std::uint8_t, 2>{0, 0}));
    // initApplicationData puts back the defaults.
    controller->setHandSpeed(4);
    controller->setOtherBackHeartStatus(false);
    controller->initApplicationData();
    EXPECT_EQ(controller->handSpeed(), 0);
    EXPECT_TRUE(controller->otherBackHeartStatus());
}

TEST_F(SessionController, SendsTheLinkUpFrameWhenTheLinkComesUp) {
    start();
    EXPECT_TRUE(controller->isConnected());
    EXPECT_FALSE(controller->isConnecting());
    EXPECT_EQ(world.radio.writtenValues(),
              std::vector<chairlink::Bytes>{hex("AA55 01 31 32 0D0A")});
}

TEST_F(SessionController, AFrameBuiltWhileScanningIsNotSentButStaysForALaterSend) {
    world.radio.setHoldConnections(true);
    start();
    controller->setHandSpeed(3);
    controller->sendOutBuf(17);
    controller->sendCommand();
    EXPECT_EQ(controller->bleSocketClient()->state(), chairlink::kSocketOpening);
    EXPECT_EQ(controller->outBuf(),
              chairlink::CommandFrame({0xAA, 0x55, 0x11, 0x03, 0x14, 0x0D, 0x0A}));
    EXPECT_EQ(controller->copyoutBuf(), (std::array<std::uint8_t, 2>{0x11, 0x03}));
    world.radio.releaseConnection();
    world.settle();
    // The link-up frame went out on its own; the buffer still holds the panel's frame.
    controller->sendCommand();
    EXPECT_EQ(
        world.radio.writtenValues(),
        (std::vector<chairlink::Bytes>{hex("AA55 01 31 32 0D0A"), hex("AA55 11 03 14 0D0A")}));
    controller->resetOutBuffer();
    EXPECT_EQ(controller->outBuf(), chairlink::CommandFrame{});
}

TEST_F(SessionController, AcknowledgeAndRejectLeaveTheCopyOfTheLastCommandAlone) {
    start();
    controller->sendCode(97);
    controller->sendCode(0);
    controller->sendOutBuf(1);
    EXPECT_EQ(controller->copyoutBuf(), (std::array<std::uint8_t, 2>{0x01, 0x61}));
}

TEST_F(SessionController, ReadDataTakesExactlyTheCountOrNothing) {
    start(false);
    controller->socketReceived(hex("AA55 F1 04 1E 05 03 1B 0D0A"));
    EXPECT_EQ(controller->readBytesAvailable(), 10u);
    EXPECT_FALSE(controller->readData(11));
    EXPECT_EQ(controller->readBytesAvailable(), 10u);
    EXPECT_EQ(controller->peekData(2), hex("AA55"));
    EXPECT_EQ(controller->readData(7), hex("AA55 F1 04 1E 05 03"));
    EXPECT_EQ(controller->readBytesAvailable(), 3u);
    EXPECT_EQ(controller->readData(0), chairlink::Bytes{});
    EXPECT_EQ(controller->readData(3), hex("1B 0D0A"));
    EXPECT_FALSE(controller->readData(1));
}

TEST_F(SessionController, AnnouncesEveryChunkOnTheMainThreadAfterBuffering) {
    start(false);
    std::vector<std::size_t> seen;
    auto token = world.center.addObserver(chairlink::kDataReceivedNotification, controller.get(),
                                          [&](const base::Notification&) {
                                              EXPECT_TRUE(world.main.isCurrent());
                                              seen.push_back(controller->readBytesAvailable());
                                          });
    controller->socketReceived(hex("AA55 01"));
    controller->socketReceived(hex("B1 B2 0D0A"));
    world.settle();
    // Both announcements find both chunks: the drain may take them together.
    EXPECT_EQ(seen, (std::vector<std::size_t>{7, 7}));
    EXPECT_TRUE(world.logs.contains("received: aa 55 01 "));
    EXPECT_TRUE(world.logs.contains("received: b1 b2 0d 0a "));
    world.center.removeObserver(token);
}

TEST_F(SessionController, ListenersAreASetAndAreToldOfEveryChunkAndEveryNewClient) {
    auto listener = std::make_shared<RecordingDelegate>();
    auto removed = std::make_shared<RecordingDelegate>();
    start(false);
    controller->addDelegate(listener);
    controller->addDelegate(listener);
    controller->addDelegate(removed);
    controller->removeDelegate(removed);
    controller->removeDelegate(removed);
    controller->socketReceived(hex("0102"));
    world.settle();
    EXPECT_EQ(listener->received(), std::vector<chairlink::Bytes>{hex("0102")});
    EXPECT_TRUE(removed->received().empty());
    // Handed on to the next client, which then reports its link to it.
    world.radio.addPeripheral(LinkWorld::chair());
    controller->reConnnectSocket();
    world.settle();
    EXPECT_EQ(listener->connected, 1);
    EXPECT_EQ(removed->connected, 0);
}

TEST_F(SessionController, SendsUpdateDataInPiecesOf102Bytes) {
    start();
    world.radio.clearWrites();
    auto pieceSizes = [&](std::size_t length) {
        world.radio.clearWrites();
        chairlink::Bytes data(length);
        for (std::size_t i = 0; i < length; ++i) data[i] = static_cast<std::uint8_t>(i * 7);
        EXPECT_EQ(controller->update(data), chairlink::UploadStart::Started);
        world.settle();
        EXPECT_FALSE(controller->uploading());
        std::vector<std::size_t> sizes;
        chairlink::Bytes joined;
        for (auto& value : world.radio.writtenValues()) {
            sizes.push_back(value.size());
            joined.insert(joined.end(), value.begin(), value.end());
        }
        EXPECT_EQ(joined, data) << length;
        return sizes;
    };
    EXPECT_EQ(pieceSizes(0), std::vector<std::size_t>{});
    EXPECT_EQ(pieceSizes(1), std::vector<std::size_t>{1});
    EXPECT_EQ(pieceSizes(101), std::vector<std::size_t>{101});
    EXPECT_EQ(pieceSizes(102), std::vector<std::size_t>{102});
    EXPECT_EQ(pieceSizes(103), (std::vector<std::size_t>{102, 1}));
    EXPECT_EQ(pieceSizes(250), (std::vector<std::size_t>{102, 102, 46}));
    EXPECT_EQ(pieceSizes(205), (std::vector<std::size_t>{102, 102, 1}));
    EXPECT_EQ(pieceSizes(204), (std::vector<std::size_t>{102, 102}));
    EXPECT_TRUE(world.logs.contains("file length: 0"));
    EXPECT_TRUE(world.logs.contains("file length: 205"));
}

TEST_F(SessionController, UpdateWritesAndLogsOnlyWhileConnected) {
    world.radio.setHoldConnections(true);
    start();
    controller->update(hex("0102"));
    EXPECT_FALSE(world.logs.contains("file length: 2"));
    EXPECT_FALSE(world.logs.contains("send: 01 02 "));
    world.radio.releaseConnection();
    world.settle();
    controller->update(hex("0102"));
    EXPECT_TRUE(world.logs.contains("send: 01 02 "));
    EXPECT_EQ(world.radio.writtenValues().back(), hex("0102"));
}

TEST_F(SessionController, FormatsBytesAsLowercasePairsEachFollowedByASpace) {
    EXPECT_EQ(EADSessionController::hexStringFromNSData(hex("AA550D")), "aa 55 0d ");
    EXPECT_EQ(EADSessionController::hexStringFromNSData(hex("000F10FF")), "00 0f 10 ff ");
    EXPECT_EQ(EADSessionController::hexStringFromNSData({}), "");
}

// The shared instance is process-wide; gtest_discover_tests runs each test in its own process.
TEST(SharedController, IsBuiltOnceFromTheConfigurationGivenOnce) {
    EXPECT_THROW(EADSessionController::sharedController(), std::logic_error);
    // The app's environment lives as long as the process, and so does this one.
    static auto* world = new LinkWorld();
    EXPECT_TRUE(EADSessionController::configureShared(world->env()));
    EXPECT_FALSE(EADSessionController::configureShared(world->env()));
    auto& first = EADSessionController::sharedController();
    EXPECT_EQ(&first, &EADSessionController::sharedController());
    EXPECT_TRUE(first.isConnecting());
    world->settle();
}

// An announcement already queued for the main thread when the controller goes finds it
// gone and does nothing (it used to call into freed memory).
TEST_F(SessionController, AnAnnouncementQueuedBeforeTheControllerGoesIsDropped) {
    start();
    int announced = 0;
    base::ObserverRegistration observation(
        world.center, world.center.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                               [&](const base::Notification&) { ++announced; }));
    controller->socketReceived(chairlink::Bytes{0xAA, 0x55});
    controller.reset();
    EXPECT_GT(world.main.runPending(), 0u);
    EXPECT_EQ(announced, 0);
}

}  // namespace
