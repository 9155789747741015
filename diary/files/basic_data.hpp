#pragma once
// The basic data are the model both programs share (common/basic_data/); the diary names
// them as its own.

#include "common/basic_data/basic_data.hpp"

namespace diary {

using common::BasicData;
using common::defaultBasicData;
using common::firstItemOf;
using common::Group;
using common::kGroupCount;
using common::kMaxChoices;
using common::kMaxPairs;
using common::kMaxStockCapacity;
using common::kMaxTimeframes;
using common::kMaxTradeSides;
using common::kMaxTradeStates;
using common::kOptionCount;
using common::Option;
using common::SubItem;
using common::TimeframeRow;

}  // namespace diary
