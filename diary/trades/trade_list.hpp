#pragma once
// The main window's trade list: one line per trade that can be opened (a held entry, an
// open trade, or an open trade's held settlement in its place), then "新規取引" while a
// new trade fits; and the stock display above it.

#include <string>
#include <vector>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

struct TradeList {
    std::vector<std::string> lines;
    std::vector<int> listMap;                // record index behind each line
    std::vector<std::string> listPrice;      // the price column's text of each line
    int newTradePos = -1;                    // the line "新規取引", -1 when none
    bool newTradeOffered = false;            // BUTTON50 enabled
};

// The nine columns of record n, with price, side and confirmed date-time from record e
// (the entry of a held settlement), joined by " : ". `price` gets the price column's text.
std::string tradeListLine(const TradeRecord& n, const TradeRecord& e, std::string* price = nullptr);

// The list of the table. A new trade is offered while lastIndex < capacity and the trade
// folder is not a relocated one.
TradeList buildTradeList(const TradeTable& table, const BasicData& basic, int capacity, bool relocated);

// "ストックサイズ：" capacity, CR LF, "ストック消費量：" (lastIndex + 1), both in
// number-to-text form.
std::string stockDisplay(int capacity, int lastIndex);

// The first record of the trade numbered `number` (its entry), -1 when none.
int entryIndexOf(const TradeTable& table, float number);

}  // namespace diary
