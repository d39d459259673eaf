#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <array>
#include <utility>

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
    "  --fullscreen                      open full screen (F11 toggles it; the default without\n"
    "                                    a window manager or on a screen under 600 pixels)\n"
    "  --settings FILE                   the settings file (language, volume)\n"
    "  --home DIR                        where the update file chooser starts\n"
    "  --script FILE                     run FILE in script mode: headless, on a manual clock,\n"
    "                                    against the stand-in chair (see the README)\n"
    "  --log FILE                        write the system log to FILE (otherwise it goes to\n"
    "                                    standard error, and nowhere in script mode)\n"
    "  --capture FILE                    record every value over the link in FILE (btsnoop, for\n"
    "                                    Wireshark)\n"
    "  --volume X                        script mode: the media volume to start at (0 to 1.5;\n"
    "                                    1 is the normal full volume, default 0.5)\n"
    "  --window WxH                      script mode: the window's size in pixels (default: the\n"
    "                                    screens' own size)\n"
    "  --scale X                         script mode: device pixels per pixel (1 to 4, default 1)\n"
    "  --help                            show this text\n"
    "  --version                         show the version\n"
    "\n"
    "Keys:\n"
    "  Tab, Shift+Tab                    move the focus ring through the screen's controls\n"
    "  Space, Enter                      press the focused control; held, they hold a quick key\n"
    "  Left, Right (Up, Down)            move along a bar's segments or a list's rows\n"
    "  Esc                               go back: close the open panel or the menu\n"
    "  P                                 the power button\n"
    "  M                                 the menu button\n"
    "  1 to 5                            the quick keys from the top (automatic programme,\n"
    "                                    foot rest up, foot rest down, backrest down, backrest\n"
    "                                    up); held, they hold the key\n";

using Field = QStringList CommandLineOptions::*;
constexpr std::array<std::pair<const char*, Field>, 11> kValueOptions = {{
    {"chair", &CommandLineOptions::chair},
    {"idiom", &CommandLineOptions::idiom},
    {"screen", &CommandLineOptions::screen},
    {"settings", &CommandLineOptions::settings},
    {"home", &CommandLineOptions::home},
    {"script", &CommandLineOptions::script},
    {"log", &CommandLineOptions::log},
    {"volume", &CommandLineOptions::volume},
    {"capture", &CommandLineOptions::capture},
    {"window", &CommandLineOptions::window},
    {"scale", &CommandLineOptions::scale},
}};

int refuse(std::ostream& err, const QString& what) {
    err << "massage-remote: " << what.toStdString() << " (see massage-remote --help)" << std::endl;
    return 2;
}

// Qt reads its own single-dash options (and the value after one) when the application is
// made; they are kept from our parser, which would call them unknown.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool qtOption =
            i > 0 && argument.size() > 1 && argument[0] == '-' && argument[1] != '-';
        if (!qtOption) {
            ours.append(argument);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-')) {
            ++i;
        }
    }
    return ours;
}

}  // namespace

const char* appVersion() {
    return MASSAGE_REMOTE_VERSION;
}

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

CommandLine readCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help("help");
    const QCommandLineOption version("version");
    const QCommandLineOption fullScreen("fullscreen");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(fullScreen);
    for (const auto& [name, field] : kValueOptions)
        parser.addOption(QCommandLineOption(name, {}, "value"));
    const bool parsed = parser.parse(withoutQtOptions(arguments));

    CommandLine line;
    // Help and version are answered whatever else the line holds.
    if (parser.isSet(help)) {
        out << kHelp;
        line.exitCode = 0;
    } else if (parser.isSet(version)) {
        out << "massage-remote " << appVersion() << std::endl;
        line.exitCode = 0;
    } else if (!parsed && !parser.unknownOptionNames().isEmpty()) {
        line.exitCode =
            refuse(err, "unknown option '--" + parser.unknownOptionNames().front() + "'");
    } else if (!parsed) {
        QString error = parser.errorText();
        if (error.endsWith('.')) error.chop(1);
        if (!error.isEmpty()) error[0] = error[0].toLower();
        line.exitCode = refuse(err, error);
    } else if (!parser.positionalArguments().isEmpty()) {
        line.exitCode =
            refuse(err, "unexpected argument '" + parser.positionalArguments().front() + "'");
    }
    for (const auto& [name, field] : kValueOptions) line.options.*field = parser.values(name);
    line.options.fullScreen = parser.isSet(fullScreen);
    return line;
}

}  // namespace app
