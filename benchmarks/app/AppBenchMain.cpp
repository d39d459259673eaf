// Whole-app figures, one kind per run: app-benchmarks latency [REPEATS] | panels [ROUNDS] |
// startup. Results are JSON lines on standard output; benchmarks/run-bench reads them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "app/BenchApp.h"
#include "app/Figures.h"

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    // No display is needed: the window is drawn offscreen as a phone's would be.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    bench::WatchedApplication application(qtArgc, argv);
    int code = 2;
    if (std::strcmp(kind, "startup") == 0) {
        bench::BenchApp app(application, {.quietChair = false});
        code = bench::runStartUp(app, std::cout);
    } else if (std::strcmp(kind, "latency") == 0) {
        bench::BenchApp app(application, {.quietChair = true});
        code = bench::runFrameLatency(app, std::cout, count > 0 ? count : 3);
    } else if (std::strcmp(kind, "panels") == 0) {
        bench::BenchApp app(application, {.quietChair = false});
        code = bench::runPanelRounds(app, std::cout, count > 0 ? count : 10);
    } else {
        std::cerr << "usage: app-benchmarks latency [REPEATS] | panels [ROUNDS] | startup\n";
        return 2;
    }
    std::cout.flush();
    // The shared queues and the chair's threads are left to the process's end, as the app
    // leaves them.
    std::_Exit(code);
}
