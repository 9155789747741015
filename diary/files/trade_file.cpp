#include "diary/files/trade_file.hpp"

#include <algorithm>

#include "common/combo_text.hpp"
#include "common/field_text.hpp"
#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "common/lenient_number.hpp"
#include "common/text_file.hpp"
#include "common/value_checks.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

const std::string& recordStart() { return "********** ここから **********"_sj; }
const std::string& recordEnd() { return "---------- ここまで ----------"_sj; }

// Which group, sub-item or option a key names.
struct BlockKey {
    enum Kind { None, Group, Item, Option } kind = None;
    int g = 0, i = 0, k = 0;
};

BlockKey blockKeyOf(const std::string& key) {
    for (int g = 1; g <= kGroupCount; ++g) {
        if (key == common::groupKey(g)) return {BlockKey::Group, g, 0, 0};
        for (int i = firstItemOf(g); i <= 3; ++i)
            if (key == common::groupItemKey(g, i)) return {BlockKey::Item, g, i, 0};
    }
    for (int k = 1; k <= kOptionCount; ++k)
        if (key == common::optionKey(k)) return {BlockKey::Option, 0, 0, k};
    return {};
}

std::string entryText(std::int16_t index, const std::string& text) {
    std::string e;
    common::PX$COMBO_SUB1(text, index, e);
    return e;
}

// Splits a choice line's entry ("3_上昇") into index and text.
void splitEntry(const std::string& entry, std::int16_t& index, std::string& text) {
    common::PX$COMBO_SUB2(entry, text, index);
}

// The lines of a memo as the memo window holds them: the text split at CR LF.
std::vector<std::string> memoLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

// A memo line is written as a whole line and read back by line input: only line ends
// and the end-of-file byte cannot be in it.
std::string memoLineText(std::string line) {
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n' || c == '\x1A'; });
    return line;
}

class RecordWriter {
public:
    RecordWriter(common::TextFileWriter& w, const BasicData& basic, RecordBlocks blocks = RecordBlocks::InUse)
        : w_(w), basic_(basic), blocks_(blocks) {}

    void write(const TradeRecord& r) {
        using common::fieldText;
        using common::quotedField;
        w_.line(recordStart());
        header("取引ナンバー"_sj, runtime::numberText(r.tradeNumber));
        header("処理区分"_sj, runtime::numberText(r.recordKind));
        w_.header("取引状況"_sj, runtime::numberText(std::int32_t{0}));
        w_.line(fieldText(r.status) + "," + quotedField(r.statusTime));
        w_.separator();
        w_.header("日時確定"_sj, runtime::numberText(std::int32_t{0}));
        w_.line(quotedField(r.confirmTime));
        w_.separator();
        header("通貨ペア"_sj, fieldText(entryText(r.pairIndex, r.pairName)));
        header("売買項目"_sj, fieldText(entryText(r.sideIndex, r.sideName)));
        w_.header("価格"_sj, fieldText(r.priceText));
        w_.line(fieldText(r.priceInteger));
        w_.line(fieldText(r.priceFraction));
        w_.separator();
        header("注文枚数"_sj, runtime::numberText(std::int32_t{r.orderLots}));
        header("注文残枚数"_sj, runtime::numberText(std::int32_t{r.remainingLots}));
        header("決済枚数"_sj, runtime::numberText(std::int32_t{r.settleLots}));
        header("通貨単位"_sj, runtime::numberText(r.lotUnit));
        header("基本時間足"_sj, fieldText(entryText(r.timeframeIndex, r.timeframeName)));
        w_.header("損切り価格"_sj, fieldText(r.stopChart));
        for (const std::string* part : {&r.stopInteger, &r.stopFraction, &r.carryStopInteger, &r.carryStopFraction})
            w_.line(fieldText(*part));
        w_.line(quotedField(r.stopTime));
        w_.line(quotedField(r.carryStopTime));
        w_.separator();
        w_.header("決済目標価格"_sj, "ＣＧ無し"_sj);
        for (const std::string* part :
             {&r.targetInteger, &r.targetFraction, &r.carryTargetInteger, &r.carryTargetFraction})
            w_.line(fieldText(*part));
        w_.line(quotedField(r.targetTime));
        w_.line(quotedField(r.carryTargetTime));
        w_.separator();
        header("基本損益"_sj, r.basePL.value().toText());
        header("損益"_sj, r.tradePL.value().toText());
        header("損益額"_sj, r.tradePLAmount.value().toText());
        w_.header("メモ"_sj, runtime::numberText(r.memoLineCount));
        for (int c = 1; c <= 5; ++c) w_.line(fieldText(r.memoChart[c]));
        if (r.memoLineCount > 0) {
            // Lines 1..count, as the reader takes them back.
            const std::vector<std::string> lines = memoLines(r.memoText);
            for (std::size_t line = 1; static_cast<float>(line) <= r.memoLineCount; ++line)
                w_.line(line <= lines.size() ? memoLineText(lines[line - 1]) : std::string());
        }
        w_.separator();
        writeGroups(r);
        writeOptions(r);
        w_.line(recordEnd());
        w_.line();
    }

private:
    // A header line with its value, then the separator.
    void header(const std::string& key, const std::string& value) {
        w_.header(key, value);
        w_.separator();
    }

