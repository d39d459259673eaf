#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <vector>

namespace bench {

class BenchApp;

// Each prints one JSON object per line on `out` and returns the process's exit code.

// The stand-in chair notifies running-state reports at each rate into the app; the time
// from each notification to the Info panel showing it, and the frames not yet shown.
int runFrameLatency(BenchApp& app, std::ostream& out, int repeats);
// Every panel opened `rounds` times from the menu and the side buttons: tap to painted, and
// the memory after each round.
int runPanelRounds(BenchApp& app, std::ostream& out, int rounds);
// From the exec (its time in BENCH_EXEC_NS) to the logo painted and the main screen built.
int runStartUp(BenchApp& app, std::ostream& out);

// The q-quantile (0 to 1) of the samples, nearest rank.
inline double quantile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::min(samples.size() - 1, rank == 0 ? 0 : rank - 1)];
}

}  // namespace bench
