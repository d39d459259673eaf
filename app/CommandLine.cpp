#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace app {

namespace {

constexpr const char* kHelp =
    "usage: massage-remote [OPTION ...]\n"
    "The remote control of the massage chair: finds it over Bluetooth LE and shows its state.\n"
    "\n"
    "Options:\n"
    "  --chair auto|bluetooth|simulated  which chair to talk to (auto: Bluetooth when there is\n"
    "                                    an adapter, the stand-in chair otherwise)\n"
    "  --idiom phone|tablet              the layout (default: from the screen's size)\n"
    "  --screen LxS                      the screen's long and short side in points\n"
    "  --settings FILE                   the settings file (language, volume)\n"
    "  --home DIR                        where the update file chooser starts\n"
    "  --script FILE                     run FILE in script mode: headless, on a manual clock,\n"
    "                                    against the stand-in chair (see the README)\n"
    "  --log FILE                        script mode: write the system log to FILE\n"
    "  --volume X                        script mode: the media volume to start at (0 to 1.5;\n"
    "                                    1 is the normal full volume, default 0.5)\n"
    "  --help                            show this text\n"
    "  --version                         show the version\n";

constexpr std::array<std::string_view, 8> kValueOptions = {
    "--chair", "--idiom", "--screen", "--settings", "--home", "--script", "--log", "--volume"};

bool takesValue(std::string_view name) {
    return std::find(kValueOptions.begin(), kValueOptions.end(), name) != kValueOptions.end();
}

int unknown(std::ostream& err, const std::string& what) {
    err << "massage-remote: " << what << " (see massage-remote --help)" << std::endl;
    return 2;
}

}  // namespace

const char* appVersion() {
    return MASSAGE_REMOTE_VERSION;
}

std::optional<int> answerCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            out << kHelp;
            return 0;
        }
        if (argument == "--version") {
            out << "massage-remote " << appVersion() << std::endl;
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, 2) == "--") {
            const auto equals = argument.find('=');
            const std::string_view name = argument.substr(0, equals);
            if (!takesValue(name))
                return unknown(err, "unknown option '" + std::string(name) + "'");
            if (equals == std::string_view::npos) ++i;  // its value follows
        } else if (argument.empty() || argument.front() != '-') {
            return unknown(err, "unexpected argument '" + std::string(argument) + "'");
        } else if (i + 1 < argc && argv[i + 1][0] != '-') {
            ++i;  // one of Qt's own single-dash options with its value; Qt reads both
        }
    }
    return std::nullopt;
}

}  // namespace app
