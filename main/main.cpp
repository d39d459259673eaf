#include <cstdio>
#include <iostream>

#include "main/AppLaunch.h"
#include "main/CommandLine.h"
#include "main/DisplayCheck.h"
#include "main/script/ScriptMode.h"

int main(int argc, char** argv) {
    if (auto answered = mainscreen::answerCommandLine(argc, argv, std::cout, std::cerr))
        return *answered;
    if (script::wantsScriptMode(argc, argv)) return script::runScriptMode(argc, argv);
    if (!mainscreen::hasDisplay()) {
        std::fprintf(stderr, "%s\n", mainscreen::noDisplayMessage().c_str());
        return 1;
    }
    return mainscreen::runApp(argc, argv);
}
