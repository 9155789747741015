#include "runtime/clock.hpp"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace runtime {

namespace {

// The one clock source of the process: empty means the system clock.
struct ClockSource {
    std::mutex mutex;
    std::optional<DateTime> fixed;
};

ClockSource& clockSource() {
    static ClockSource source;
    return source;
}

DateTime systemNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string join(int a, int b, int c, const char* format) {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

}  // namespace

DateTime now() {
    if (auto fixed = fixedClock()) return *fixed;
    return systemNow();
}

std::string dateText() {
    const DateTime t = now();
    return join(t.year, t.month, t.day, "%04d/%02d/%02d");
}

std::string timeText() {
    const DateTime t = now();
    return join(t.hour, t.minute, t.second, "%02d:%02d:%02d");
}

void setFixedClock(const DateTime& fixed) {
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    source.fixed = fixed;
}

void clearFixedClock() {
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    source.fixed.reset();
}

std::optional<DateTime> fixedClock() {
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    return source.fixed;
}

}  // namespace runtime
