#include "main/WorkingArea.h"

namespace mainscreen {

namespace {
constexpr int kMenuEntryCount = 4;

bool isMenuPanel(WorkingArea::Occupant occupant) {
    using O = WorkingArea::Occupant;
    return occupant == O::Auto || occupant == O::Manual || occupant == O::Pressure ||
           occupant == O::Other;
}
}  // namespace

void WorkingArea::start() {
    *this = WorkingArea();
}

void WorkingArea::clear() {
    occupant_ = Occupant::Cleared;
    held_ = true;
}

void WorkingArea::showMenuPanel(int entry) {
    if (entry < 1 || entry > kMenuEntryCount) return;
    clear();
    occupant_ = static_cast<Occupant>(static_cast<int>(Occupant::Auto) + entry - 1);
}

void WorkingArea::returnToStateDisplay() {
    // A service or settings panel goes too, but its opening stays on record.
    menuOpen_ = false;
    occupant_ = Occupant::StateDisplay;
    held_ = false;
}

void WorkingArea::showOwnPanel(Occupant panel) {
    clear();
    menuOpen_ = false;
    occupant_ = panel;
    serviceOrSettingsOpened_ = true;
}

void WorkingArea::closeServiceOrSettings() {
    occupant_ = Occupant::StateDisplay;
    held_ = false;
    serviceOrSettingsOpened_ = false;
}

void WorkingArea::serviceAndSettingsRemoved() {
    if (occupant_ == Occupant::Service || occupant_ == Occupant::Settings)
        occupant_ = held_ ? Occupant::Cleared : Occupant::StateDisplay;
}

void WorkingArea::chairWentOff() {
    held_ = false;
    if (isMenuPanel(occupant_) || occupant_ == Occupant::Cleared)
        occupant_ = Occupant::StateDisplay;
}

}  // namespace mainscreen