    void choiceLine(const RecordChoice& c) {
        w_.line(common::fieldText(entryText(c.index, c.text)) + "," + common::quotedField(c.time));
    }

    bool asRead() const { return blocks_ == RecordBlocks::AsRead; }

    void writeGroups(const TradeRecord& r) {
        for (int g = 1; g <= kGroupCount; ++g) {
            const Group& group = basic_.groups[g];
            if (asRead() ? !r.groups[g].present : group.used != 1) continue;
            w_.header(common::groupKey(g), common::fieldText(r.groups[g].chart));
            w_.line(common::fieldText(asRead() ? r.groups[g].name : group.name));
            for (int i = firstItemOf(g); i <= 3; ++i) {
                if (asRead() ? !r.groups[g].items[i].present : group.items[i].used != 1) continue;
                const RecordChoice& c = r.groups[g].items[i];
                w_.header(common::groupItemKey(g, i), common::fieldText(c.label));
                choiceLine(c);
            }
            w_.separator();
        }
    }

    void writeOptions(const TradeRecord& r) {
        for (int k = 1; k <= kOptionCount; ++k) {
            if (asRead() ? !r.options[k].choice.present : basic_.options[k].used != 1) continue;
            const RecordOption& o = r.options[k];
            w_.header(common::optionKey(k), common::fieldText(o.chart));
            w_.line(common::fieldText(o.choice.label));
            choiceLine(o.choice);
            w_.separator();
        }
    }

    common::TextFileWriter& w_;
    const BasicData& basic_;
    RecordBlocks blocks_;
};

// What the reading of one file applies where. The in-progress file and the archive apply
// every field to the current record; a paste applies the selected fields only, the rest
// being read into a scratch record so that the reading stays in step.
class Reading {
public:
    Reading(std::string_view text, TradeFileKind kind)
        : in_(text), kind_(kind),
          headers_(in_, common::kDataVersion, tradeFileName(kind) + "の上記のヘッダーを修正して下さい"_sj,
                   common::HeaderCaption::WithLastKey) {
        headers_.setMarkers({recordStart(), recordEnd()});
    }

    // Reads into the table (in-progress file and archive).
    TradeFileReading readTable(BasicData& basic, const NewRecordDefaults& defaults, TradeTable& table) {
        TradeFileReading result;
        int current = -1;
        while (auto e = headers_.next()) {
            if (e->marker == 2) continue;  // the record's end line is skipped like a separator
            if (e->marker == 1) {
                if (current + 1 >= table.slots()) tooManyRecords(*e, table.slots());
                ++current;
                if (kind_ == TradeFileKind::InProgress) initialiseRecord(table.at(current), defaults);
                continue;
            }
            // Fields before the first record belong to none: they are read and dropped.
            TradeRecord& r = current >= 0 ? table.at(current) : scratch_;
            apply(*e, r, nullptr, &basic, &result);
        }
        table.lastIndex = static_cast<std::int16_t>(current);
        table.currentIndex = static_cast<std::int16_t>(current);
        return result;
    }

    void readInto(TradeRecord& r, const PasteSelection& selection) {
        while (auto e = headers_.next())
            if (e->marker == 0) apply(*e, r, &selection, nullptr, nullptr);
    }

private:
    [[noreturn]] void tooManyRecords(const common::HeaderEntry& e, int slots) {
        throw common::DataError("ストック量エラー"_sj,
                                tradeFileName(kind_) + "の取引データが"_sj + runtime::digitsOf(slots) +
                                    "件を超えています。\r\n基本データ.TXTのストック量（"_sj +
                                    runtime::digitsOf(slots - 1) + "）を増やして下さい。"_sj,
                                e.offset);
    }

    std::string field() { return in_.readField(); }

    // Where a block's values go: into the record when the paste takes them (or when this
    // is no paste), else into the scratch record.
    TradeRecord& target(TradeRecord& r, const PasteSelection* selection, bool selected) {
        return selection == nullptr || selected ? r : scratch_;
    }

