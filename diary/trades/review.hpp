#pragma once
// What the closed-trade window shows of the archive, without windows: the list of closed
// trades with their final profit, a trade's settlements and memo record, the text of one
// record with the groups and options chosen for it, and its chart images.

#include <array>
#include <string>
#include <vector>

#include "diary/files/basic_data.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

// The item list's keys: options 1..5 are keys 0..4, groups 1..11 keys 5..15.
inline constexpr int kItemKeys = 16;
inline int optionItemKey(int k) { return k - 1; }
inline int groupItemKey(int g) { return 4 + g; }

// Lines of a list and the record index behind each.
struct RecordLines {
    std::vector<std::string> lines;
    std::vector<int> records;
};

// The entry list: every entry record in file order whose pair passes (0: every pair)
// and whose final profit amount is > 0 with `plus`, <= 0 with `zeroOrMinus`.
RecordLines closedTradeList(const TradeTable& table, bool plus, bool zeroOrMinus, int pairIndex);

// The records after entry `e` that share its trade number: each settlement with its date,
// side and price difference, the memo record as "見当識" with or without a memo.
RecordLines settlementList(const TradeTable& table, int e, const BasicData& basic);

// True for the memo record that closes a trade in the archive.
bool isMemoRecord(const TradeRecord& r, const BasicData& basic);

// What the record text shows of the groups and options: with `hideUnset` the groups with
// nothing chosen and the choices "未設定" are left out; `shown[key]` tells whether the
// item list holds the key and has it selected.
struct ItemSelection {
    bool hideUnset = false;
    std::array<bool, kItemKeys> shown{};
};

// The text of record r: four aligned lines (date-times, pair and prices, side and lots,
// unit), the confirmed date-time, the timeframe, the groups and options, the memo. Group
// names are the basic data's (as the archive gave them).
std::string recordText(const TradeRecord& r, const BasicData& basic, const ItemSelection& items);

// The text of a memo record: its heading and its memo.
std::string memoRecordText(const TradeRecord& r);

// The chart images of a record under their labels: "損切り", "メモ１".."メモ５", the option
// labels, the group names; only the slots that hold an image.
struct ChartImage {
    std::string label;
    std::string file;
};
std::vector<ChartImage> chartImages(const TradeRecord& r, const BasicData& basic);

}  // namespace diary
