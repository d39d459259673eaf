#pragma once

#include <cstdint>

namespace mainscreen {

// What occupies the main screen's working area, and whether the menu is slid in over it. The
// area holds one thing at a time: the state display (the Adjust or Info panel the chair's
// running state put up, or nothing), one of the four menu panels, or the service or settings
// panel. While something else has taken the area from the state display, the area is held:
// the status decoder leaves the title and hint alone and keeps the Adjust and Info panels
// hidden. Only the transitions below change it; the main screen moves the views to match.
class WorkingArea {
public:
    enum class Occupant : std::uint8_t {
        StateDisplay,
        Cleared,  // taken from the state display for a panel that is not (or no longer) there
        Auto,
        Manual,
        Pressure,
        Other,
        Service,
        Settings,
    };

    Occupant occupant() const { return occupant_; }
    bool shows(Occupant occupant) const { return occupant_ == occupant; }
    // The slid-in menu is out.
    bool menuOpen() const { return menuOpen_; }
    // Titles, hints and the Adjust and Info panels wait for the state display's return.
    bool held() const { return held_; }
    // The service or settings panel was opened and not closed by its own button since: when
    // the chair goes off the title is left to that panel, even if it has gone meanwhile.
    bool serviceOrSettingsOpened() const { return serviceOrSettingsOpened_; }

    // The screen starts: the state display, with the menu in and nothing opened.
    void start();
    void openMenu() { menuOpen_ = true; }
    void closeMenu() { menuOpen_ = false; }
    // The area is cleared for another panel (the menu panels, service and settings go).
    void clear();
    // Menu entry 1 to 4 puts up its panel; any other entry changes nothing.
    void showMenuPanel(int entry);
    // The menu closes and gives the area back to the state display.
    void returnToStateDisplay();
    // The service or settings button opens its panel: the menu closes.
    void showService() { showOwnPanel(Occupant::Service); }
    void showSettings() { showOwnPanel(Occupant::Settings); }
    // The service or settings panel is closed by its own button or its go-back button.
    void closeServiceOrSettings();
    // The power button takes the service and settings panels away, leaving the rest as it is.
    void serviceAndSettingsRemoved();
    // The chair reports it is off: the menu panels go and the state display takes the titles
    // back, while a service or settings panel stays where it is.
    void chairWentOff();

private:
    void showOwnPanel(Occupant panel);

    Occupant occupant_ = Occupant::StateDisplay;
    bool menuOpen_ = false;
    bool held_ = false;
    bool serviceOrSettingsOpened_ = false;
};

}  // namespace mainscreen
