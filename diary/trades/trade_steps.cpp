#include "diary/trades/trade_steps.hpp"

#include <algorithm>

#include "diary/trades/profit.hpp"
#include "diary/trades/trade_list.hpp"
#include "runtime/strings.hpp"

namespace diary {

int openNewTrade(TradeTable& table, BasicData& basic, const NewRecordDefaults& defaults) {
    const int n = table.lastIndex + 1;
    table.lastIndex = n;
    table.currentIndex = n;
    TradeRecord& r = table.at(n);
    initialiseRecord(r, defaults);
    r.recordKind = 0;
    basic.tradeCounter += 1;
    r.tradeNumber = basic.tradeCounter;
    return n;
}

void dropNewTrade(TradeTable& table, BasicData& basic) {
    table.lastIndex = table.lastIndex - 1;
    basic.tradeCounter -= 1;
}

int openSettlement(TradeTable& table, int parent, const NewRecordDefaults& defaults) {
    const int n = table.lastIndex + 1;
    table.parentIndex = parent;
    table.lastIndex = n;
    table.currentIndex = n;
    TradeRecord& r = table.at(n);
    initialiseRecord(r, defaults);
    const TradeRecord& p = table.at(parent);
    r.recordKind = 1;
    r.tradeNumber = p.tradeNumber;
    r.pairIndex = p.pairIndex;
    r.priceText = p.priceText;
    r.priceInteger = p.priceInteger;
    r.priceFraction = p.priceFraction;
    r.orderLots = p.orderLots;
    r.remainingLots = p.remainingLots;
    r.lotUnit = p.lotUnit;
    r.timeframeIndex = p.timeframeIndex;
    r.settleLots = p.remainingLots;
    r.sideIndex = p.sideIndex == 1 ? 2 : 1;
    r.stopInteger = p.carryStopInteger;
    r.stopFraction = p.carryStopFraction;
    r.stopTime = p.carryStopTime;
    r.targetInteger = p.carryTargetInteger;
    r.targetFraction = p.carryTargetFraction;
    r.targetTime = p.carryTargetTime;
    return n;
}

void startEntry(TradeRecord& n, std::int16_t orderLots, const BasicData& basic) {
    n.remainingLots = orderLots;
    n.settleLots = 0;
    n.carryStopInteger = n.stopInteger;
    n.carryStopFraction = n.stopFraction;
    n.carryStopTime = n.stopTime;
    n.carryTargetInteger = n.targetInteger;
    n.carryTargetFraction = n.targetFraction;
    n.carryTargetTime = n.targetTime;
    n.status = basic.tradeStates[1];
}

bool settle(TradeTable& table, int n, std::int16_t lots, const BasicData& basic) {
    const int entry = entryIndexOf(table, table.at(n).tradeNumber);
    // Worked out on copies and stored only once the profit is computed: a settlement the
    // decimal digits cannot hold throws and leaves both records as they were.
    TradeRecord e = table.at(entry);
    TradeRecord r = table.at(n);
    r.status = basic.tradeStates[3];
    const std::int16_t s = std::min(lots, r.remainingLots);
    r.settleLots = s;
    r.remainingLots = static_cast<std::int16_t>(r.remainingLots - s);
    e.remainingLots = r.remainingLots;
    e.carryStopInteger = r.stopInteger;
    e.carryStopFraction = r.stopFraction;
    e.carryStopTime = r.stopTime;
    e.carryTargetInteger = r.targetInteger;
    e.carryTargetFraction = r.targetFraction;
    e.carryTargetTime = r.targetTime;
    computeProfit(e, r);
    const bool closed = r.remainingLots == 0;
    table.at(entry) = std::move(e);
    table.at(n) = std::move(r);
    if (!closed) return false;
    const float number = table.at(entry).tradeNumber;
    for (int j = entry; j <= table.lastIndex; ++j)
        if (table.at(j).tradeNumber == number) table.at(j).status = basic.tradeStates[4];
    return true;
}

std::string backupFolderName(const std::string& t) {
    return runtime::mid(t, 3, 2) + runtime::mid(t, 6, 2) + runtime::mid(t, 9, 2) + "_" + runtime::mid(t, 12, 2) +
           runtime::mid(t, 15, 2) + runtime::mid(t, 18, 2);
}

}  // namespace diary
