#include "diary/trades/trade_list.hpp"

#include "common/align.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

std::string padded(const std::string& text, int width, int mode) {
    std::string out = text;
    common::PX$文字列整理_SUB2(static_cast<std::int16_t>(width), static_cast<std::int16_t>(mode), text, out);
    return out;
}

std::string unlessUnset(const std::string& text) { return text == "未設定"_sj ? std::string() : text; }

// A price column: integer part "." fraction part, blank while no integer part is set.
std::string priceColumn(const std::string& integerPart, const std::string& fractionPart) {
    if (integerPart.empty() || integerPart == "0") return {};
    return integerPart + "." + fractionPart;
}

}  // namespace

std::string tradeListLine(const TradeRecord& n, const TradeRecord& e, std::string* price) {
    enum { Left = 0, Centre = 1, Right = 2 };
    const std::string priceText = e.priceText == "0" ? std::string() : e.priceText;
    if (price) *price = priceText;
    const std::string columns[] = {
        padded(runtime::digitsOf(n.tradeNumber), 6, Right),
        padded(n.statusTime, 19, Centre),
        padded(n.status, 8, Left),
        padded(unlessUnset(n.pairName), 10, Centre),
        padded(priceText, 7, Left),
        padded(unlessUnset(e.sideName), 4, Left),
        padded(e.confirmTime == "_" ? std::string() : e.confirmTime, 19, Left),
        padded(priceColumn(n.targetInteger, n.targetFraction), 7, Left),
        padded(priceColumn(n.stopInteger, n.stopFraction), 7, Left),
    };
    std::string line;
    for (const std::string& c : columns) {
        if (!line.empty()) line += " : ";
        line += c;
    }
    return line;
}

int entryIndexOf(const TradeTable& table, float number) {
    for (int n = 0; n <= table.lastIndex; ++n)
        if (table.at(n).tradeNumber == number) return n;
    return -1;
}

TradeList buildTradeList(const TradeTable& table, const BasicData& basic, int capacity, bool relocated) {
    const auto& states = basic.tradeStates;
    TradeList list;
    const auto add = [&list](const TradeRecord& n, const TradeRecord& e, int index) {
        std::string price;
        list.lines.push_back(tradeListLine(n, e, &price));
        list.listMap.push_back(index);
        list.listPrice.push_back(price);
    };
    for (int n = 0; n <= table.lastIndex; ++n) {
        const TradeRecord& r = table.at(n);
        if (r.status == states[0]) {
            add(r, r, n);
        } else if (r.status == states[2]) {
            const int e = entryIndexOf(table, r.tradeNumber);
            add(r, table.at(e < 0 ? n : e), n);
        } else if (r.status == states[1]) {
            // An open trade whose settlement is held is listed by that settlement.
            bool heldSettlement = false;
            for (int j = n + 1; j <= table.lastIndex; ++j) {
                const TradeRecord& later = table.at(j);
                if (later.tradeNumber != r.tradeNumber || later.status == states[3]) continue;
                heldSettlement = later.status == states[2];
                break;
            }
            if (!heldSettlement) add(r, r, n);
        }
    }
    list.newTradeOffered = table.lastIndex < capacity && !relocated;
    if (list.newTradeOffered) {
        list.newTradePos = static_cast<int>(list.lines.size());
        list.lines.push_back("新規取引"_sj);
        list.listMap.push_back(table.lastIndex + 1);
        list.listPrice.emplace_back();
    }
    return list;
}

std::string stockDisplay(int capacity, int lastIndex) {
    return "ストックサイズ："_sj + runtime::numberText(std::int32_t{capacity}) + "\r\nストック消費量："_sj +
           runtime::numberText(std::int32_t{lastIndex + 1});
}

}  // namespace diary
