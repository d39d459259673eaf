// chairctl as a user runs it, `monitor --chair bluetooth`, against the mock chair.
#include <gtest/gtest.h>

#include <QProcess>

#include "MockBluez.h"
#include "link/CommandFrames.h"

namespace bluetooth::testing {
namespace {

#ifdef CHAIRCTL_BINARY
TEST(ChairctlOverBluetoothTest, MonitorReachesTheChairAndPrintsItsStatus) {
    std::string whyNot;
    MockBluez* mock = MockBluez::instance(&whyNot);
    if (!mock) GTEST_SKIP() << "Bluetooth end-to-end test skipped: " << whyNot;
    mock->reset();
    const QString chair = mock->addChair("C0:FF:EE:00:00:01", "Vornalex A1", -60, true);

    QProcess chairctl;  // inherits the mock's bus address
    chairctl.start(CHAIRCTL_BINARY, {"monitor", "--chair", "bluetooth", "--frames", "1"});
    ASSERT_TRUE(chairctl.waitForStarted(5000));
    const auto linkUp = chairlink::buildCommandFrame(chairlink::kLinkUpCode, {});
    ASSERT_TRUE(waitUntil(
        [&] {
            auto writes = mock->writes(chair);
            return !writes.empty() &&
                   writes.front() == chairlink::Bytes(linkUp.begin(), linkUp.end());
        },
        std::chrono::seconds(10)))
        << chairctl.readAllStandardError().toStdString();
    ASSERT_EQ(mock->notify(chair, {0xAA, 0x55, 0xF3, 0x61, 0x02, 0x03, 0x01, 0x5A, 0x0D, 0x0A}),
              "");
    ASSERT_TRUE(chairctl.waitForFinished(10000));
    EXPECT_EQ(chairctl.exitCode(), 0) << chairctl.readAllStandardError().toStdString();
    EXPECT_EQ(chairctl.readAllStandardOutput().toStdString(),
              "manual massage range=97 technique=2 (flap) speed=3 width=1\n");
}
#endif

}  // namespace
}  // namespace bluetooth::testing
