#include "app/script/ScriptMode.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <iostream>
#include <memory>

#include "app/LogRoute.h"
#include "app/script/ScriptOptions.h"
#include "app/script/ScriptRunner.h"
#include "app/script/ScriptWorld.h"
#include "base/Log.h"

namespace script {

using app::LogRoute;

int runScriptMode(int argc, char** argv, const app::CommandLineOptions& given) {
    std::string error;
    const auto options = ScriptOptions::from(given, error);
    if (!options) {
        std::cerr << "massage-remote: " << error << std::endl;
        return 2;
    }
    QFile file(options->scriptFile);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "massage-remote: cannot read script " << options->scriptFile.toStdString()
                  << std::endl;
        return 2;
    }
    const QString text = QString::fromUtf8(file.readAll());
    if (options->home) qputenv("HOME", QFile::encodeName(*options->home));
    // Standard error carries only the line about a failed script line; the system log goes to
    // the --log file when one is given, and nowhere otherwise.
    LogRoute log(options->logFile, LogRoute::Otherwise::Nowhere);

    // Headless unless the caller picked another platform; chosen before the application
    // exists. The offscreen display is made the window's size: touches beyond a display's
    // edge are lost.
    QTemporaryDir display;
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (chosen.isEmpty() || chosen == "offscreen") {
        QByteArray platform = "offscreen";
        if (const auto window = options->launch.window; window && display.isValid()) {
            QFile config(display.filePath("display.json"));
            if (config.open(QIODevice::WriteOnly)) {
                config.write(QString("{\"screens\": [{\"name\": \"script\", \"x\": 0, \"y\": 0, "
                                     "\"width\": %1, \"height\": %2}]}")
                                 .arg(window->width())
                                 .arg(window->height())
                                 .toUtf8());
                platform += ":configfile=" + QFile::encodeName(config.fileName());
            }
        }
        qputenv("QT_QPA_PLATFORM", platform);
    }
    // A display of that many device pixels per pixel.
    if (options->launch.scale)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(*options->launch.scale));
    int code = 0;
    {
        QApplication app(argc, argv);
        ScriptWorld world(WorldSettings::from(*options), std::cout);
        if (!world.captureError().empty()) {
            std::cerr << "massage-remote: " << world.captureError() << std::endl;
            return 2;
        }
        world.launch();
        ScriptRunner runner(world, std::cout);
        code = runner.run(text, options->scriptFile, std::cerr);
    }
    std::cout.flush();
    return code;
}

}  // namespace script
