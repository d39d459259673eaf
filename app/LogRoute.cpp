#include "app/LogRoute.h"

#include <QtGlobal>
#include <iostream>

#include "base/Log.h"

namespace app {

LogRoute::LogRoute(const std::optional<QString>& path, Otherwise otherwise) {
    if (path) {
        file_ = std::make_unique<std::ofstream>(path->toStdString());
        if (!*file_) {
            failed_ = true;
            file_.reset();
        }
    }
    std::ofstream* sink = file_.get();
    if (sink) {
        base::setLogSink([sink](const std::string& line) { *sink << line << std::endl; });
    } else if (otherwise == Otherwise::Nowhere) {
        base::setLogSink([](const std::string&) {});
    }
    // Qt's warnings join the log, wherever it goes.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        base::log("Qt: " + message.toStdString());
    });
}

LogRoute::~LogRoute() {
    base::setLogSink({});
    qInstallMessageHandler(nullptr);
}

}  // namespace app
