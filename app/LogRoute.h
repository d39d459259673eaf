#pragma once

#include <QString>
#include <fstream>
#include <memory>
#include <optional>

namespace app {

// Where the system log and Qt's own messages go while this lives: into the file at `path`,
// each line whole and flushed (a killed program still leaves a readable log, for a technician
// to send in), or, without a path, to standard error or nowhere.
class LogRoute {
public:
    enum class Otherwise { StandardError, Nowhere };

    LogRoute(const std::optional<QString>& path, Otherwise otherwise);
    // Puts back the default: standard error, Qt's own handler.
    ~LogRoute();
    LogRoute(const LogRoute&) = delete;
    LogRoute& operator=(const LogRoute&) = delete;

    // Whether a file was asked for and could not be opened.
    bool failed() const { return failed_; }

private:
    std::unique_ptr<std::ofstream> file_;
    bool failed_ = false;
};

}  // namespace app
