#include "common/basic_data/basic_data_file.hpp"

#include <optional>

#include "common/digit_code.hpp"
#include "common/field_text.hpp"
#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "common/lenient_number.hpp"
#include "common/text_file.hpp"
#include "common/value_checks.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

namespace {

std::string itemKey(int g, int i) { return groupItemKey(g, i); }

const std::string& fileName() { return "基本データ.TXT"_sj; }

// Which group, sub-item or option a key names.
struct BlockKey {
    enum Kind { Group, Item, Option } kind;
    int g = 0, i = 0, k = 0;
};

std::optional<BlockKey> blockKeyOf(const std::string& key) {
    for (int g = 1; g <= kGroupCount; ++g) {
        if (key == groupKey(g)) return BlockKey{BlockKey::Group, g, 0, 0};
        for (int i = firstItemOf(g); i <= 3; ++i)
            if (key == itemKey(g, i)) return BlockKey{BlockKey::Item, g, i, 0};
    }
    for (int k = 1; k <= kOptionCount; ++k)
        if (key == optionKey(k)) return BlockKey{BlockKey::Option, 0, 0, k};
    return std::nullopt;
}

class Reading {
public:
    Reading(runtime::FieldReader& in, BasicData& data)
        : headers_(in, kDataVersion, "基本データ.TXTの上記のヘッダーを修正して下さい"_sj,
                   HeaderCaption::BadHeaderOnly),
          data_(data) {}

    void run() {
        while (auto entry = headers_.next()) {
            if (entry->key == "取引ナンバー"_sj) {
                // A later version's counter is skipped, but the counter is still decoded
                // from the text read so far.
                if (entry->applies) data_.tradeCounterText = entry->value;
                PX$STR2VAL_SUB(data_.tradeCounter, data_.tradeCounterText);
                continue;
            }
            if (!entry->applies) continue;
            apply(*entry);
        }
    }

private:
    std::string field() { return headers_.in().readField(); }

    std::int16_t count(const HeaderEntry& e, int capacity) { return checkedCount(e, fileName(), capacity); }

    template <std::size_t N>
    std::int16_t readList(const HeaderEntry& e, std::array<std::string, N>& list) {
        const std::int16_t n = count(e, static_cast<int>(N) - 1);
        for (int j = 1; j <= n; ++j) list[static_cast<std::size_t>(j)] = field();
        return n;
    }

    void apply(const HeaderEntry& e) {
        const double n = runtime::val(e.value);
        if (e.key == "ストック量"_sj) data_.stockCapacity = checkedNumber(e, fileName(), 1, kMaxStockCapacity);
        else if (e.key == "注文枚数"_sj) data_.defaultLots = int16OrZero(n);
        else if (e.key == "通貨単位"_sj) data_.currencyUnit = singleOrZero(n);
        else if (e.key == "ＣＧフォルダ名"_sj) data_.chartFolderName = checkedFolderName(e, fileName());
        else if (e.key == "取引状況"_sj) data_.tradeStateCount = readList(e, data_.tradeStates);
        else if (e.key == "売買項目"_sj) data_.tradeSideCount = readList(e, data_.tradeSides);
        else if (e.key == "通貨ペア"_sj) data_.currencyPairCount = readList(e, data_.currencyPairs);
        else if (e.key == "時間足"_sj) readTimeframes(e);
        else if (e.key == "ＣＧ選択肢CGG"_sj) readGroupMarks(e);
        else if (e.key == "ＣＧ選択肢CGO"_sj) readOptionMarks(e);
        else if (const auto block = blockKeyOf(e.key)) readBlock(e, *block);
    }

    void readTimeframes(const HeaderEntry& e) {
        const std::int16_t n = count(e, kMaxTimeframes);
        for (int j = 1; j <= n; ++j) {
            auto& row = data_.timeframes[static_cast<std::size_t>(j)];
            row.base = field();
            row.shortName = field();
            row.middleName = field();
            row.longName = field();
        }
        data_.timeframeCount = n;
    }

    // Marks name sub-items and options by number; numbers outside the lists are read
    // past and ignored, like any entry the diary does not know.
    void readGroupMarks(const HeaderEntry& e) {
        const std::int16_t n = count(e, 4 * kGroupCount);
        for (int j = 0; j < n; ++j) {
            const double i = runtime::val(field()), g = runtime::val(field());
            const std::string label = field();
            if (i < 0 || i > 3 || g < 1 || g > kGroupCount) continue;
            const auto ii = static_cast<std::size_t>(i), gg = static_cast<std::size_t>(g);
            data_.groupChartLabel[ii][gg] = label;
            data_.groupChartMark[ii][gg] = 1;
        }
    }

    void readOptionMarks(const HeaderEntry& e) {
        const std::int16_t n = count(e, kOptionCount);
        for (int j = 0; j < n; ++j) {
            const double k = runtime::val(field());
            const std::string label = field();
            if (k < 1 || k > kOptionCount) continue;
            data_.optionChartLabel[static_cast<std::size_t>(k)] = label;
            data_.optionChartMark[static_cast<std::size_t>(k)] = 1;
        }
    }

