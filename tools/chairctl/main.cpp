// chairctl: a command-line companion for technicians and black-box checks of the chair link.
#include <iostream>
#include <string>
#include <vector>

#include "tools/chairctl/Commands.h"

namespace {

constexpr const char* kHelp =
    "usage: chairctl COMMAND [ARGS ...]\n"
    "  frame CODE [FIELD=VALUE ...]   print the frame built for a command code\n"
    "  receive                        feed notified values from stdin through the link\n"
    "  monitor [--chair KIND]         print the chair's status frames in words\n"
    "  send CODE ...                  send command codes and print what comes back\n"
    "  update FILE                    send an update file and wait for the chair's word\n"
    "  replay FILE                    print a captured session (btsnoop) in words\n"
    "  --version                      print the version\n"
    "'chairctl COMMAND --help' tells more about each.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    chairctl::Streams io{std::cin, std::cout, std::cerr};
    if (args.empty())
        return chairctl::fail(std::cerr, "no command given (see chairctl --help)",
                              chairctl::kUsage);
    std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "help") {
        std::cout << kHelp;
        return 0;
    }
    if (command == "--version") {
        std::cout << "chairctl " << CHAIRCTL_VERSION << std::endl;
        return 0;
    }
    if (command == "frame") return chairctl::runFrame(std::move(args), io);
    if (command == "receive") return chairctl::runReceive(std::move(args), io);
    if (command == "monitor") return chairctl::runMonitor(std::move(args), io);
    if (command == "send") return chairctl::runSend(std::move(args), io);
    if (command == "update") return chairctl::runUpdate(std::move(args), io);
    if (command == "replay") return chairctl::runReplay(std::move(args), io);
    return chairctl::fail(std::cerr, "unknown command '" + command + "' (see chairctl --help)",
                          chairctl::kUsage);
}
