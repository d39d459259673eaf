#include <cstdio>
#include <cstring>

#include "main/AppLaunch.h"
#include "main/DisplayCheck.h"

int main(int argc, char** argv) {
    if (!mainscreen::hasDisplay()) {
        std::fprintf(stderr, "%s\n", mainscreen::noDisplayMessage().c_str());
        return 1;
    }
    return mainscreen::runApp(argc, argv);
}
