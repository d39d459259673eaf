// What may follow what in the working area: event sequences from a fresh start, and the area
// they leave.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "main/WorkingArea.h"

namespace {

using mainscreen::WorkingArea;

// The occupant, then "menu" while the menu is out, "held" and "opened" for the two facts.
QString show(const WorkingArea& area) {
    static const char* kOccupants[] = {"state-display", "cleared", "auto",    "manual",
                                       "pressure",      "other",   "service", "settings"};
    QStringList words{kOccupants[static_cast<int>(area.occupant())]};
    if (area.menuOpen()) words << "menu";
    if (area.held()) words << "held";
    if (area.serviceOrSettingsOpened()) words << "opened";
    return words.join(' ');
}

void apply(WorkingArea& area, const QString& event) {
    if (event == "start") area.start();
    if (event == "menu") area.openMenu();
    if (event == "clear") area.clear();
    if (event.startsWith("entry")) area.showMenuPanel(event.mid(5).toInt());
    if (event == "return") area.returnToStateDisplay();
    if (event == "service") area.showService();
    if (event == "settings") area.showSettings();
    if (event == "close") area.closeServiceOrSettings();
    if (event == "power") area.serviceAndSettingsRemoved();
    if (event == "off") area.chairWentOff();
}

TEST(WorkingArea, Transitions) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "state-display"},
        {"menu", "state-display menu"},
        {"menu entry2", "manual menu held"},
        {"menu entry2 entry0 entry5", "manual menu held"},
        {"menu entry1 entry4", "other menu held"},
        {"menu entry3 return", "state-display"},
        {"clear", "cleared held"},  // the power button switching the chair off
        {"clear return", "state-display"},
        {"entry2 power", "manual held"},
        {"menu entry1 off", "state-display menu"},
        {"clear off", "state-display"},
        {"menu service", "service held opened"},
        {"service close", "state-display"},
        {"service settings", "settings held opened"},
        {"service entry1", "auto held opened"},
        {"settings return", "state-display opened"},
        {"service off", "service opened"},
        {"service off close", "state-display"},
        {"service power", "cleared held opened"},
        {"settings off power", "state-display opened"},
        {"menu service start", "state-display"},
    };
    for (const auto& [events, after] : cases) {
        WorkingArea area;
        for (const QString& event : QString(events).split(' ', Qt::SkipEmptyParts))
            apply(area, event);
        EXPECT_EQ(show(area), after) << events;
    }
}

}  // namespace
