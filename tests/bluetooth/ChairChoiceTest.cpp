#include <gtest/gtest.h>

#include <atomic>

#include "CentralFixture.h"
#include "base/Log.h"
#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtChairSources.h"

namespace bluetooth::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(ChairChoiceTest, AutoTakesBluetoothOnlyWithAnAdapterAndSimulatedNeverAsks) {
    struct Case {
        ChairKind kind;
        bool adapter, withStandIn;
        const char* description;
        bool isDemo;
        int bluetoothMade, standInMade;
        const char* log;
    } const cases[] = {
        {ChairKind::Auto, true, true, "Bluetooth", false, 1, 0,
         "Chair: Bluetooth (a local adapter is present)"},
        {ChairKind::Auto, false, true, "stand-in chair", true, 0, 1,
         "Chair: stand-in chair (no Bluetooth adapter found)"},
        {ChairKind::Bluetooth, false, true, "Bluetooth", false, 1, 0,
         "no Bluetooth adapter was found"},
        {ChairKind::Simulated, true, true, "stand-in chair", true, 0, 1, "Chair: stand-in chair"},
        // Without a stand-in everything is Bluetooth.
        {ChairKind::Auto, false, false, "Bluetooth", false, 1, 0, ""},
        {ChairKind::Simulated, false, false, "Bluetooth", false, 1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description + std::string(c.withStandIn ? "" : " without a stand-in"));
        base::LogCapture log;
        int bluetoothMade = 0, standInMade = 0, probes = 0;
        auto counted = [](int& made) {
            return [&made] { return ++made, chairlink::BleCentralFactory([] { return nullptr; }); };
        };
        ChairSources sources{.bluetooth = counted(bluetoothMade),
                             .standIn = counted(standInMade),
                             .adapterPresent = [&] { return ++probes, c.adapter; }};
        if (!c.withStandIn) sources.standIn = nullptr;
        auto choice = chooseChair(c.kind, sources);
        EXPECT_EQ(choice.description, c.description);
        EXPECT_EQ(choice.isDemo, c.isDemo);
        EXPECT_TRUE(choice.centralFactory);
        EXPECT_EQ(bluetoothMade, c.bluetoothMade);
        EXPECT_EQ(standInMade, c.standInMade);
        EXPECT_TRUE(c.kind != ChairKind::Simulated || probes == 0) << "a simulated chair asks";
        if (c.kind == ChairKind::Bluetooth) {
            ASSERT_EQ(log.lines().size(), 1u);
            EXPECT_NE(log.lines()[0].find(c.log), std::string::npos) << log.lines()[0];
        } else if (*c.log) {
            EXPECT_EQ(log.lines(), Lines{c.log});
        }
    }
}

// The probe asks BlueZ (here the mock) from the Bluetooth thread.
using AdapterProbeTest = MockFixture;

TEST_F(AdapterProbeTest, SeesWhetherBlueZHasAnAdapterAndABusyThreadCountsAsNone) {
    EXPECT_TRUE(hasLocalAdapter(*thread_));
    mock_->removeAdapter();
    EXPECT_FALSE(hasLocalAdapter(*thread_));
    mock_->addAdapter();
    EXPECT_TRUE(hasLocalAdapter(*thread_));

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
