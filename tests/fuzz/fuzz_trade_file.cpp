// Feeds arbitrary bytes to the readers of the trade files ("取引中データ.TXT",
// "整理データ.TXT", "コピーデータ.TXT") and of the trade store's note, as a hand-edited or
// cut-off file would reach them.
// A file either reads or stops with its message; what reads must write back, read again
// and write the same text the second time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/data_error.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_store.hpp"
#include "runtime/field_reader.hpp"
#include "runtime/sjis.hpp"

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
    const diary::NewRecordDefaults blank;
    return diary::newRecordDefaults(b, blank.itemLabel, blank.optionLabel);
}

// The record starts among all the fields of the stream, as a reading of every field
// finds them: what the record count, which passes over most lines, must also find.
int recordStartFields(const std::string& text) {
    using namespace runtime::literals;
    const std::string& start = "********** ここから **********"_sj;
    runtime::FieldReader in(text);
    int count = 0;
    while (!in.atEnd())
        if (in.readField() == start) ++count;
    return count;
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
    if (diary::countTradeRecords(text) != recordStartFields(text)) __builtin_trap();
    roundTrip(text, diary::TradeFileKind::InProgress);
    // The review reads an archive's whole records and keeps a cut-off end as it is.
    const diary::ArchiveText archive = diary::splitArchive(text);
    if (archive.complete + archive.tail != text) __builtin_trap();
    roundTrip(archive.complete, diary::TradeFileKind::Archive);
    // The trade store's note: what reads writes back to a text that reads the same.
    diary::StoreNote note;
    if (diary::readStoreNote(text, note)) {
        diary::StoreNote again;
        if (!diary::readStoreNote(diary::storeNoteText(note), again) || again.archiveBefore != note.archiveBefore ||
            again.append != note.append || again.inProgress != note.inProgress)
            __builtin_trap();
    }
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
