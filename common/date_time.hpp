#pragma once
// The current date-time text of the data files, YYYY/MM/DD_hh:mm:ss (19 characters).

#include <cstdint>
#include <string>

namespace common {

struct ClockState {
    // The current date-time text, refreshed by PX$日時_SUB.
    std::string nowText;
    // Non-zero while the time stop is in force: nowText then stays as it is.
    std::int16_t clockFrozen = 0;
};

// Refreshes nowText from the clock unless the clock is frozen.
void PX$日時_SUB(ClockState& clock);

}  // namespace common
