#pragma once
// Copy and paste of the trade window: "コピー" keeps the screen as one record in
// "コピーデータ.TXT" (basic-data folder); "貼り付け" takes the items ticked in the paste
// window FORM8 from it into the open record.

#include "diary/app/diary_state.hpp"

namespace diary {

void copyRecord(Diary& d);          // command 37
void openPasteWindow(Diary& d);     // command 38
void checkAllPasteItems(Diary& d);  // command 39
void clearAllPasteItems(Diary& d);  // command 40
void pasteSelected(Diary& d);       // command 41
void cancelPaste(Diary& d);         // command 42

}  // namespace diary