    void apply(const common::HeaderEntry& e, TradeRecord& record, const PasteSelection* paste, BasicData* basic,
               TradeFileReading* result) {
        const BlockKey block = blockKeyOf(e.key);
        // A group or option block keeps the header number it was read with, even one it is
        // too new to be read.
        if (block.kind == BlockKey::Group) {
            TradeRecord& r = target(record, paste, paste && paste->groups[block.g]);
            r.groups[block.g].version = e.number;
        } else if (block.kind == BlockKey::Option) {
            TradeRecord& r = target(record, paste, paste && paste->options[block.k]);
            r.options[block.k].version = e.number;
        }
        if (!e.applies) return;
        const std::string& file = tradeFileName(kind_);
        const std::string& key = e.key;
        // Fields a paste never takes are read into the scratch record.
        TradeRecord& never = target(record, paste, false);
        if (key == "取引ナンバー"_sj) {
            never.tradeNumber = common::singleOrZero(runtime::val(e.value));
        } else if (key == "処理区分"_sj) {
            never.recordKind = common::singleOrZero(runtime::val(e.value));
        } else if (key == "通貨単位"_sj) {
            never.lotUnit = common::singleOrZero(runtime::val(e.value));
        } else if (key == "注文枚数"_sj) {
            never.orderLots = common::int16OrZero(runtime::val(e.value));
        } else if (key == "注文残枚数"_sj) {
            never.remainingLots = common::int16OrZero(runtime::val(e.value));
        } else if (key == "決済枚数"_sj) {
            never.settleLots = common::int16OrZero(runtime::val(e.value));
        } else if (key == "取引状況"_sj) {
            never.status = field();
            never.statusTime = field();
        } else if (key == "日時確定"_sj) {
            target(record, paste, paste && paste->confirmTime).confirmTime = field();
        } else if (key == "通貨ペア"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->pair);
            splitEntry(e.value, r.pairIndex, r.pairName);
        } else if (key == "売買項目"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->side);
            splitEntry(e.value, r.sideIndex, r.sideName);
        } else if (key == "基本時間足"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->timeframe);
            splitEntry(e.value, r.timeframeIndex, r.timeframeName);
        } else if (key == "価格"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->price);
            r.priceText = e.value;
            r.priceInteger = field();
            r.priceFraction = field();
        } else if (key == "損切り価格"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->stopLoss);
            r.stopChart = e.value;
            r.stopInteger = field();
            r.stopFraction = field();
            r.carryStopInteger = field();
            r.carryStopFraction = field();
            // Files older than 250 have no date-times here.
            if (e.number >= 250) {
                r.stopTime = field();
                r.carryStopTime = field();
            }
        } else if (key == "決済目標価格"_sj) {
            // Files older than 300 have no target block: the key is unknown to them.
            if (e.number < 300) return;
            TradeRecord& r = target(record, paste, paste && paste->target);
            r.targetInteger = field();
            r.targetFraction = field();
            r.carryTargetInteger = field();
            r.carryTargetFraction = field();
            r.targetTime = field();
            r.carryTargetTime = field();
        } else if (key == "基本損益"_sj) {
            common::checkedDecimal(e, file, never.basePL);
        } else if (key == "損益"_sj) {
            common::checkedDecimal(e, file, never.tradePL);
        } else if (key == "損益額"_sj) {
            common::checkedDecimal(e, file, never.tradePLAmount);
        } else if (key == "メモ"_sj) {
            TradeRecord& r = target(record, paste, paste && paste->memo);
            float m = common::singleOrZero(runtime::val(e.value));
            for (int c = 1; c <= 5; ++c) r.memoChart[c] = field();
            std::string text;
            for (int line = 1; static_cast<float>(line) <= m; ++line) {
                // A count beyond the end of the file counts the lines that are there.
                if (in_.atEnd()) {
                    m = static_cast<float>(line - 1);
                    break;
                }
                if (line > 1) text += "\r\n";
                text += in_.readLine();
            }
            r.memoText = std::move(text);
            r.memoLineCount = m;
        } else if (block.kind == BlockKey::Group) {
            TradeRecord& r = target(record, paste, paste && paste->groups[block.g]);
            r.groups[block.g].chart = e.value;
            std::string name = field();
            r.groups[block.g].name = name;
            r.groups[block.g].present = true;
            if (basic) basic->groups[block.g].name = name;
            if (result) meet(*result, 4 + block.g, name);
        } else if (block.kind == BlockKey::Item) {
            TradeRecord& r = target(record, paste, paste && paste->groups[block.g]);
            RecordChoice& c = r.groups[block.g].items[block.i];
            c.label = e.value;
            readChoice(c);
            c.present = true;
        } else if (block.kind == BlockKey::Option) {
            TradeRecord& r = target(record, paste, paste && paste->options[block.k]);
            RecordOption& o = r.options[block.k];
            o.choice.label = field();
            if (result) meet(*result, block.k - 1, o.choice.label);
            o.chart = e.value;
            readChoice(o.choice);
            o.choice.present = true;
        }
    }

    void readChoice(RecordChoice& c) {
        const std::string entry = field();
        c.time = field();
        splitEntry(entry, c.index, c.text);
    }

    static void meet(TradeFileReading& result, int key, const std::string& name) {
        for (const NameMet& n : result.namesMet)
            if (n.key == key) return;
        result.namesMet.push_back({key, name});
    }

    runtime::FieldReader in_;
    TradeFileKind kind_;
    common::HeaderReader headers_;
    TradeRecord scratch_;
};

}  // namespace

