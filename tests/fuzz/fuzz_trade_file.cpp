// Feeds arbitrary bytes to the readers of the trade files ("取引中データ.TXT",
// "整理データ.TXT", "コピーデータ.TXT"), as a hand-edited or cut-off file would reach them.
// A file either reads or stops with its message; what reads must write back, read again
// and write the same text the second time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/data_error.hpp"
#include "diary/files/trade_file.hpp"

namespace {

diary::BasicData fuzzBasicData() {
    diary::BasicData d = diary::defaultBasicData();
    d.groups[1].name = "G1";
    d.groups[1].used = 1;
    d.groups[1].items[1].name = "I1";
    d.groups[1].items[1].used = 1;
    d.groups[2].name = "G2";
    d.groups[2].used = 1;
    d.groups[2].items[0].name = "I0";
    d.groups[2].items[0].used = 1;
    d.options[2].name = "O2";
    d.options[2].used = 1;
    return d;
}

diary::NewRecordDefaults defaultsOf(const diary::BasicData& b) {
    std::array<std::array<std::string, 4>, diary::kGroupCount + 1> items;
    std::array<std::string, diary::kOptionCount + 1> options;
    return diary::newRecordDefaults(b, items, options);
}

// Reads `text` as `kind`, writes the table, and checks that the written text is stable.
void roundTrip(const std::string& text, diary::TradeFileKind kind) {
    diary::BasicData basic = fuzzBasicData();
    const diary::NewRecordDefaults defaults = defaultsOf(basic);
    const int slots = kind == diary::TradeFileKind::Archive ? diary::countTradeRecords(text) : 30;
    diary::TradeTable table;
    table.dimension(slots);
    try {
        diary::readTradeFile(text, kind, basic, defaults, table);
    } catch (const common::DataError&) {
        return;
    }
    const diary::TradeFileTexts first = diary::writeTradeFiles(table, basic, defaults);
    const std::string written = first.inProgress + first.archiveAppend;
    diary::TradeTable again;
    again.dimension(diary::countTradeRecords(written));
    diary::readTradeFile(written, diary::TradeFileKind::InProgress, basic, defaults, again);
    // The archive's records come back with the archive's status texts, which the
    // in-progress writer then keeps: the second writing is the first one's text.
    const diary::TradeFileTexts second = diary::writeTradeFiles(again, basic, defaults);
    if (second.inProgress + second.archiveAppend != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    roundTrip(text, diary::TradeFileKind::InProgress);
    roundTrip(text, diary::TradeFileKind::Archive);
    diary::TradeRecord record;
    diary::PasteSelection all;
    all.pair = all.side = all.price = all.timeframe = all.stopLoss = all.target = all.confirmTime = all.memo = true;
    all.groups.fill(true);
    all.options.fill(true);
    try {
        diary::readCopyFile(text, all, record);
    } catch (const common::DataError&) {
    }
    return 0;
}
