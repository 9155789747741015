#include "diary/app/trade_screen.hpp"

#include "common/number_input.hpp"
#include "common/ui/controls.hpp"
#include "diary/app/control_names.hpp"
#include "diary/app/timeframes.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

// Selects `index` in a list's combo box, or entry 0 ("未設定") when the box has no such
// entry: a hand-edited record may name a pair or timeframe the basic data no longer have.
void selectIndex(ObjectVar& combo, int index) {
    ui::select(combo, index >= 0 && index < ui::itemCount(combo) ? index : 0);
}

// The selected entry of a combo box: its index and text.
void selected(ObjectVar& combo, std::int16_t& index, std::string& text) {
    const int s = ui::selection(combo);
    index = static_cast<std::int16_t>(s < 0 ? 0 : s);
    text = s < 0 ? std::string() : ui::itemText(combo, s);
}

bool bothEmpty(Diary& d, const char* integerEdit, const char* fractionEdit) {
    return ui::text(d.windows.trade[integerEdit]).empty() && ui::text(d.windows.trade[fractionEdit]).empty();
}

}  // namespace

std::string chartButtonCaption(const std::string& chart) { return chart.empty() ? "ＣＧ参照"_sj : "参照済"_sj; }

void PX$SET_ORD_SUB(Diary& d, std::int16_t mode) {
    FormWindow& t = d.windows.trade;
    const bool entry = mode != 0;
    ui::setText(t["BUTTON12"], entry ? "取引開始"_sj : "決済"_sj);
    ui::setText(t["BUTTON13"], entry ? "保留"_sj : "決済保留"_sj);
    ui::show(t["BUTTON20"], entry);
    for (const char* c : {"EDIT4", "EDIT6", "COMBO2", "COMBO3"}) ui::enable(t[c], entry);
    for (const char* c : {"TEXT3", "TEXT4", "TEXT5", "EDIT5"}) ui::show(t[c], !entry);
    ui::setText(t["BUTTON32"], entry ? "エントリー 日時確定"_sj : "決済 日時確定"_sj);
    ui::setText(t["BUTTON51"], entry ? "緊急決済 日時確定"_sj : "緊急エントリー 日時確定"_sj);
    ui::show(t["BUTTON52"], !entry);
    ui::show(t["BUTTON63"], !entry);
}

void setTradeTitle(Diary& d, const std::string& prefix, float tradeNumber, const std::string& suffix) {
    ui::setText(d.windows.trade.form, prefix + " 　＜＜＜　取引ナンバー"_sj +
                                          runtime::toFullWidth(runtime::digitsOf(tradeNumber)) + "　＞＞＞"_sj + suffix);
}

void fillScreen(Diary& d, int n) {
    const TradeRecord& r = d.table.at(n);
    FormWindow& t = d.windows.trade;
    selectIndex(t["COMBO2"], r.pairIndex);
    selectIndex(t["COMBO3"], r.sideIndex);
    ui::setText(t["EDIT2"], r.priceInteger);
    ui::setText(t["EDIT3"], r.priceFraction);
    ui::setText(t["EDIT4"], runtime::digitsOf(std::int32_t{r.orderLots}));
    ui::setText(t["TEXT4"], runtime::digitsOf(std::int32_t{r.remainingLots}));
    ui::setText(t["EDIT5"], runtime::digitsOf(std::int32_t{r.settleLots}));
    ui::setText(t["EDIT6"], runtime::digitsOf(r.lotUnit));
    selectIndex(t["COMBO4"], r.timeframeIndex);
    ui::setText(d.windows.memo["EDIT1"], r.memoText);
    ui::setText(t["EDIT7"], r.stopInteger);
    ui::setText(t["EDIT8"], r.stopFraction);
    ui::setText(t["TEXT62"], r.stopTime);
    ui::setText(t["EDIT20"], r.targetInteger);
    ui::setText(t["EDIT21"], r.targetFraction);
    ui::setText(t["TEXT70"], r.targetTime);
    ui::setText(t["TEXT65"], r.confirmTime);
    ui::setText(t["BUTTON6"], chartButtonCaption(r.stopChart));
    for (int c = 1; c <= 5; ++c)
        ui::setText(d.windows.memo[common::controlName("BUTTON", 14 + c)], chartButtonCaption(r.memoChart[c]));
    for (int g = 1; g <= kGroupCount; ++g) ui::setText(t[groupButtonName(g)], chartButtonCaption(r.groups[g].chart));
    for (int k = 1; k <= kOptionCount; ++k)
        ui::setText(d.windows.options[optionButtonName(k)], chartButtonCaption(r.options[k].chart));
    fillChoices(d, r);
}

void storeMemo(Diary& d, TradeRecord& r) {
    ObjectVar& memo = d.windows.memo["EDIT1"];
    r.memoText = ui::text(memo);
    r.memoLineCount = static_cast<float>(ui::lineCount(memo));
}

void storeScreen(Diary& d, int n, ScreenStore how) {
    TradeRecord& r = d.table.at(n);
    FormWindow& t = d.windows.trade;
    selected(t["COMBO2"], r.pairIndex, r.pairName);
    selected(t["COMBO3"], r.sideIndex, r.sideName);
    float checkSum = 0;
    common::PX$EDIT23_SUB(ui::text(t["EDIT2"]), ui::text(t["EDIT3"]), r.priceText, r.priceInteger, r.priceFraction,
                          checkSum);
    if (how != ScreenStore::Collect) {
        std::int16_t settle = 0;
        common::PX$EDIT456_SUB(ui::text(t["EDIT4"]), ui::text(t["EDIT5"]), ui::text(t["EDIT6"]), r.orderLots, settle,
                               r.lotUnit);
    }
    selected(t["COMBO4"], r.timeframeIndex, r.timeframeName);
    storeMemo(d, r);
    // A stop-loss or target whose two fields are empty is not set: it keeps no set
    // date-time, except at a start or settlement, which keeps them as they are.
    const bool noStop = bothEmpty(d, "EDIT7", "EDIT8"), noTarget = bothEmpty(d, "EDIT20", "EDIT21");
    common::PX$EDIT78_SUB(ui::text(t["EDIT7"]), ui::text(t["EDIT8"]), r.stopInteger, r.stopFraction);
    common::PX$EDIT2021_SUB(ui::text(t["EDIT20"]), ui::text(t["EDIT21"]), r.targetInteger, r.targetFraction);
    if (how != ScreenStore::StartOrSettle) {
        if (noStop) r.stopTime.clear(), r.carryStopTime.clear();
        if (noTarget) r.targetTime.clear(), r.carryTargetTime.clear();
    }
    r.confirmTime = ui::text(t["TEXT65"]);
}

}  // namespace diary