ArchiveText splitArchive(const std::string& text) {
    const std::string& end = recordEnd();
    std::size_t cut = 0;
    if (const auto p = text.rfind(end); p != std::string::npos) {
        cut = p + end.size();
        while (cut < text.size() && text[cut] != '\n' && text[cut] != '\r') ++cut;
        if (cut < text.size() && text[cut] == '\r') ++cut;
        if (cut < text.size() && text[cut] == '\n') ++cut;
    }
    // The empty, comment and separator lines after the last record belong to it.
    runtime::FieldReader rest(std::string_view(text).substr(cut));
    while (!rest.atEnd()) {
        const std::size_t start = cut + rest.position();
        if (!common::isSkippedField(rest.readField())) return {text.substr(0, start), text.substr(start)};
    }
    return {text, {}};
}

int countTradeRecords(std::string_view text) {
    // Every field of the stream is counted, so that the count covers every record start
    // the reading can meet, wherever a hand edit left it.
    runtime::FieldReader in(text);
    int count = 0;
    while (!in.atEnd())
        if (in.readField() == recordStart()) ++count;
    return count;
}

const std::string& tradeFileName(TradeFileKind kind) {
    switch (kind) {
    case TradeFileKind::InProgress: return "取引中データ.TXT"_sj;
    case TradeFileKind::Archive: return "整理データ.TXT"_sj;
    case TradeFileKind::Copy: break;
    }
    return "コピーデータ.TXT"_sj;
}

TradeFileReading readTradeFile(std::string_view text, TradeFileKind kind, BasicData& basic,
                               const NewRecordDefaults& defaults, TradeTable& table) {
    return Reading(text, kind).readTable(basic, defaults, table);
}

void readCopyFile(std::string_view text, const PasteSelection& selection, TradeRecord& record) {
    Reading(text, TradeFileKind::Copy).readInto(record, selection);
}

std::string writeTradeRecord(const TradeRecord& record, const BasicData& basic, RecordBlocks blocks) {
    common::TextFileWriter w;
    RecordWriter(w, basic, blocks).write(record);
    return w.take();
}

std::string writeArchive(const TradeTable& table, const BasicData& basic) {
    common::TextFileWriter w;
    RecordWriter writer(w, basic, RecordBlocks::AsRead);
    for (int n = 0; n <= table.lastIndex; ++n) writer.write(table.at(n));
    return w.take();
}

TradeFileTexts writeTradeFiles(const TradeTable& table, const BasicData& basic, const NewRecordDefaults& defaults) {
    common::TextFileWriter kept, archived;
    RecordWriter keep(kept, basic), archive(archived, basic);
    const std::string& closed = basic.tradeStates[4];
    const std::string& cancelled = basic.tradeStates[5];
    // The closed trades in the order their first record stands in the table.
    std::vector<float> closedTrades;
    for (int n = 0; n <= table.lastIndex; ++n) {
        const TradeRecord& r = table.at(n);
        if (r.status == closed) {
            if (std::find(closedTrades.begin(), closedTrades.end(), r.tradeNumber) == closedTrades.end())
                closedTrades.push_back(r.tradeNumber);
        } else if (r.status != cancelled) {
            keep.write(r);
        }
    }
    // Each closed trade goes to the archive whole: its records in table order with the
    // archive's status texts, then the memo record that closes it.
    for (const float number : closedTrades) {
        for (int n = 0; n <= table.lastIndex; ++n) {
            TradeRecord r = table.at(n);
            if (r.status != closed || r.tradeNumber != number) continue;
            if (r.isEntry()) r.status = basic.tradeStates[1];
            else if (r.status != basic.tradeStates[6]) r.status = basic.tradeStates[3];
            archive.write(r);
        }
        TradeRecord memo;
        initialiseRecord(memo, defaults);
        memo.status = basic.tradeStates[6];
        memo.recordKind = 1;
        memo.tradeNumber = number;
        archive.write(memo);
    }
    return {kept.take(), archived.take()};
}

}  // namespace diary
