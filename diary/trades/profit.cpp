#include "diary/trades/profit.hpp"

#include <vector>

#include "common/align.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

void computeProfit(TradeRecord& e, TradeRecord& n) {
    using runtime::Decimal;
    runtime::DecimalVar p("3.5");
    runtime::DecimalVar t("-9.5");
    p = Decimal::fromText(e.priceText);
    t = Decimal::fromText(n.priceText) - p.value();
    // Index 2 ("買い" in the default lists) closes a sale: its gain is a falling price.
    if (n.sideIndex == 2) t = t.value() * Decimal::fromInt(-1);
    n.basePL = t.value();
    // Lots and unit enter through their texts, as the runtime prints them.
    t = t.value() * Decimal::fromText(runtime::numberText(std::int32_t{n.settleLots}));
    n.tradePL = t.value();
    e.tradePL = e.tradePL.value() + t.value();
    n.tradePLAmount = e.tradePL.value() * Decimal::fromText(runtime::numberText(n.lotUnit));
    e.tradePLAmount = n.tradePLAmount.value();
}

ProfitTexts profitTexts(const runtime::Decimal& x, const runtime::Decimal& y) {
    std::vector<std::string> texts = {"", runtime::numberTextDouble(x.toDouble()),
                                      runtime::numberTextDouble(y.toDouble())};
    common::PX$文字列整理_SUB(texts, 2, 2);
    return {"この決済の損益 "_sj + texts[1], "ここまでの損益 "_sj + texts[2]};
}

}  // namespace diary
