#pragma once

namespace script {

// Whether the command line asks for script mode (`--script FILE`).
bool wantsScriptMode(int argc, char** argv);

// Runs the app headless on the manual clock through a script; returns the exit code (0, or 2
// after one line on standard error).
int runScriptMode(int argc, char** argv);

}  // namespace script
