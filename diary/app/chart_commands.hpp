#pragma once
// The trade's chart images through the viewer: opening it on the pressed chart button's
// slot (command 1), stepping through the folder (2, 3), registering the shown image in
// the slot (4), detaching it (5) and closing without change (19).

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

void openChartSlot(Diary& d);   // command 1
void previousImage(Diary& d);   // command 2
void nextImage(Diary& d);       // command 3
void registerChart(Diary& d);   // command 4
void detachChart(Diary& d);     // command 5
void closeViewer(Diary& d);     // command 19

// The registered charts' folder: the trade-data folder's chart folder, ending in "/".
std::string chartFolder(const Diary& d);

// The image file dialog: true when an existing file was chosen; the viewer's image folder
// and name and the base chart folder then name it.
bool PV$FILE_SET_SUB(Diary& d);

// Every chart button but the pressed one disabled, and all of them back.
void PX$BUT_SET1(Diary& d);
void PX$BUT_SET2(Diary& d);

}  // namespace diary
