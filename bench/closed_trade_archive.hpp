#pragma once
// An archive of closed trades as years of trading leave it, made with the diary's own
// record writer: each trade its entry record, one or two settlement records and the memo
// record that closes it, every field set as the trade window and the settlement step set
// it (prices, stop-loss and target with their date-times, lots, profit, a memo of a few
// lines, chart names on some records, the groups and options of the basic data chosen).

#include <string>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace bench {

struct ClosedTradeArchive {
    std::string text;
    int trades = 0;
    int records = 0;
};

// `trades` closed trades; every fourth of them is settled in two steps, the others in
// one. The basic data are those the records are written under (groups and options in use).
ClosedTradeArchive closedTradeArchive(int trades, const diary::BasicData& basic,
                                      const diary::NewRecordDefaults& defaults);

// An in-progress file of `trades` open entries (the trades of the day) in the same style.
std::string openTradesFile(int trades, const diary::BasicData& basic, const diary::NewRecordDefaults& defaults);

}  // namespace bench
