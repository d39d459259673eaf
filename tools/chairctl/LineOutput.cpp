#include "tools/chairctl/LineOutput.h"

#include "base/Log.h"

namespace chairctl {

LogRouting::LogRouting(std::ostream& err, bool verbose) : err_(err) {
    if (verbose) {
        base::setLogSink([this](const std::string& line) { err_.line(line); });
    } else {
        base::setLogSink([](const std::string&) {});
    }
}

LogRouting::~LogRouting() {
    base::setLogSink({});
}

}  // namespace chairctl
