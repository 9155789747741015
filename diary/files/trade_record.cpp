#include "diary/files/trade_record.hpp"

namespace diary {

NewRecordDefaults newRecordDefaults(const BasicData& basic,
                                    const std::array<std::array<std::string, 4>, kGroupCount + 1>& itemLabels,
                                    const std::array<std::string, kOptionCount + 1>& optionLabels) {
    NewRecordDefaults d;
    d.defaultLots = basic.defaultLots;
    d.currencyUnit = basic.currencyUnit;
    d.noPair = basic.currencyPairs[0];
    d.noSide = basic.tradeSides[0];
    d.noTimeframe = basic.timeframes[0].base;
    d.itemLabel = itemLabels;
    d.optionLabel = optionLabels;
    for (int g = 1; g <= kGroupCount; ++g)
        for (int i = 0; i <= 3; ++i) d.itemChoice0[g][i] = basic.groups[g].items[i].choices[0];
    for (int k = 1; k <= kOptionCount; ++k) d.optionChoice0[k] = basic.options[k].choices[0];
    return d;
}

void initialiseRecord(TradeRecord& r, const NewRecordDefaults& d) {
    TradeRecord fresh;
    fresh.pairName = d.noPair;
    fresh.sideName = d.noSide;
    fresh.timeframeName = d.noTimeframe;
    fresh.priceText = "0";
    fresh.orderLots = d.defaultLots;
    fresh.lotUnit = d.currencyUnit;
    fresh.confirmTime = "_";
    for (int k = 1; k <= kOptionCount; ++k) {
        RecordOption& o = fresh.options[k];
        o.version = 300;
        o.choice.label = d.optionLabel[k];
        o.choice.text = d.optionChoice0[k];
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        RecordGroup& group = fresh.groups[g];
        group.version = 300;
        for (int i = 0; i <= 3; ++i) {
            group.items[i].label = d.itemLabel[g][i];
            group.items[i].text = d.itemChoice0[g][i];
        }
    }
    r = std::move(fresh);
}

void TradeTable::dimension(int capacity) {
    const std::size_t slots = static_cast<std::size_t>(capacity < 0 ? 0 : capacity) + 1;
    if (records.size() == slots) {
        // The table is read again after every trade step: the slots it has are emptied
        // in place rather than made anew.
        const TradeRecord empty;
        for (TradeRecord& r : records) r = empty;
    } else {
        // A new vector rather than clear() and resize(): those keep the old storage, and
        // after the review the table would keep the archive's slots until the program ends.
        records = std::vector<TradeRecord>(slots);
    }
    lastIndex = -1;
    currentIndex = -1;
    parentIndex = -1;
}

void TradeTable::erase() {
    records = std::vector<TradeRecord>();  // frees the slots' storage, which clear() keeps
    lastIndex = -1;
    currentIndex = -1;
    parentIndex = -1;
}

}  // namespace diary
