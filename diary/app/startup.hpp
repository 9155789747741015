#pragma once
// What the diary does from launch until the user's first action.

#include "diary/app/diary_state.hpp"

namespace diary {

// The start-up in order: global state and windows, defaults, the environment and the
// basic data, the trade-data folder, the relocation and time-stop checks, the copy
// checklist, and the trade window's group controls. Ends the program (no return) where
// the user refused or the data cannot be used.
void startUp(Diary& d);

// The trade window's group frames, chart buttons, sub-item labels and combo boxes are
// enabled for the groups and sub-items in use; the option window's controls for all five
// options.
void PX$取引画面の初期設定(Diary& d);

}  // namespace diary
