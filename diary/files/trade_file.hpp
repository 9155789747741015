#pragma once
// The trade files: "取引中データ.TXT" (trades not yet closed), "整理データ.TXT" (the
// archive of closed trades) and "コピーデータ.TXT" (one record for copy and paste). All
// three are a sequence of records in one layout; they differ in what a record's first
// line does on reading, in the header-error text, and (the copy file) in which fields a
// reading applies. Pure functions over text and the table.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

enum class TradeFileKind {
    InProgress,  // "取引中データ.TXT": each record starts a new, initialised slot
    Archive,     // "整理データ.TXT": each record only advances to the next (fresh) slot
    Copy,        // "コピーデータ.TXT": everything goes into one record
};

// The file's name, as the messages name it.
const std::string& tradeFileName(TradeFileKind kind);

// What a reading of the in-progress file or the archive found besides the records: the
// group names and option labels in the order their keys were first met (key k - 1 for
// option k, 4 + g for group g), for the closed-trade window's item list.
struct NameMet {
    int key = 0;
    std::string name;
};
struct TradeFileReading {
    std::vector<NameMet> namesMet;
};

// Which fields a paste takes from the copy file (the check boxes of the paste window).
struct PasteSelection {
    bool pair = false, side = false, price = false, timeframe = false;
    bool stopLoss = false, target = false, confirmTime = false, memo = false;
    std::array<bool, kGroupCount + 1> groups{};
    std::array<bool, kOptionCount + 1> options{};
};

// An archive can end in part of a record, left by a program that stopped in the middle
// of an append (the diary's own trade step undoes that at its next start; another writer
// may not): the whole records, and what follows the last of them when it holds more than
// empty lines, comments and separators.
struct ArchiveText {
    std::string complete;
    std::string tail;
};
ArchiveText splitArchive(const std::string& text);

// How many records an archive holds, for the table it is read into: the record starts
// the reading can meet (it may meet fewer).
int countTradeRecords(std::string_view text);

// Reads the records of an in-progress file or an archive into the table, whose slots
// were dimensioned by the caller: records go to slots 0..n-1, lastIndex = n - 1. Group
// names stored in the file replace `basic`'s (they stay until the program ends).
// Throws common::HeaderError for a bad header (the caption names the last key and the
// header, the text the file) and common::DataError for a file with more records than the
// table has slots; the program then stops without writing anything.
TradeFileReading readTradeFile(std::string_view text, TradeFileKind kind, BasicData& basic,
                               const NewRecordDefaults& defaults, TradeTable& table);

// Applies the selected fields of the copy file to `record`. Every block is read whether
// or not it is selected, so the reading stays in step; trade number, kind, status, lots,
// unit and the profit values are never taken.
void readCopyFile(std::string_view text, const PasteSelection& selection, TradeRecord& record);

// Which group, sub-item and option blocks a record is written with.
enum class RecordBlocks {
    InUse,   // those the basic data have in use, under the basic data's group names
    AsRead,  // those the record was read with, under the names it was read with
};

// One record in the layout of the trade files (both marker lines and the empty line
// after it included).
std::string writeTradeRecord(const TradeRecord& record, const BasicData& basic,
                             RecordBlocks blocks = RecordBlocks::InUse);

// The whole archive again, every record with the blocks it was read with: a rewrite
// keeps the classification of years-old trades whatever the basic data use today.
std::string writeArchive(const TradeTable& table, const BasicData& basic);

// What writing the table gives: the whole new in-progress file, and the records the
// archive gains (closed trades, each followed by its memo record; empty when no trade
// closed). Records of a closed trade ("取引終了") go to the archive with the archive's
// status texts; cancelled records ("中止") go nowhere.
struct TradeFileTexts {
    std::string inProgress;
    std::string archiveAppend;
};
TradeFileTexts writeTradeFiles(const TradeTable& table, const BasicData& basic, const NewRecordDefaults& defaults);

}  // namespace diary
