#include <gtest/gtest.h>

#include "CentralFixture.h"
#include "base/Log.h"
#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtChairSources.h"

namespace bluetooth::testing {
namespace {

TEST(ChairChoiceTest, ReadsTheChairOption) {
    base::LogCapture log;
    using Args = std::vector<std::string>;
    EXPECT_EQ(chairKindFromArguments(Args{"massage-remote"}), ChairKind::Auto);
    EXPECT_EQ(chairKindFromArguments(Args{"app", "--chair", "bluetooth"}), ChairKind::Bluetooth);
    EXPECT_EQ(chairKindFromArguments(Args{"app", "--chair=simulated"}), ChairKind::Simulated);
    EXPECT_EQ(chairKindFromArguments(Args{"chairctl", "monitor", "--chair", "auto"}),
              ChairKind::Auto);
    EXPECT_TRUE(log.lines().empty());
}

TEST(ChairChoiceTest, BadOptionIsOneLogLineAndAuto) {
    base::LogCapture log;
    using Args = std::vector<std::string>;
    EXPECT_EQ(chairKindFromArguments(Args{"app", "--chair", "Bluetooth"}), ChairKind::Auto);
    EXPECT_EQ(chairKindFromArguments(Args{"app", "--chair"}), ChairKind::Auto);
    EXPECT_EQ(chairKindFromArguments(Args{"app", "--chairs=bluetooth"}), ChairKind::Auto);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Unknown --chair Bluetooth; using auto (auto|bluetooth|simulated)",
                               "--chair needs auto, bluetooth or simulated; using auto"}));
}

class ChoosingTest : public ::testing::Test {
protected:
    ChairSources sources(bool adapter) {
        ChairSources s;
        s.bluetooth = [this] {
            ++bluetoothMade;
            return chairlink::BleCentralFactory([] { return nullptr; });
        };
        s.standIn = [this] {
            ++standInMade;
            return chairlink::BleCentralFactory([] { return nullptr; });
        };
        s.adapterPresent = [this, adapter] {
            ++probes;
            return adapter;
        };
        return s;
    }

    base::LogCapture log;
    int bluetoothMade = 0;
    int standInMade = 0;
    int probes = 0;
};

TEST_F(ChoosingTest, AutoTakesBluetoothWhenThereIsAnAdapter) {
    auto choice = chooseChair(ChairKind::Auto, sources(true));
    EXPECT_EQ(choice.description, "Bluetooth");
    EXPECT_FALSE(choice.isDemo);
    EXPECT_TRUE(choice.centralFactory);
    EXPECT_EQ(bluetoothMade, 1);
    EXPECT_EQ(standInMade, 0);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Chair: Bluetooth (a local adapter is present)"});
}

TEST_F(ChoosingTest, AutoTakesTheStandInWithoutAnAdapter) {
    auto choice = chooseChair(ChairKind::Auto, sources(false));
    EXPECT_EQ(choice.description, "stand-in chair");
    EXPECT_TRUE(choice.isDemo);
    EXPECT_EQ(standInMade, 1);
    EXPECT_EQ(bluetoothMade, 0);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Chair: stand-in chair (no Bluetooth adapter found)"});
}

TEST_F(ChoosingTest, BluetoothWithoutAnAdapterSaysSoAndStaysBluetooth) {
    auto choice = chooseChair(ChairKind::Bluetooth, sources(false));
    EXPECT_EQ(choice.description, "Bluetooth");
    EXPECT_FALSE(choice.isDemo);
    EXPECT_EQ(standInMade, 0);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("no Bluetooth adapter was found"), std::string::npos);
}

TEST_F(ChoosingTest, SimulatedNeverAsksForTheAdapter) {
    auto choice = chooseChair(ChairKind::Simulated, sources(true));
    EXPECT_TRUE(choice.isDemo);
    EXPECT_EQ(probes, 0);
    EXPECT_EQ(bluetoothMade, 0);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Chair: stand-in chair"});
}

TEST_F(ChoosingTest, WithoutAStandInEverythingIsBluetooth) {
    auto s = sources(false);
    s.standIn = nullptr;
    EXPECT_EQ(chooseChair(ChairKind::Auto, s).description, "Bluetooth");
    EXPECT_EQ(chooseChair(ChairKind::Simulated, s).description, "Bluetooth");
    EXPECT_EQ(bluetoothMade, 2);
}

// The probe asks BlueZ (here the mock) from the Bluetooth thread.
using AdapterProbeTest = CentralFixture;

TEST_F(AdapterProbeTest, SeesWhetherBlueZHasAnAdapter) {
    EXPECT_TRUE(hasLocalAdapter(*thread_));
    mock_->removeAdapter();
    EXPECT_FALSE(hasLocalAdapter(*thread_));
    mock_->addAdapter();
    EXPECT_TRUE(hasLocalAdapter(*thread_));
}

TEST_F(AdapterProbeTest, ABusyBluetoothThreadCountsAsNoAdapter) {
    base::LogCapture log;
    auto release = std::make_shared<std::atomic<bool>>(false);
    thread_->post([release] {
        while (!*release) std::this_thread::yield();
    });
    EXPECT_FALSE(hasLocalAdapter(*thread_, std::chrono::milliseconds(50)));
    *release = true;
    EXPECT_TRUE(log.contains("BlueZ did not answer within 50 ms; taking it as no adapter"));
}

}  // namespace
}  // namespace bluetooth::testing
