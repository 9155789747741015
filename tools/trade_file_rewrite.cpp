#include "tools/trade_file_rewrite.hpp"

#include <algorithm>

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
    const int records = std::max(diary::countTradeRecords(text), 1);
    table.dimension(records - 1);
    return table;
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
    // With the basic data, the blocks they have in use; without, each record's own.
    const diary::RecordBlocks blocks = basic ? diary::RecordBlocks::InUse : diary::RecordBlocks::AsRead;
    diary::TradeTable table = tableFor(text);
    diary::readTradeFile(text, kind, data, defaults, table);
    if (kind == diary::TradeFileKind::Copy) {
        diary::TradeRecord record;
        if (table.lastIndex >= 0) record = table.at(0);
        else diary::initialiseRecord(record, defaults);
        table.erase();
        diary::readCopyFile(text, everything(), record);
        return diary::writeTradeRecord(record, data, blocks);
    }
    std::string written;
    for (int n = 0; n <= table.lastIndex; ++n) written += diary::writeTradeRecord(table.at(n), data, blocks);
    return written;
}

}  // namespace tools
