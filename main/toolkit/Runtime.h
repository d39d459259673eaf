#pragma once

#include "base/Clock.h"
#include "base/MainThread.h"
#include "main/toolkit/Animator.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/DelayedCalls.h"
#include "main/toolkit/ScaledWindow.h"
#include "main/toolkit/Screen.h"
#include "main/toolkit/UserDefaults.h"

namespace tk {

// Everything the screens take from their surroundings, handed down instead of read from
// globals: the clock that timers, delayed calls and animations run on, the main thread,
// the user defaults, the bundle, the screen measures and how the window opens. The app builds one
// with the Qt clock; tests build one with a ManualClock. The clock, main thread, defaults and
// bundle must outlive it.
class Runtime {
public:
    Runtime(base::Clock& clock, base::MainThread& mainThread, UserDefaults& defaults,
            Bundle& bundle, Screen screen, WindowPlacement window = {})
        : clock_(clock),
          mainThread_(mainThread),
          defaults_(defaults),
          bundle_(bundle),
          screen_(screen),
          window_(window),
          delayedCalls_(clock),
          animator_(clock) {
        // Every screen is drawn within the window, so no picture needs more pixels than the
        // largest the window can become.
        const QSize largest = window_.largest.isEmpty() ? window_.size : window_.largest;
        bundle_.fitPicturesToWindow(largest.isEmpty() ? screen_.windowSize() : largest);
    }
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    base::Clock& clock() { return clock_; }
    base::MainThread& mainThread() { return mainThread_; }
    UserDefaults& defaults() { return defaults_; }
    Bundle& bundle() { return bundle_; }
    const Screen& screen() const { return screen_; }
    // The window took another shape: what is laid out from now on follows the new measures.
    void setScreen(const Screen& screen) { screen_ = screen; }
    const WindowPlacement& window() const { return window_; }
    DelayedCalls& delayedCalls() { return delayedCalls_; }
    Animator& animator() { return animator_; }

private:
    base::Clock& clock_;
    base::MainThread& mainThread_;
    UserDefaults& defaults_;
    Bundle& bundle_;
    Screen screen_;
    WindowPlacement window_;
    DelayedCalls delayedCalls_;
    Animator animator_;
};

}  // namespace tk
