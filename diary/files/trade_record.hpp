#pragma once
// The trade record and the trade table. One trade is an entry record followed by one
// settlement record per (partial) settlement, all with the same trade number. The same
// record serves the in-progress file, the archive and the one-record copy file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "diary/files/basic_data.hpp"
#include "diary/files/sparse_array.hpp"
#include "runtime/decimal.hpp"

namespace diary {

// The choice of one group sub-item or one option on a record.
struct RecordChoice {
    std::string label;      // the label shown for it (a timeframe for SHORT / MIDDLE / LONG)
    std::int16_t index = 0;  // the chosen choice; 0 is "未設定"
    std::string text;       // the choice's text
    std::string time;       // when it was chosen; empty for choice 0
    bool present = false;   // its block was read from a file
};

struct RecordOption {
    std::string chart;                        // chart image registered for the option
    std::int16_t version = 0;                 // header number the block was read with
    RecordChoice choice;
};

struct RecordGroup {
    std::string chart;                        // chart image of the group's chart button
    std::string name;                         // the group's name as the record's block gave it
    bool present = false;                     // the block was read from a file
    std::int16_t version = 0;                 // header number the block was read with
    std::array<RecordChoice, 4> items{};      // sub-items 1..3; group 2 also 0
};

struct TradeRecord {
    float tradeNumber = 0;
    float recordKind = 0;  // 0 entry, 1 settlement (and the archive's memo record)
    std::string status, statusTime;
    std::string confirmTime;  // YYYY/MM/DD_hh:mm:ss, or "_" when not confirmed
    std::int16_t pairIndex = 0;
    std::string pairName;
    std::int16_t sideIndex = 0;
    std::string sideName;
    std::string priceText, priceInteger, priceFraction;
    std::int16_t orderLots = 0, remainingLots = 0, settleLots = 0;
    float lotUnit = 0;
    std::int16_t timeframeIndex = 0;
    std::string timeframeName;
    std::string stopChart;
    std::string stopInteger, stopFraction, stopTime;
    std::string carryStopInteger, carryStopFraction, carryStopTime;
    std::string targetInteger, targetFraction, targetTime;
    std::string carryTargetInteger, carryTargetFraction, carryTargetTime;
    // Profit and loss in exact decimals: the price difference of a settlement, the profit
    // in price units times lots, and the trade's running profit amount in currency.
    // Signed, integer and fraction digits ("-3.5", "-6.5", "-9.5"), spelled out so that a
    // table of thousands of records is made without parsing them each time.
    runtime::DecimalVar basePL{runtime::DecimalSpec{true, 3, 5}};
    runtime::DecimalVar tradePL{runtime::DecimalSpec{true, 6, 5}};
    runtime::DecimalVar tradePLAmount{runtime::DecimalSpec{true, 9, 5}};
    float memoLineCount = 0;
    std::array<std::string, 6> memoChart{};  // 1..5
    std::string memoText;                    // lines joined with CR LF
    // Group and option blocks are made when first written to (a new record's are all
    // made by its initialisation; a record read from the archive has those it was
    // written with); one never made reads as empty, version 0 and not present.
    SparseArray<RecordGroup, kGroupCount + 1> groups;     // 1..11
    SparseArray<RecordOption, kOptionCount + 1> options;  // 1..5

    bool isEntry() const { return recordKind == 0; }
};

// What a new record starts with: the defaults of the basic data and the labels the trade
// window shows at the time.
struct NewRecordDefaults {
    std::int16_t defaultLots = 10;
    float currencyUnit = 10000;
    std::string noPair, noSide, noTimeframe;  // element 0 of the lists ("未設定")
    std::array<std::array<std::string, 4>, kGroupCount + 1> itemLabel{};
    std::array<std::array<std::string, 4>, kGroupCount + 1> itemChoice0{};
    std::array<std::string, kOptionCount + 1> optionLabel{};
    std::array<std::string, kOptionCount + 1> optionChoice0{};
};

// The defaults from the basic data, with the given display labels of the sub-items
// [g][i] and options [k].
NewRecordDefaults newRecordDefaults(const BasicData& basic,
                                    const std::array<std::array<std::string, 4>, kGroupCount + 1>& itemLabels,
                                    const std::array<std::string, kOptionCount + 1>& optionLabels);

// The new-record values: trade number 0, no status, "未設定" pair, side and timeframe,
// price "0", the default lots and unit, "_" as confirmed date-time, every choice 0.
void initialiseRecord(TradeRecord& r, const NewRecordDefaults& defaults);

// The trade table: slots 0..capacity, records 0..lastIndex in file order. Its indexes are
// plain ints, not 16-bit: an archive of years of trades holds more than 32767 records.
struct TradeTable {
    std::vector<TradeRecord> records;
    int lastIndex = -1;
    int currentIndex = -1;
    int parentIndex = -1;

    // Sizes the table to slots 0..capacity, every slot a fresh (empty) record.
    void dimension(int capacity);
    // Empties the table and gives back the storage of its slots.
    void erase();
    int slots() const { return static_cast<int>(records.size()); }
    TradeRecord& at(int index) { return records.at(static_cast<std::size_t>(index)); }
    const TradeRecord& at(int index) const { return records.at(static_cast<std::size_t>(index)); }
};

}  // namespace diary
