#include "diary/app/price_input.hpp"

#include "common/date_time.hpp"
#include "common/ui/controls.hpp"
#include "diary/app/input_box.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

TradeRecord& openRecord(Diary& d) { return d.table.at(d.table.currentIndex); }

const std::string& now(Diary& d) {
    common::PX$日時_SUB(d.clock);
    return d.clock.nowText;
}

// The date-time box on a text control; the answer, or nothing when cancelled.
std::optional<std::string> askDateTime(Diary& d, const std::string& title, const char* text) {
    std::string dateTime = ui::text(d.windows.trade[text]);
    PX$INPUT_BOX2(d, title, "半角または全角で各欄に数値を入力して下さい。"_sj, dateTime);
    if (dateTime == kCancelled) return std::nullopt;
    ui::setText(d.windows.trade[text], dateTime);
    return dateTime;
}

void copyPair(Diary& d, const char* fromInteger, const char* fromFraction) {
    FormWindow& t = d.windows.trade;
    ui::setText(t["EDIT2"], ui::text(t[fromInteger]));
    ui::setText(t["EDIT3"], ui::text(t[fromFraction]));
}

}  // namespace

void priceInput(Diary& d) {
    struct Caption {
        std::int16_t text;
        const char* title;
        const char* integerEdit;
        const char* fractionEdit;
    };
    static const Caption captions[] = {
        {53, "価格の入力", "EDIT2", "EDIT3"},
        {54, "損切り価格の入力", "EDIT7", "EDIT8"},
        {69, "決済目標価格の入力", "EDIT20", "EDIT21"},
    };
    for (const Caption& c : captions) {
        if (c.text != d.trade.clickedPriceCaption) continue;
        std::string typed = runtime::fromUtf8(c.title);
        std::string integerPart, fractionPart;
        PX$INPUT_SUB(d, typed, integerPart, fractionPart);
        if (typed.empty()) return;  // cancelled: nothing changes
        ui::setText(d.windows.trade[c.integerEdit], integerPart);
        ui::setText(d.windows.trade[c.fractionEdit], fractionPart);
        if (c.text == 54) stampStopLoss(d);
        if (c.text == 69) stampTarget(d);
        return;
    }
}

void stampStopLoss(Diary& d) {
    openRecord(d).stopTime = now(d);
    ui::setText(d.windows.trade["TEXT62"], d.clock.nowText);
}

void stampTarget(Diary& d) {
    openRecord(d).targetTime = now(d);
    ui::setText(d.windows.trade["TEXT70"], d.clock.nowText);
}

void stopLossToPrice(Diary& d) { copyPair(d, "EDIT7", "EDIT8"); }
void targetToPrice(Diary& d) { copyPair(d, "EDIT20", "EDIT21"); }

void confirmDateTime(Diary& d) { ui::setText(d.windows.trade["TEXT65"], now(d)); }

void editStopLossTime(Diary& d) {
    if (const auto t = askDateTime(d, "損切り価格の日時設定"_sj, "TEXT62")) openRecord(d).stopTime = *t;
}

void editTargetTime(Diary& d) {
    if (const auto t = askDateTime(d, "決済目標価格の日時設定"_sj, "TEXT70")) openRecord(d).targetTime = *t;
}

void editConfirmTime(Diary& d) { askDateTime(d, ui::text(d.windows.trade["BUTTON32"]), "TEXT65"); }

void editEmergencyTime(Diary& d) {
    if (const auto t = askDateTime(d, ui::text(d.windows.trade["BUTTON51"]), "TEXT61")) d.trade.emergencyTime = *t;
}

}  // namespace diary
