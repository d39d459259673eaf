#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace chairctl {

// Whole lines to one stream from any thread, each flushed at once so a pipe sees them live.
class LineOutput {
public:
    explicit LineOutput(std::ostream& out) : out_(out) {}

    void line(const std::string& text) {
        std::lock_guard lock(mutex_);
        out_ << text << '\n';
        out_.flush();
    }

private:
    std::mutex mutex_;
    std::ostream& out_;
};

// While alive, the link's log lines go to `err` when verbose and nowhere otherwise, so
// they do not mix with the tool's own output.
class LogRouting {
public:
    LogRouting(std::ostream& err, bool verbose);
    ~LogRouting();
    LogRouting(const LogRouting&) = delete;
    LogRouting& operator=(const LogRouting&) = delete;

private:
    LineOutput err_;
};

}  // namespace chairctl
