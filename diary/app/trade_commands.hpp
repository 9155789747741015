#pragma once
// The trade lifecycle on the trade window: opening a list line (a new trade, a held
// entry, an open trade's settlement, a held settlement), starting or settling, holding,
// cancelling, and arming the emergency second leg.

#include "diary/app/diary_state.hpp"

namespace diary {

// Command 6: opens the selected line of the trade list.
void openListLine(Diary& d);
// Command 7: "取引開始" / "決済".
void startOrSettle(Diary& d);
// Command 8: "保留" / "決済保留".
void holdTrade(Diary& d);
// Command 9: "取引キャンセル".
void cancelTrade(Diary& d);
// Command 29: "緊急決済 日時確定" / "緊急エントリー 日時確定".
void armEmergency(Diary& d);

// Back to the main window after a step: the main window shown and the trade, memo and
// option windows hidden (the other way round while the chart window is disabled).
void PX$SHOW_WIN(Diary& d);

// The two refusals of a full table.
void PX$ERR_MES1_SUB();
void PX$ERR_MES2_SUB();

}  // namespace diary
