#pragma once
// The checks of the trade window before a trade starts or settles, and before the
// emergency second leg is armed. They only report: the names of the wrong items in
// their order, or nothing when all pass.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// "基本設定入力エラー": pair, side, price, confirmed date and time, order lots (entry) or
// lots to settle (settlement, at most the remaining ones), unit (at least 100), base
// timeframe. For an entry it also takes the typed order lots as the record's remaining
// lots. Empty when every item passes.
std::string startInputErrors(Diary& d, TradeRecord& r);

// "緊急決済時の基本設定入力エラー": pair, side and the entry's confirmed date and time.
// Empty when they pass.
std::string emergencyInputErrors(Diary& d);

}  // namespace diary
