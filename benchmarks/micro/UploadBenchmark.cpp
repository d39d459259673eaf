// An update file through the session controller to the stand-in chair: the CPU it costs per
// MiB (every thread counted) and the time it takes on the manual clock, confirmation included.
#include <benchmark/benchmark.h>

#include "micro/LinkRig.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

void BM_UploadOneMiB(benchmark::State& state) {
    bench::LinkRig rig(false);
    if (!rig.controller->isConnected()) {
        state.SkipWithError("the stand-in chair did not connect");
        return;
    }
    chairlink::Bytes file(kMiB);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 31);
    double clockSeconds = 0;
    for (auto _ : state) {
        const std::size_t confirmedBefore = rig.chair->updatesCompleted();
        const double startedAt = rig.clock.now();
        if (rig.controller->update(file) != chairlink::UploadStart::Started) {
            state.SkipWithError("the update did not start");
            return;
        }
        // The pieces go out as fast as the central takes them; the chair confirms once no
        // piece has come for its gap.
        while (rig.controller->uploading()) rig.clock.runDue();
        for (int i = 0; i < 1000 && rig.chair->updatesCompleted() == confirmedBefore; ++i) {
            rig.clock.advance(0.01);
        }
        if (rig.chair->updatesCompleted() == confirmedBefore) {
            state.SkipWithError("the chair did not confirm the update");
            return;
        }
        clockSeconds += rig.clock.now() - startedAt;
        state.PauseTiming();
        rig.chair->clearWrites();
        state.ResumeTiming();
    }
    state.counters["clock_s_per_MiB"] =
        benchmark::Counter(clockSeconds / static_cast<double>(state.iterations()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kMiB));
}
BENCHMARK(BM_UploadOneMiB)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
