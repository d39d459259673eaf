// The update upload through the whole link and Qt's BlueZ client, against the mock BlueZ's
// timed radio: for each connection interval and packets per event, what the radio carried
// against what it could carry. The radio runs on model time, so the figures do not depend on
// how fast this machine is. One JSON line per row.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <thread>

#include "MockBluez.h"
#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "bluetooth/QtChairSources.h"
#include "link/LinkStack.h"
#include "support/PrivateRuntime.h"

namespace {

using bluetooth::testing::MockBluez;

constexpr std::size_t kFileBytes = 100 * 1024;
constexpr double kIntervalsMs[] = {7.5, 15, 30, 50};
constexpr unsigned kPacketsPerEvent[] = {1, 4, 8};

struct StageWatch final : chairlink::UploadListener {
    chairlink::UploadProgress::Stage stage = chairlink::UploadProgress::Stage::Sending;
    void uploadProgressed(const chairlink::UploadProgress& progress) override {
        stage = progress.stage;
    }
};

int failed(const char* why) {
    std::printf("{\"error\": \"%s\"}\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    testsupport::PrivateRuntime runtime;
    QCoreApplication app(argc, argv);
    std::string whyNot;
    MockBluez* mock = MockBluez::instance(&whyNot);
    if (!mock) return failed(("no mock BlueZ: " + whyNot).c_str());
    mock->reset();
    const QString chair = mock->addChair("C0:FF:EE:00:00:01", "Vornalex A1", -60, true);
    mock->setMtu(chair, 247);

    base::PumpedMainThread main;
    base::Dispatch dispatch{main};
    base::ManualClock clock;
    clock.setSettle([&] { dispatch.settle(); });
    base::NotificationCenter notifications;
    auto thread = std::make_shared<bluetooth::BluetoothThread>();
    auto link = std::make_unique<chairlink::LinkStack>(
        chairlink::LinkEnvironment{dispatch, clock, notifications,
                                   bluetooth::qtCentralFactory(thread, clock)},
        [](const chairlink::Bytes&) {});
    const auto until = [&](const std::function<bool()>& done, std::chrono::seconds limit) {
        return bluetooth::testing::waitUntil(
            [&] {
                dispatch.settle();
                return done();
            },
            limit);
    };
    int code = 0;
    if (!until([&] { return link->controller().isConnected(); }, std::chrono::seconds(10)))
        code = failed("the link to the mock chair did not come up");
    chairlink::Bytes file(kFileBytes);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = std::uint8_t(i * 29 + 1);
    for (double intervalMs : kIntervalsMs) {
        for (unsigned perEvent : kPacketsPerEvent) {
            if (code != 0) break;
            mock->setRadio(chair, intervalMs, perEvent, 247);
            auto watch = std::make_shared<StageWatch>();
            if (link->controller().update(file, watch) != chairlink::UploadStart::Started ||
                !until([&] { return !link->controller().uploading(); },
                       std::chrono::seconds(120)) ||
                !until([&] { return watch->stage != chairlink::UploadProgress::Stage::Sending; },
                       std::chrono::seconds(5)) ||
                watch->stage != chairlink::UploadProgress::Stage::Sent) {
                code = failed("the upload did not go through");
                break;
            }
            const auto radio = mock->radioReport(chair);
            std::printf(
                "{\"ci_ms\": %g, \"k\": %u, \"bytes\": %llu, \"seconds\": %.6f, "
                "\"capacity\": %.1f, \"most_queued\": %llu, \"in_flight_limit\": %zu}\n",
                intervalMs, perEvent, static_cast<unsigned long long>(radio.bytes), radio.seconds,
                perEvent * chairlink::kUpdatePieceSize / (intervalMs / 1000),
                static_cast<unsigned long long>(radio.mostQueued),
                chairlink::kUpdatePiecesInFlight * chairlink::kUpdatePieceSize);
            std::fflush(stdout);
        }
    }
    mock->setRadio(chair, 0, 1, 247);
    link.reset();
    dispatch.settle();
    thread.reset();
    MockBluez::shutDown();
    return code;
}