    void readBlock(const HeaderEntry& e, const BlockKey& b) {
        switch (b.kind) {
        case BlockKey::Group: {
            auto& group = data_.groups[static_cast<std::size_t>(b.g)];
            field();  // the label "グループ名"
            group.name = field();
            group.used = group.name.empty() ? 0 : 1;
            break;
        }
        case BlockKey::Item: {
            auto& item = data_.groups[static_cast<std::size_t>(b.g)].items[static_cast<std::size_t>(b.i)];
            const std::int16_t n = count(e, kMaxChoices);
            field();  // the label "項目名"
            item.name = field();
            item.used = item.name.empty() ? 0 : 1;
            for (int j = 1; j <= n; ++j) item.choices[static_cast<std::size_t>(j)] = field();
            item.count = n;
            break;
        }
        case BlockKey::Option: {
            auto& option = data_.options[static_cast<std::size_t>(b.k)];
            const std::int16_t n = count(e, kMaxChoices);
            field();
            option.name = field();
            option.used = option.name.empty() ? 0 : 1;
            for (int j = 1; j <= n; ++j) option.choices[static_cast<std::size_t>(j)] = field();
            option.count = n;
            break;
        }
        }
    }

    HeaderReader headers_;
    BasicData& data_;
};

std::string number(std::int32_t n) { return runtime::numberText(n); }

// A list block: the header with the count, one line per element 1..count, the separator.
template <std::size_t N>
void writeList(TextFileWriter& w, const std::string& key, const std::array<std::string, N>& list, int count) {
    w.header(key, number(count));
    for (int j = 1; j <= count; ++j) w.line(fieldText(list[static_cast<std::size_t>(j)]));
    w.separator();
}

}  // namespace

void readBasicData(std::string_view text, BasicData& data) {
    runtime::FieldReader in(text);
    Reading(in, data).run();
}

std::string writeBasicData(const BasicData& d) {
    TextFileWriter w;
    std::string counter;
    PX$VAL2STR_SUB(d.tradeCounter, counter);
    w.header("取引ナンバー"_sj, counter);
    w.separator(), w.line(), w.separator();
    w.line("'ここから下はヘッダーの数値又は文字列と"_sj);
    w.line("'各項目名称のみ変更可能"_sj);
    w.line("'ヘッダー名は変更禁止"_sj);
    w.separator();
    w.header("ストック量"_sj, number(d.stockCapacity)), w.separator();
    w.header("ＣＧフォルダ名"_sj, fieldText(d.chartFolderName)), w.separator();
    w.header("注文枚数"_sj, number(d.defaultLots)), w.separator();
    w.header("通貨単位"_sj, runtime::numberText(d.currencyUnit)), w.separator(), w.line(), w.separator();
    w.line("'ここから下は項目名称のみ変更可能"_sj);
    w.line("'但しヘッダー部分は変更禁止"_sj);
    w.separator();
    writeList(w, "取引状況"_sj, d.tradeStates, d.tradeStateCount);
    writeList(w, "売買項目"_sj, d.tradeSides, d.tradeSideCount);
    w.line(), w.separator();
    w.line("'ここから下はヘッダーの数値（項目数に相当　最大２０）"_sj);
    w.line("'項目数に応じた各項目名称のみ変更可能"_sj);
    w.line("'ヘッダー名は変更禁止"_sj);
    w.separator();
    writeList(w, "通貨ペア"_sj, d.currencyPairs, d.currencyPairCount);
    w.header("時間足"_sj, number(d.timeframeCount));
    for (int j = 1; j <= d.timeframeCount; ++j) {
        const auto& r = d.timeframes[static_cast<std::size_t>(j)];
        w.line(fieldText(r.base) + "," + fieldText(r.shortName) + "," +
               fieldText(r.middleName) + "," + fieldText(r.longName));
    }
    w.separator();

    int groupMarks = 0, optionMarks = 0;
    for (int g = 1; g <= kGroupCount; ++g)
        for (int i = 0; i <= 3; ++i) groupMarks += d.groupChartMark[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)] == 1;
    for (int k = 1; k <= kOptionCount; ++k) optionMarks += d.optionChartMark[static_cast<std::size_t>(k)] == 1;
    if (groupMarks > 0) {
        w.header("ＣＧ選択肢CGG"_sj, number(groupMarks));
        for (int g = 1; g <= kGroupCount; ++g)
            for (int i = 0; i <= 3; ++i) {
                const auto ii = static_cast<std::size_t>(i), gg = static_cast<std::size_t>(g);
                if (d.groupChartMark[ii][gg] == 1)
                    w.line(number(i) + "," + number(g) + "," + quotedField(d.groupChartLabel[ii][gg]));
            }
        w.separator();
    }
    if (optionMarks > 0) {
        w.header("ＣＧ選択肢CGO"_sj, number(optionMarks));
        for (int k = 1; k <= kOptionCount; ++k)
            if (d.optionChartMark[static_cast<std::size_t>(k)] == 1)
                w.line(number(k) + "," + quotedField(d.optionChartLabel[static_cast<std::size_t>(k)]));
        w.separator();
    }

    for (int g = 1; g <= kGroupCount; ++g) {
        const auto& group = d.groups[static_cast<std::size_t>(g)];
        w.header(groupKey(g), "0");
        w.line("グループ名,"_sj + fieldText(group.name));
        w.line("'");
        for (int i = firstItemOf(g); i <= 3; ++i) {
            const auto& item = group.items[static_cast<std::size_t>(i)];
            w.header(itemKey(g, i), number(item.count));
            w.line("項目名,"_sj + fieldText(item.name));
            for (int j = 1; j <= item.count; ++j) w.line(fieldText(item.choices[static_cast<std::size_t>(j)]));
            if (i < 3) w.line("'");
            else w.separator();
        }
    }
    for (int k = 1; k <= kOptionCount; ++k) {
        const auto& option = d.options[static_cast<std::size_t>(k)];
        w.header(optionKey(k), number(option.count));
        w.line("グループ名,"_sj + fieldText(option.name));
        for (int j = 1; j <= option.count; ++j) w.line(fieldText(option.choices[static_cast<std::size_t>(j)]));
        w.separator();
    }
    return w.take();
}

}  // namespace common
