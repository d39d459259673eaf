#include "base/Log.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>

namespace base {
namespace {

std::mutex& routeMutex() {
    static std::mutex mutex;
    return mutex;
}
LogCapture* activeCapture = nullptr;  // guarded by routeMutex()
std::function<void(const std::string&)>& sink() {
    static std::function<void(const std::string&)> fn;
    return fn;
}

}  // namespace

void log(const std::string& line) {
    std::lock_guard lock(routeMutex());
    if (activeCapture) {
        activeCapture->append(line);
    } else if (sink()) {
        sink()(line);
    } else {
        std::cerr << line << '\n';
    }
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (size > 0) {
        out.resize(static_cast<size_t>(size) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<size_t>(size));
    }
    va_end(args);
    return out;
}

void setLogSink(std::function<void(const std::string&)> fn) {
    std::lock_guard lock(routeMutex());
    sink() = std::move(fn);
}

LogCapture::LogCapture() {
    std::lock_guard lock(routeMutex());
    previous_ = activeCapture;
    activeCapture = this;
}

LogCapture::~LogCapture() {
    std::lock_guard lock(routeMutex());
    // Captures are scoped, so the innermost one is the active one when it ends.
    if (activeCapture == this) activeCapture = previous_;
}

void LogCapture::append(const std::string& line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
}

std::vector<std::string> LogCapture::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

bool LogCapture::contains(const std::string& line) const {
    return count(line) > 0;
}

size_t LogCapture::count(const std::string& line) const {
    std::lock_guard lock(mutex_);
    size_t n = 0;
    for (const auto& l : lines_) n += (l == line);
    return n;
}

void LogCapture::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

}  // namespace base
