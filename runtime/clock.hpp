#pragma once
// Date and time from one clock source. Normally the system clock in local time; tests
// and scripted runs set a fixed time, or a list of successive readings, instead.

#include <optional>
#include <string>
#include <vector>

namespace runtime {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

// The current local date and time of the clock source: one reading of it.
DateTime now();
// "YYYY/MM/DD" and "hh:mm:ss" of one reading. A stamp with both parts formats one
// reading twice; reading the clock once for each part can give the date of one second
// and the time of the next (a stamp taken at midnight a day early).
std::string dateText(const DateTime& t);
std::string timeText(const DateTime& t);
// Each part from a reading of its own, for callers that need one part only.
std::string dateText();
std::string timeText();

// Makes now() return `fixed` until clearFixedClock() is called.
void setFixedClock(const DateTime& fixed);
// Makes each call of now() take the next of `readings` in turn; the last one then stays,
// as a fixed time does. An empty list is the system clock. This is how a test makes the
// clock move between two readings (across midnight, say) at a moment it chooses.
void setClockReadings(std::vector<DateTime> readings);
// Back to the system clock.
void clearFixedClock();
// The reading now() gives next when the clock is set; empty on the system clock.
std::optional<DateTime> fixedClock();

}  // namespace runtime
