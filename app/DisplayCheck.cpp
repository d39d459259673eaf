#include "app/DisplayCheck.h"

#include <cstdlib>

namespace app {

namespace {
bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}
}  // namespace

bool hasDisplay() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

std::string noDisplayMessage() {
    return "massage-remote: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are "
           "unset); run it on a desktop, set QT_QPA_PLATFORM, or use --script FILE";
}

}  // namespace app
