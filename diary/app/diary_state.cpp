#include "diary/app/diary_state.hpp"

namespace diary {

void ProfitValues::clear(int capacity) {
    const auto zeroed = [capacity](std::vector<runtime::DecimalVar>& values, const char* spec) {
        values.assign(static_cast<std::size_t>(capacity) + 1, runtime::DecimalVar(spec));
    };
    zeroed(perTradeRate, "-6.5");
    zeroed(perTradePips, "-3.5");
    zeroed(perTradeProfit, "-9.5");
}

Diary& diary() {
    static Diary d;
    return d;
}

}  // namespace diary
