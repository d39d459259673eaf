#include <cstdio>
#include <iostream>

#include "app/AppLaunch.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/script/ScriptMode.h"

int main(int argc, char** argv) {
    if (auto answered = app::answerCommandLine(argc, argv, std::cout, std::cerr)) return *answered;
    if (script::wantsScriptMode(argc, argv)) return script::runScriptMode(argc, argv);
    if (!app::hasDisplay()) {
        std::fprintf(stderr, "%s\n", app::noDisplayMessage().c_str());
        return 1;
    }
    return app::runApp(argc, argv);
}
