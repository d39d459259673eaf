#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace base {

// The system log: one line per call, no levels. Lines go to standard error unless a
// capture is installed (tests read them back instead).
void log(const std::string& line);

// printf-style convenience for the many formatted lines the link writes.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// While alive, every log line (from any thread) is recorded here instead of printed.
// Captures nest: the innermost one receives the lines.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    bool contains(const std::string& line) const;
    size_t count(const std::string& line) const;
    void clear();

private:
    friend void log(const std::string&);
    void append(const std::string& line);

    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    LogCapture* previous_;
};

// Routes log lines to a custom sink (the app may send them to Qt's message handler);
// an empty function restores standard error.
void setLogSink(std::function<void(const std::string&)> sink);

}  // namespace base
