#pragma once

#include <optional>
#include <ostream>

namespace app {

// massage-remote's command line, read before Qt starts so that --help and --version work
// without a display. Gives the exit code when the command line is answered here (help,
// version, or one error line and 2 for an option it does not know), nothing when the app or
// script mode should run. Qt's own single-dash options (-platform, -style) are left to Qt.
std::optional<int> answerCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

const char* appVersion();

}  // namespace app
