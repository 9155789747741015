#include "diary/trades/review.hpp"

#include "common/align.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

const std::string kCrLf = "\r\n";

// A price written as its parts, or "未設定" while it has no integer part.
std::string priceOrUnset(const std::string& integerPart, const std::string& fractionPart) {
    return integerPart.empty() ? "未設定"_sj : integerPart + "." + fractionPart;
}

// Aligns texts 1..n of a column (PX$文字列整理_SUB), element 0 becoming the column's blanks.
std::vector<std::string> column(std::vector<std::string> texts, std::int16_t mode) {
    texts.insert(texts.begin(), std::string());
    common::PX$文字列整理_SUB(texts, mode, static_cast<std::int16_t>(texts.size() - 1));
    return texts;
}

// One choice line: its date-time (19 blanks when it has none), the label and the choice.
std::string choiceLine(const RecordChoice& c) {
    return kCrLf + (c.time.empty() ? std::string(19, ' ') : c.time) + "　"_sj + c.label + "　"_sj + c.text + kCrLf;
}

std::string amountText(const runtime::DecimalVar& v) { return runtime::numberTextDouble(v.value().toDouble()); }

}  // namespace

bool isMemoRecord(const TradeRecord& r, const BasicData& basic) { return r.status == basic.tradeStates[6]; }

RecordLines closedTradeList(const TradeTable& table, bool plus, bool zeroOrMinus, int pairIndex) {
    RecordLines list;
    for (int n = 0; n <= table.lastIndex; ++n) {
        const TradeRecord& r = table.at(n);
        if (!r.isEntry() || (pairIndex != 0 && r.pairIndex != pairIndex)) continue;
        const double v = r.tradePLAmount.value().toDouble();
        if (!((plus && v > 0) || (zeroOrMinus && v <= 0))) continue;
        std::string number = runtime::digitsOf(r.tradeNumber);
        common::PX$文字列整理_SUB2(7, 2, runtime::digitsOf(r.tradeNumber), number);
        list.lines.push_back(number + " : " + r.pairName + " : " + r.sideName + " : " + r.statusTime + " : " +
                             runtime::numberTextDouble(v));
        list.records.push_back(n);
    }
    return list;
}

RecordLines settlementList(const TradeTable& table, int e, const BasicData& basic) {
    RecordLines list;
    const float number = table.at(e).tradeNumber;
    for (int n = e + 1; n <= table.lastIndex && table.at(n).tradeNumber == number; ++n) {
        const TradeRecord& r = table.at(n);
        if (isMemoRecord(r, basic))
            list.lines.push_back(r.memoText.empty() ? "－－－－　見当識　メ　モ　－－－－"_sj : "－－－　見当識　メモ（あり）－－－"_sj);
        else
            list.lines.push_back(r.statusTime + " : " + r.sideName + " : " + amountText(r.basePL));
        list.records.push_back(n);
    }
    return list;
}

std::string recordText(const TradeRecord& r, const BasicData& basic, const ItemSelection& items) {
    enum : std::int16_t { Left = 0, Right = 2 };
    const auto a = column({r.statusTime + " : ", r.targetTime + " : ", r.stopTime + " : "}, Right);
    const auto b = column({r.pairName + "  ", r.priceInteger + "." + r.priceFraction + "  ",
                           priceOrUnset(r.targetInteger, r.targetFraction),
                           priceOrUnset(r.stopInteger, r.stopFraction)},
                          Left);
    const std::int16_t lots = r.isEntry() ? r.orderLots : r.settleLots;
    const auto c = column({r.sideName, runtime::digitsOf(std::int32_t{lots}) + "枚  "_sj}, Left);
    const auto d = column({runtime::digitsOf(r.lotUnit) + "通貨"_sj}, Left);
    std::string text = a[1] + b[1] + c[1] + d[0] + kCrLf;
    text += a[0] + b[2] + c[2] + d[1] + kCrLf;
    text += a[2] + b[3] + "←決済目標価格"_sj + kCrLf;
    text += a[3] + b[4] + "←損切り価格"_sj + kCrLf;
    if (!r.confirmTime.empty() && r.confirmTime != "_")
        text += r.confirmTime + (r.isEntry() ? "エントリー"_sj : "決済"_sj) + kCrLf;
    text += "－－－－－－－－－－－－－－－－－－－－－－－"_sj + kCrLf;
    text += "      基本時間足   　"_sj + r.timeframeName + kCrLf;

    const std::string& unset = "未設定"_sj;
    for (int g = 1; g <= kGroupCount; ++g) {
        const RecordGroup& group = r.groups[g];
        // A group the record has no block for was not in use when it was written.
        if (group.version > 300 || !group.present) continue;
        const bool shown = items.shown[static_cast<std::size_t>(groupItemKey(g))];
        int chosen = 0;
        for (int i = firstItemOf(g); i <= 3; ++i) chosen += group.items[i].index;
        if ((!items.hideUnset || chosen > 0) && shown) text += kCrLf + kCrLf + basic.groups[g].name + kCrLf;
        for (int i = firstItemOf(g); i <= 3; ++i) {
            const RecordChoice& choice = group.items[i];
            if (!choice.present || !shown || (items.hideUnset && choice.text == unset)) continue;
            text += choiceLine(choice);
        }
    }
    text += kCrLf;
    for (int k = 1; k <= kOptionCount; ++k) {
        const RecordOption& option = r.options[k];
        if (option.version > 300 || !option.choice.present) continue;
        if (!items.shown[static_cast<std::size_t>(optionItemKey(k))]) continue;
        if (items.hideUnset && option.choice.text == unset) continue;
        text += choiceLine(option.choice);
    }
    if (!r.memoText.empty()) text += "－－－－－－－　メ　　モ　－－－－－－－－－－"_sj + kCrLf + r.memoText + kCrLf;
    return text;
}

std::string memoRecordText(const TradeRecord& r) {
    std::string text = "－－－－－－－　見当識　メ　　モ　－－－－－－－"_sj + kCrLf;
    if (!r.memoText.empty()) text += r.memoText + kCrLf;
    return text;
}

std::vector<ChartImage> chartImages(const TradeRecord& r, const BasicData& basic) {
    std::vector<ChartImage> images;
    const auto add = [&images](const std::string& label, const std::string& file) {
        if (!file.empty()) images.push_back({label, file});
    };
    add("損切り"_sj, r.stopChart);
    for (int c = 1; c <= 5; ++c) add("メモ"_sj + runtime::toFullWidth(std::to_string(c)), r.memoChart[c]);
    for (int k = 1; k <= kOptionCount; ++k) add(r.options[k].choice.label, r.options[k].chart);
    for (int g = 1; g <= kGroupCount; ++g) add(basic.groups[g].name, r.groups[g].chart);
    return images;
}

}  // namespace diary
