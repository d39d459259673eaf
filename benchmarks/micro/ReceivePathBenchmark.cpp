// The receive path: the bytes of one notification, cut into frames, checked, answered and
// handed to the main thread's decoder. Measured for a notification holding one frame and one
// holding ten joined frames, next to a floor that only finds the headers and copies the bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "link/CommandFrames.h"
#include "link/DrainLoop.h"
#include "link/ReadBuffer.h"
#include "link/StatusFrames.h"
#include "micro/LinkRig.h"

namespace {

using chairlink::Bytes;

// A running-state report, or alternating short and long reports when several are joined.
Bytes notificationOf(int frames) {
    Bytes bytes;
    for (int i = 0; i < frames; ++i) {
        const Bytes frame =
            i % 2 == 0 ? chairlink::makeShortStatusFrame(chairlink::kRunningStateType, 4)
                       : chairlink::makeLongStatusFrame(chairlink::kRunningStateType, 4,
                                                        static_cast<std::uint8_t>(i), 2, 3);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

// The least any receive path must do: find every header and copy the bytes out.
void BM_FloorMemchrCopy(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const Bytes bytes = notificationOf(frames);
    Bytes out(bytes.size());
    for (auto _ : state) {
        const std::uint8_t* at = bytes.data();
        const std::uint8_t* end = bytes.data() + bytes.size();
        std::size_t headers = 0;
        while ((at = static_cast<const std::uint8_t*>(std::memchr(at, 0xAA, end - at)))) {
            ++headers;
            ++at;
        }
        std::memcpy(out.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(headers);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_FloorMemchrCopy)->Arg(1)->Arg(10);

// Framing and checksums alone, on one thread.
void BM_CutFrames(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const Bytes bytes = notificationOf(frames);
    for (auto _ : state) {
        chairlink::FrameCut cut = chairlink::cutStatusFrames(bytes);
        benchmark::DoNotOptimize(cut.pieces.data());
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_CutFrames)->Arg(1)->Arg(10);

// The receive path's own work on one thread: the notification into the read buffer, the
// drain cutting and checking every frame, building each answer frame for the client, and
// gathering the accepted frames into the batch the main thread is handed. No thread hops.
struct OneThreadLink {
    chairlink::ReadBuffer buffer;
    chairlink::ChairState state;
    std::uint64_t answerBytes = 0;
    std::vector<Bytes> batch;

    std::size_t readBytesAvailable() const { return buffer.size(); }
    std::optional<Bytes> peekData(std::size_t n) const { return buffer.peek(n); }
    bool discardData(std::size_t n) { return buffer.drop(n); }
    void sendCode(std::int32_t code) {
        const chairlink::CommandFrame frame = chairlink::buildCommandFrame(code, state);
        answerBytes += frame.size();
        benchmark::DoNotOptimize(frame.data());
    }
};

void BM_ReceivePathOneThread(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const Bytes bytes = notificationOf(frames);
    OneThreadLink link;
    std::int64_t handedOn = 0;
    for (auto _ : state) {
        link.buffer.append(bytes);
        chairlink::drainBuffered(link,
                                 [&link](Bytes frame) { link.batch.push_back(std::move(frame)); });
        handedOn += static_cast<std::int64_t>(link.batch.size());
        link.batch.clear();
    }
    if (handedOn != state.iterations() * frames) {
        state.SkipWithError("not every frame was handed on");
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ReceivePathOneThread)->Arg(1)->Arg(10);

// The whole path as the app runs it: the notification's bytes into the session controller's
// buffer and its announcement, the drain on its own queue cutting, checking and acknowledging
// every frame through the BLE client to the stand-in chair, and the decoder call on the main
// thread. The CPU time of every thread counts, so the rate is frames per second of one core.
void BM_ReceivePath(benchmark::State& state) {
    constexpr int kNotificationsPerRound = 16;
    const int frames = static_cast<int>(state.range(0));
    const Bytes bytes = notificationOf(frames);
    bench::LinkRig rig;
    if (!rig.controller->isConnected()) {
        state.SkipWithError("the stand-in chair did not connect");
        return;
    }
    std::int64_t rounds = 0;
    for (auto _ : state) {
        for (int i = 0; i < kNotificationsPerRound; ++i) rig.controller->socketReceived(bytes);
        rig.dispatch.settle();
        // The chair keeps every acknowledgement it got; forget them now and then.
        if (++rounds % 256 == 0) {
            state.PauseTiming();
            rig.chair->clearWrites();
            state.ResumeTiming();
        }
    }
    const std::int64_t expected = state.iterations() * kNotificationsPerRound * frames;
    if (static_cast<std::int64_t>(rig.decoded) != expected) {
        state.SkipWithError("not every frame reached the decoder");
    }
    state.SetItemsProcessed(expected);
}
BENCHMARK(BM_ReceivePath)->Arg(1)->Arg(10)->MeasureProcessCPUTime();

}  // namespace

namespace {

// The log line every notification gets, in the session controller's hex form.
void BM_NotificationLogLine(benchmark::State& state) {
    const Bytes bytes = notificationOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string line = chairlink::EADSessionController::hexStringFromNSData(bytes);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NotificationLogLine)->Arg(1)->Arg(10);

}  // namespace
