#pragma once
// "KANKYO.TXT" on the screens, and the storage folders: reading it applies window
// places, the chart window's size and zoom and the recorded folders (each checked);
// writing takes the places from the windows as they stand.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// Reads "KANKYO.TXT" of the working folder when it is there. A bad header shows the stop
// message and ends the program.
void PX$環境設定R_SUB(Diary& d);
// Writes "KANKYO.TXT" into the working folder.
void PX$環境設定W_SUB(Diary& d);
// Checks a recorded folder; when it does not exist, says so naming `name` and empties
// `name`. Empty paths are not checked.
void PX$FOLD_SUB(const std::string& path, std::string& name);
// Asks where "基本データ.TXT" lies (first start); cancelling leaves the working folder.
void PX$基本データフォルダ_SUB(Diary& d);
// Asks for the trade-data folder and creates its chart folder; cancelling ends the program.
void PX$作業フォルダ_SUB(Diary& d);
// The backup check box of the main window was clicked.
void PX$CHECK4_ON(Diary& d);

// The scratch BMP of the chart viewer, in the user's temporary folder.
std::string temporaryBitmapPath();

}  // namespace diary
