#pragma once

#include "app/CommandLine.h"

namespace script {

// Runs the app headless on the manual clock through a script; returns the exit code (0, or 2
// after one line on standard error).
int runScriptMode(int argc, char** argv, const app::CommandLineOptions& given);

}  // namespace script
