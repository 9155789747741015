#pragma once
// The time stop: the diary's clock frozen at a chosen date-time, kept across runs while
// "タイムストップ設定.TXT" lies in the basic-data folder.

#include "diary/app/diary_state.hpp"

namespace diary {

// At start-up: a time stop kept from an earlier run freezes the clock again, with a warning.
void checkTimeStopAtStart(Diary& d);
// Command 35: asks the date-time and freezes the clock (kept across runs when the box's
// "日時を保存する" is ticked).
void setTimeStop(Diary& d);
// Command 36: the clock runs again and the kept time stop is deleted.
void releaseTimeStop(Diary& d);

}  // namespace diary
