#pragma once
// The memo window FORM4 and the option window FORM6 beside the trade window.

#include "diary/app/diary_state.hpp"

namespace diary {

// "メ　モ" of the trade window: the memo window shown in front.
void openMemoWindow(Diary& d);
// "閉じる" of the memo window (command 23): hidden; in review mode the orientation memo is
// stored first.
void closeMemoWindow(Diary& d);
// "オプション" of the trade window: the option window shown in front.
void openOptionWindow(Diary& d);

}  // namespace diary
