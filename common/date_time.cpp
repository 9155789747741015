#include "common/date_time.hpp"

#include "runtime/clock.hpp"

namespace common {

void PX$日時_SUB(ClockState& clock) {
    if (clock.clockFrozen != 0) return;
    // One reading for both parts: two would give a stamp taken at midnight the date of
    // one day and the time of the other.
    const runtime::DateTime t = runtime::now();
    clock.nowText = runtime::dateText(t) + "_" + runtime::timeText(t);
}

}  // namespace common
