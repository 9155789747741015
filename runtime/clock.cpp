#include "runtime/clock.hpp"

#include <cstdio>
#include <ctime>
#include <deque>
#include <mutex>

namespace runtime {

namespace {

// The one clock source of the process: the readings still to give, the last one staying;
// none means the system clock.
struct ClockSource {
    std::mutex mutex;
    std::deque<DateTime> readings;
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
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    if (source.readings.empty()) return systemNow();
    const DateTime reading = source.readings.front();
    if (source.readings.size() > 1) source.readings.pop_front();
    return reading;
}

std::string dateText(const DateTime& t) { return join(t.year, t.month, t.day, "%04d/%02d/%02d"); }

std::string timeText(const DateTime& t) { return join(t.hour, t.minute, t.second, "%02d:%02d:%02d"); }

std::string dateText() { return dateText(now()); }

std::string timeText() { return timeText(now()); }

void setFixedClock(const DateTime& fixed) { setClockReadings({fixed}); }

void setClockReadings(std::vector<DateTime> readings) {
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    source.readings.assign(readings.begin(), readings.end());
}

void clearFixedClock() { setClockReadings({}); }

std::optional<DateTime> fixedClock() {
    ClockSource& source = clockSource();
    const std::lock_guard lock(source.mutex);
    if (source.readings.empty()) return std::nullopt;
    return source.readings.front();
}

}  // namespace runtime
