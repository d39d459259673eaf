#include <cstdio>
#include <iostream>

#include "app/AppLaunch.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/script/ScriptMode.h"

int main(int argc, char** argv) {
    const app::CommandLine line =
        app::readCommandLine(app::argumentList(argc, argv), std::cout, std::cerr);
    if (line.exitCode) return *line.exitCode;
    if (!line.options.script.isEmpty()) return script::runScriptMode(argc, argv, line.options);
    if (!app::hasDisplay()) {
        std::fprintf(stderr, "%s\n", app::noDisplayMessage().c_str());
        return 1;
    }
    return app::runApp(argc, argv, line.options);
}
