#pragma once
// The trades of the trade-data folder on the screens' side: loading them at start-up,
// writing, reading back and backing up after every change, and the main window's list.

#include "diary/app/diary_state.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

// What a new record starts with now: the basic data's defaults and the labels shown.
NewRecordDefaults currentDefaults(const Diary& d);

// At start-up: finishes or undoes a trade step a crash cut off, sizes the table by the
// stock capacity, reads "取引中データ.TXT" and shows the trade list. A trade number the
// basic data never saved (the program ended between the two writes of a step) is taken
// over, so that it is never given out twice.
void loadTrades(Diary& d);

// Writes the table (closed trades to the archive, the rest to "取引中データ.TXT"), reads
// the in-progress file back and rebuilds the list, then runs the backup step and updates
// the main window's buttons: what follows every change of trades. An archive that ends in
// part of a record takes no closed trade: its message, and the table as the files hold it.
void saveTrades(Diary& d);

// Reads "取引中データ.TXT" into the table and rebuilds the trade list. A file the diary
// cannot read ends the program with its message.
void readTrades(Diary& d);

// The backup step: the basic data when a trade number was taken, then the three data
// files into a new folder of the backup folder named by the date-time, when backups are on.
void PX$データバックアップ_SUB(Diary& d);

// BUTTON21 while "整理データ.TXT" exists in the trade-data folder, BUTTON22 while
// "取引中データ.TXT" does (never in a relocated folder).
void PX$SET_B21B22_SUB(Diary& d);

// The main window's list, the stock display and the new-trade button from the table.
void rebuildTradeList(Diary& d);

}  // namespace diary
