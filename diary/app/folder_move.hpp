#pragma once
// Moving the trade-data folder (command 10, the main window's "データフォルダの移動"): the
// trades in progress and their chart images go to another folder, and the old folder is
// left with its closed trades and the marker "移転しました.TXT", for viewing only.

#include "diary/app/diary_state.hpp"

namespace diary {

// Command 10. Copies and verifies everything the new folder needs before it marks the old
// folder or deletes anything there; a failure on the way leaves the old folder working
// and says so. Ends with the start-up's loading of the trades from the new folder.
void moveDataFolder(Diary& d);

}  // namespace diary
