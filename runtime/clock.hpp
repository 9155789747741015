#pragma once
// Date and time from one clock source. Normally the system clock in local time; tests
// and scripted runs set a fixed time instead.

#include <optional>
#include <string>

namespace runtime {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

// The current local date and time of the clock source.
DateTime now();
// "YYYY/MM/DD" and "hh:mm:ss" of now().
std::string dateText();
std::string timeText();

// Makes now() return `fixed` until clearFixedClock() is called.
void setFixedClock(const DateTime& fixed);
void clearFixedClock();
std::optional<DateTime> fixedClock();

}  // namespace runtime
