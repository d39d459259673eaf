#pragma once

#include "app/CommandLine.h"

namespace app {

// The app on a display: Qt's event loop drives the clock and the main thread, and the session
// controller is the shared one. Returns the exit code of the event loop.
int runApp(int argc, char** argv, const CommandLineOptions& given);

}  // namespace app
