#pragma once

#include <optional>
#include <string>

namespace app {

// Whether a window can be shown: a display (DISPLAY or WAYLAND_DISPLAY) or a Qt platform
// chosen by the caller (QT_QPA_PLATFORM). Checked before the application object is made,
// since Qt aborts when it finds no platform to open.
bool hasDisplay();

// The one line to print when there is none.
std::string noDisplayMessage();

}  // namespace app
