#pragma once
// The trade files read with the diary's rules and written back with its writer, for
// quillon-data: "取引中データ.TXT", "整理データ.TXT" and "コピーデータ.TXT".

#include <string>
#include <string_view>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_file.hpp"

namespace tools {

// Reads `text` as a trade file of `kind` and returns what the diary's writer makes of
// the records it read. Throws the reader's common::DataError at the first problem.
//  - The in-progress file and the archive are read into a table with a slot for every
//    record start the file holds, the in-progress file's
//    records initialised at each start, the archive's only advancing; every record read
//    is written back, in file order (a rewrite is no trade step: nothing is archived or
//    dropped).
//  - The copy file is one record: what a paste with every box ticked takes from it, over
//    the fields a paste never takes (trade number, kind, status, lots, unit, profit) as
//    the file's first record holds them.
// With `basic` (the diary's basic data) every record is written with the groups,
// sub-items and options the basic data have in use; without it, each record with exactly
// the blocks it was read with, under the group names it gave.
std::string rewriteTradeFile(std::string_view text, diary::TradeFileKind kind, const diary::BasicData* basic);

}  // namespace tools
