#pragma once
// What a trade step does to the table, without windows: new trades and their numbers,
// the settlement record of an open trade, starting, settling (with the profit and the
// close of a fully settled trade), holding and cancelling. The trade window's screens
// decide when; these decide what.

#include <cstdint>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

// A new trade in slot lastIndex + 1: a new entry record with the next trade number
// (`tradeCounter` + 1, which the basic data keep). Returns its index. The caller checked
// that a slot is free.
int openNewTrade(TradeTable& table, BasicData& basic, const NewRecordDefaults& defaults);

// A brand-new trade that was never written is dropped: its slot and its number are
// given back.
void dropNewTrade(TradeTable& table, BasicData& basic);

// The settlement record of the open trade whose entry (or last record) is `parent`, in
// slot lastIndex + 1: the trade's number, pair, price, lots, unit and timeframe, the
// opposite side, all remaining lots to settle, and the trade's carried stop-loss and
// target. Returns its index. The caller checked that a slot is free.
int openSettlement(TradeTable& table, int parent, const NewRecordDefaults& defaults);

// Starts entry record n with `orderLots` lots: all of them open, the stop-loss and
// target carried, status "取引中".
void startEntry(TradeRecord& n, std::int16_t orderLots, const BasicData& basic);

// Settles `lots` (at most the remaining ones) of settlement record n: status "決済",
// the lots and the remaining lots on it and its entry, the entry's carried stop-loss and
// target, the profit; when nothing remains open, every record of the trade becomes
// "取引終了". Returns true when the trade closed. A profit beyond the decimal digits
// throws the runtime's overflow error with both records unchanged.
bool settle(TradeTable& table, int n, std::int16_t lots, const BasicData& basic);

// The folder name of a backup taken at the date-time YYYY/MM/DD_hh:mm:ss: YYMMDD_hhmmss.
std::string backupFolderName(const std::string& dateTime);

}  // namespace diary
