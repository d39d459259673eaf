#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>

namespace app {

// Every value each of massage-remote's options was given, in order and as typed; what they
// mean is decided by the mode that uses them (the app logs a bad value and goes on, script
// mode refuses it).
struct CommandLineOptions {
    QStringList chair, idiom, screen, settings, home, script, log, volume, capture, window, scale;
    bool fullScreen = false;
};

struct CommandLine {
    // Set when the command line is answered here: help, version, or one error line and 2.
    std::optional<int> exitCode;
    CommandLineOptions options;
};

// Reads massage-remote's command line, before Qt starts, so that --help and --version work
// without a display. Qt's own single-dash options (-platform, -style) are left to Qt.
CommandLine readCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err);

QStringList argumentList(int argc, char** argv);

const char* appVersion();

}  // namespace app
