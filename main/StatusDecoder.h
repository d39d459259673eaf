#pragma once

#include <QPointer>
#include <cstdint>

#include "link/StatusReport.h"

namespace panels {
class AdjustView;
class AutoView;
class InfoView;
class ManualView;
class OtherView;
class PressureView;
}  // namespace panels

namespace mainscreen {

class RootViewController;

// The delayed call of the 5-second update failure report, scheduled on the controller; a
// successful update result cancels it.
inline constexpr const char* kUpdateResultCall = "updateResult";

// What one decoded status frame changes on the main screen: the power button, the running
// and power states, the stored records, the title and hint lines, and the open panels. A
// report of a kind it does not know changes nothing. Values out of range are passed on as they
// are: each panel ignores what it has no picture for. A panel that is not on screen is
// skipped, while the records are kept so the panel can replay them when it is built. Main
// thread only.
class StatusDecoder {
public:
    explicit StatusDecoder(RootViewController& root) : root_(root) {}

    void apply(const chairlink::StatusReport& report);

private:
    using Report = chairlink::StatusReport;

    // Running state, split by whether the Adjust panel was on screen.
    void runningState(const Report& r);
    void runningStateWithAdjust(const Report& r);
    void runningStateWithoutAdjust(const Report& r);
    void chairOff(bool keepTitleForServiceOrSettings);
    // Creates the Info panel when the run found none; while the menu is in charge the panel is
    // looked up again, hidden, and becomes the run's panel.
    void bringUpInfoPanel();
    void autoProgramme(const Report& r);
    void manualMassage(const Report& r);
    void airPressure(const Report& r);
    void otherFunctions(const Report& r);
    void service(const Report& r);
    // The chair answered the link check (a command echo, or a service frame's D1).
    void linkCheckAnswered();
    void updateSucceeded();

    void powerOn();
    void showTitle(std::int64_t index);
    void showHint(std::int64_t index);

    RootViewController& root_;
    // The panels of this run, looked up when it starts (and the Info panel again where the
    // rules say so). Guarded: a panel removed during the run is not deleted before the loop
    // comes round, but nothing here relies on that.
    QPointer<panels::AdjustView> adjust_;
    QPointer<panels::AutoView> auto_;
    QPointer<panels::InfoView> info_;
    QPointer<panels::ManualView> manual_;
    QPointer<panels::PressureView> pressure_;
    QPointer<panels::OtherView> other_;
};

}  // namespace mainscreen
