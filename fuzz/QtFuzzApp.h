#pragma once

#include <QApplication>
#include <cstdlib>
#include <functional>
#include <vector>

namespace fuzz {

// Qt's warnings about odd input are expected here and would only slow the run.
inline void quietQt() {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// The one headless application a Qt target needs, made on first use and never destroyed:
// the fuzzer ends the process from inside a run.
inline QApplication& qtApplication() {
    static QApplication* app = [] {
        quietQt();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Keeps a target's long-lived state for the whole run and deletes it at exit (while the
// application still exists), so its scratch folders do not outlive the run.
template <class T>
T* keptUntilExit(T* object) {
    static std::vector<std::function<void()>> deleters;
    if (deleters.empty())
        std::atexit([] {
            for (auto it = deleters.rbegin(); it != deleters.rend(); ++it) (*it)();
        });
    deleters.push_back([object] { delete object; });
    return object;
}

}  // namespace fuzz
