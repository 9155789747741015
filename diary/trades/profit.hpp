#pragma once
// Profit and loss of a settlement, in the runtime's exact decimal type.

#include "diary/files/trade_record.hpp"

namespace diary {

// Computes settlement `n` of entry `e`, after the settlement's lots were set: the price
// difference (a gain positive; a settlement that buys closes a sale), times the lots,
// added to the entry's sum, times the settlement's currency unit as the trade's running
// amount. Values beyond their digits raise the decimal type's overflow (error 6).
void computeProfit(TradeRecord& e, TradeRecord& n);

// The two profit texts of the closed-trade window for a shown settlement: this
// settlement's profit amount and the trade's amount so far, in number-to-text form and
// right-aligned to the longer of them.
struct ProfitTexts {
    std::string thisSettlement, soFar;
};
ProfitTexts profitTexts(const runtime::Decimal& x, const runtime::Decimal& y);

}  // namespace diary
