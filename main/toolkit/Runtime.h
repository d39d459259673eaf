#pragma once

#include "base/Clock.h"
#include "base/MainThread.h"
#include "main/toolkit/Animator.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/DelayedCalls.h"
#include "main/toolkit/Screen.h"
#include "main/toolkit/UserDefaults.h"

namespace tk {

// Everything the screens take from their surroundings, handed down instead of read from
// globals: the clock that timers, delayed calls and animations run on, the main thread,
// the user defaults, the bundle and the screen measures. The app builds one with the Qt
// clock; tests build one with a ManualClock. The clock, main thread, defaults and bundle
// must outlive it.
class Runtime {
public:
    Runtime(base::Clock& clock, base::MainThread& mainThread, UserDefaults& defaults,
            Bundle& bundle, Screen screen)
        : clock_(clock),
          mainThread_(mainThread),
          defaults_(defaults),
          bundle_(bundle),
          screen_(screen),
          delayedCalls_(clock),
          animator_(clock) {
        // Every screen is drawn for this window, so no picture needs more pixels than it.
        bundle_.fitPicturesToWindow(screen_.windowSize());
    }
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    base::Clock& clock() { return clock_; }
    base::MainThread& mainThread() { return mainThread_; }
    UserDefaults& defaults() { return defaults_; }
    Bundle& bundle() { return bundle_; }
    const Screen& screen() const { return screen_; }
    DelayedCalls& delayedCalls() { return delayedCalls_; }
    Animator& animator() { return animator_; }

private:
    base::Clock& clock_;
    base::MainThread& mainThread_;
    UserDefaults& defaults_;
    Bundle& bundle_;
    Screen screen_;
    DelayedCalls delayedCalls_;
    Animator animator_;
};

}  // namespace tk
