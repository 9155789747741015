#pragma once
// The basic data the benchmarks trade with: three groups (group 2 with its sub-item 0)
// and two options in use, each sub-item and option with two choices, as a trader sets
// them up; and the new-record defaults the trade window gives with them.

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace bench {

diary::BasicData benchBasicData(int stockCapacity);

// The defaults with the basic data's own names as the labels (no timeframe relabels them).
diary::NewRecordDefaults defaultsOf(const diary::BasicData& basic);

}  // namespace bench
