#pragma once

#include <QPointer>
#include <array>
#include <cstdint>
#include <span>

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

// What one accepted status frame changes on the main screen: the power button, the running
// and power states, the stored records, the title and hint lines, and the open panels. It
// reads the type and data from bytes 2 to 6 of the frame; anything it does not know changes
// nothing. A panel that is not on screen is skipped, while the records are kept so the panel
// can replay them when it is built. Main thread only.
class StatusDecoder {
public:
    explicit StatusDecoder(RootViewController& root) : root_(root) {}

    void decode(std::span<const std::uint8_t> frame);

private:
    // Bytes 2 to 6 of the frame: the type and four data bytes.
    struct Fields {
        std::uint8_t type = 0;
        std::uint8_t b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    };

    // Running state, split by whether the Adjust panel was on screen.
    void runningState(const Fields& f);
    void runningStateWithAdjust(const Fields& f);
    void runningStateWithoutAdjust(const Fields& f);
    void chairOff(bool keepTitleForServiceOrSettings);
    // Creates the Info panel when the run found none; while the menu is in charge the panel is
    // looked up again, hidden, and becomes the run's panel.
    void bringUpInfoPanel();
    void autoProgramme(const Fields& f);
    void manualMassage(const Fields& f);
    void airPressure(const Fields& f);
    void otherFunctions(const Fields& f);
    void service(const Fields& f);
    void commandEcho(std::uint8_t value);
    void updateResult(std::uint8_t value);

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
