#include "common/date_time.hpp"

#include "runtime/clock.hpp"

namespace common {

void PX$日時_SUB(ClockState& clock) {
    if (clock.clockFrozen != 0) return;
    clock.nowText = runtime::dateText() + "_" + runtime::timeText();
}

}  // namespace common
