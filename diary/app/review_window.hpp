#pragma once
// The closed-trade window FORM5: the archive loaded into the trade table, the list of
// closed trades with its filters, one trade's settlements and memo record, the text of a
// record, the orientation memo, and the texts to the clipboard or a file.

#include "diary/app/diary_state.hpp"

namespace diary {

void openReview(Diary& d);          // command 11
void closeReview(Diary& d);         // command 12
void showEntry(Diary& d);           // command 13
void showRecord(Diary& d);          // command 14
void plusFilterClicked(Diary& d);   // command 21
void minusFilterChanged(Diary& d);  // command 22
void editOrientationMemo(Diary& d); // command 24
// The memo window's "閉じる" in review mode (command 23): the orientation memo is kept and
// the archive rewritten.
void storeOrientationMemo(Diary& d);

// The texts of EDIT9 (`which` 9) or EDIT10 (10) to the clipboard, or to a ".TXT" file.
void copyTextToClipboard(Diary& d, int which);
void PX$BUTTON3536_SUB(Diary& d, int which);

// The memo window in review mode, shown or hidden, with the review's controls disabled
// while it is shown.
void PX$SHOW_WIN4(Diary& d);

}  // namespace diary
