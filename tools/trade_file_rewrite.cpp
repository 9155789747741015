#include "tools/trade_file_rewrite.hpp"

#include <algorithm>
#include <utility>

#include "diary/files/trade_record.hpp"

namespace tools {

namespace {

using ItemLabels = std::array<std::array<std::string, 4>, diary::kGroupCount + 1>;
using OptionLabels = std::array<std::string, diary::kOptionCount + 1>;

// The defaults a new record takes, with the names of the basic data as its labels (the
// labels the trade window shows before a timeframe relabels them).
diary::NewRecordDefaults defaultsOf(const diary::BasicData& basic) {
    ItemLabels items;
    OptionLabels options;
    for (int g = 1; g <= diary::kGroupCount; ++g)
        for (int i = 0; i <= 3; ++i) items[g][i] = basic.groups[g].items[i].name;
    for (int k = 1; k <= diary::kOptionCount; ++k) options[k] = basic.options[k].name;
    return diary::newRecordDefaults(basic, items, options);
}

// A table with a slot for every record start of the text, so that no file fails only
// for the diary's stock capacity.
diary::TradeTable tableFor(std::string_view text) {
    diary::TradeTable table;
    const int records = std::clamp(diary::countTradeRecords(text), 1, kMostTableRecords);
    table.dimension(records - 1);
    return table;
}

// Marks as in use exactly the groups, sub-items and options whose blocks the text holds,
// from its reading: groups and options are the names the reading met (in a record or
// before the first one), a sub-item is in use when some record had its block.
void useBlocksOf(const diary::TradeFileReading& reading, const diary::TradeTable& table, diary::BasicData& basic) {
    for (int g = 1; g <= diary::kGroupCount; ++g) {
        basic.groups[g].used = 0;
        for (auto& item : basic.groups[g].items) item.used = 0;
    }
    for (int k = 1; k <= diary::kOptionCount; ++k) basic.options[k].used = 0;
    for (const diary::NameMet& met : reading.namesMet) {
        if (met.key >= 5) basic.groups[met.key - 4].used = 1;
        else basic.options[met.key + 1].used = 1;
    }
    for (int n = 0; n <= table.lastIndex; ++n)
        for (int g = 1; g <= diary::kGroupCount; ++g)
            for (int i = diary::firstItemOf(g); i <= 3; ++i)
                if (table.at(n).groups[g].items[i].present) {
                    basic.groups[g].items[i].used = 1;
                    basic.groups[g].used = 1;  // its sub-item is written inside the group's block
                }
}

diary::PasteSelection everything() {
    diary::PasteSelection s;
    s.pair = s.side = s.price = s.timeframe = true;
    s.stopLoss = s.target = s.confirmTime = s.memo = true;
    s.groups.fill(true);
    s.options.fill(true);
    return s;
}

}  // namespace

std::string rewriteTradeFile(std::string_view text, diary::TradeFileKind kind, const diary::BasicData* basic) {
    diary::BasicData data = basic ? *basic : diary::defaultBasicData();
    const diary::NewRecordDefaults defaults = defaultsOf(data);
    diary::TradeTable table = tableFor(text);
    const diary::TradeFileReading reading = diary::readTradeFile(text, kind, data, defaults, table);
    if (!basic) useBlocksOf(reading, std::as_const(table), data);
    std::string written;
    if (kind == diary::TradeFileKind::Copy) {
        diary::TradeRecord record;
        if (table.lastIndex >= 0) record = table.at(0);
        else diary::initialiseRecord(record, defaults);
        table.erase();
        diary::readCopyFile(text, everything(), record);
        return diary::writeTradeRecord(record, data);
    }
    for (int n = 0; n <= table.lastIndex; ++n) written += diary::writeTradeRecord(table.at(n), data);
    return written;
}

}  // namespace tools
