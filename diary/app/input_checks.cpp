#include "diary/app/input_checks.hpp"

#include "common/number_input.hpp"
#include "common/ui/controls.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

bool unset(Diary& d, const char* combo) { return ui::selection(d.windows.trade[combo]) < 1; }

// The confirmed date-time of TEXT65: its date (10 characters) and its time (8 from the 12th).
bool shortDate(const std::string& t) { return runtime::left(t, 10).size() < 10; }
bool shortTime(const std::string& t) { return runtime::mid(t, 12, 8).size() < 8; }

}  // namespace

std::string startInputErrors(Diary& d, TradeRecord& r) {
    FormWindow& t = d.windows.trade;
    std::string wrong;
    if (unset(d, "COMBO2")) wrong += "通貨ペア "_sj;
    if (unset(d, "COMBO3")) wrong += "売買項目 "_sj;
    std::string text, integerPart, fractionPart;
    float sum = 0;
    common::PX$EDIT23_SUB(ui::text(t["EDIT2"]), ui::text(t["EDIT3"]), text, integerPart, fractionPart, sum);
    if (sum < 1) wrong += "価格 "_sj;
    const std::string confirmed = ui::text(t["TEXT65"]);
    if (shortDate(confirmed)) wrong += "確定日 "_sj;
    if (shortTime(confirmed)) wrong += "確定時間 "_sj;
    std::int16_t orderLots = 0, settleLots = 0;
    float unit = 0;
    common::PX$EDIT456_SUB(ui::text(t["EDIT4"]), ui::text(t["EDIT5"]), ui::text(t["EDIT6"]), orderLots, settleLots, unit);
    if (r.isEntry()) {
        if (orderLots == 0) wrong += "注文枚数 "_sj;
        else r.remainingLots = orderLots;
        settleLots = 1;
    } else if (settleLots < 1 || settleLots > r.remainingLots) {
        wrong += "決済枚数"_sj;
    }
    if (unit < 100) wrong += "通貨単位 "_sj;
    if (unset(d, "COMBO4")) wrong += "基本時間足 "_sj;
    return wrong;
}

std::string emergencyInputErrors(Diary& d) {
    const bool noPair = unset(d, "COMBO2"), noSide = unset(d, "COMBO3");
    const std::string confirmed = ui::text(d.windows.trade["TEXT65"]);
    const bool noDate = shortDate(confirmed), noTime = shortTime(confirmed);
    if (!noPair && !noSide && !noDate && !noTime) return {};
    std::string text;
    if (noPair) text += "通貨ペア "_sj;
    if (noSide) text += "売買項目 "_sj;
    if (noDate || noTime) {
        text += "エントリーの"_sj;
        if (noDate) text += "確定日 "_sj;
        if (noTime) text += "確定時間 "_sj;
    }
    return text + "の\r\n設定を先に済ませて下さい"_sj;
}

}  // namespace diary
