#include <cstdio>

#include "main/AppLaunch.h"
#include "main/DisplayCheck.h"
#include "main/script/ScriptMode.h"

int main(int argc, char** argv) {
    if (script::wantsScriptMode(argc, argv)) return script::runScriptMode(argc, argv);
    if (!mainscreen::hasDisplay()) {
        std::fprintf(stderr, "%s\n", mainscreen::noDisplayMessage().c_str());
        return 1;
    }
    return mainscreen::runApp(argc, argv);
}
