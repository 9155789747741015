#include "diary/app/trade_commands.hpp"

#include <algorithm>

#include "common/date_time.hpp"
#include "common/number_input.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/input_box.hpp"
#include "diary/app/input_checks.hpp"
#include "diary/app/trade_data.hpp"
#include "diary/app/trade_screen.hpp"
#include "diary/trades/trade_list.hpp"
#include "diary/trades/trade_steps.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

bool askYesNo(Diary& d, const std::string& caption, const std::string& text) {
    return ui::messageBox(&d.windows.trade.form, caption, text, ui::box::YesNo, ui::box::ExclamationIcon) == ui::box::Yes;
}

TradeRecord& openRecord(Diary& d) { return d.table.at(d.table.currentIndex); }

bool copyFileExists(const Diary& d) { return runtime::fileExists(d.env.basicDataFolder + "コピーデータ.TXT"_sj); }

// The emergency second leg takes over the price and date-time given for it.
void takeOverEmergency(Diary& d) {
    if (d.trade.emergencyArmed != 1) return;
    TradeRecord& r = openRecord(d);
    r.priceText = d.trade.emergencyPriceText;
    r.priceInteger = d.trade.emergencyPriceInteger;
    r.priceFraction = d.trade.emergencyPriceFraction;
    r.confirmTime = d.trade.emergencyTime;
}

void entryButtons(Diary& d) {
    ui::setText(d.windows.trade["BUTTON32"], "エントリー 日時確定"_sj);
    ui::setText(d.windows.trade["BUTTON51"], "緊急決済 日時確定"_sj);
    d.trade.screenMode = 0;
}

void settlementButtons(Diary& d) {
    ui::setText(d.windows.trade["BUTTON32"], "決済 日時確定"_sj);
    ui::setText(d.windows.trade["BUTTON51"], "緊急エントリー 日時確定"_sj);
    d.trade.screenMode = 1;
}

// Opens a new trade; false when the user said No.
bool openNewTradeLine(Diary& d) {
    const std::string caption = d.trade.emergencyArmed == 1 ? "緊急エントリーの確認メッセージ"_sj : "確認メッセージ"_sj;
    if (ui::messageBox(&d.windows.main.form, caption, "本当に新規に取引を開始しますか？"_sj, ui::box::YesNo, ui::box::ExclamationIcon) != ui::box::Yes)
        return false;
    entryButtons(d);
    d.trade.unsavedNewTrade = 1;
    const int n = openNewTrade(d.table, d.basic, currentDefaults(d));
    PX$SET_ORD_SUB(d, -1);
    setTradeTitle(d, "新規取引"_sj, d.table.at(n).tradeNumber);
    d.basicDataChanged = 1;
    takeOverEmergency(d);
    return true;
}

// Opens the line of an existing record; false when the rules refused.
bool openRecordLine(Diary& d, int p) {
    const int index = d.trade.listMap[static_cast<std::size_t>(p)];
    d.table.currentIndex = index;
    const std::string suffix = "　　エントリー価格："_sj + runtime::toFullWidth(d.trade.listPrice[static_cast<std::size_t>(p)]);
    const TradeRecord& r = d.table.at(index);
    const auto& states = d.basic.tradeStates;
    const int capacity = d.basic.stockCapacity;
    if (r.status == states[0]) {
        entryButtons(d);
        PX$SET_ORD_SUB(d, -1);
        setTradeTitle(d, "保留中の取引"_sj, r.tradeNumber);
    } else if (r.status == states[1]) {
        settlementButtons(d);
        if (d.table.lastIndex >= capacity) {
            PX$ERR_MES2_SUB();
            return false;
        }
        if (d.table.lastIndex == capacity - 1) PX$ERR_MES1_SUB();
        const int n = openSettlement(d.table, index, currentDefaults(d));
        setTradeTitle(d, "決済取引"_sj, d.table.at(n).tradeNumber, suffix);
        PX$SET_ORD_SUB(d, 0);
        takeOverEmergency(d);
    } else if (r.status == states[2]) {
        settlementButtons(d);
        if (d.table.lastIndex >= capacity - 1) PX$ERR_MES1_SUB();
        setTradeTitle(d, "決済取引"_sj, r.tradeNumber, suffix);
        PX$SET_ORD_SUB(d, 0);
    }
    return true;
}

// Selects a line of the trade list and opens it: the emergency second leg.
void openLine(Diary& d, int p) {
    ui::select(d.windows.main["LIST1"], p);
    openListLine(d);
}

// The second leg of an emergency operation opens the new trade's line: after a
// settlement, "新規取引" (refused when the table is full); after a start, the started
// trade, which now stands where "新規取引" stood.
void continueEmergency(Diary& d, bool fromSettlement) {
    if (!fromSettlement) {
        openLine(d, d.trade.openedListPos);
        return;
    }
    if (d.trade.newTradePos < 0) {
        d.trade.emergencyArmed = 0;
        common::PV$STOP_SUB("ストック量エラー"_sj, "登録中の取引データがストック量に達していて緊急エントリーできません。\r\n"
                                                 "基本データ.TXTのストック量の設定を増やすか、\r\n"
                                                 "開始保留中の取引をキャンセルして下さい。"_sj);
        return;
    }
    openLine(d, d.trade.newTradePos);
}

// The status time of the open record, then the write, read-back and backup.
void saveStep(Diary& d) {
    common::PX$日時_SUB(d.clock);
    openRecord(d).statusTime = d.clock.nowText;
    saveTrades(d);
    PX$SHOW_WIN(d);
}

}  // namespace

void PX$ERR_MES1_SUB() {
    common::PV$STOP_SUB("決済枚数についての警告メッセージ"_sj,
                        "登録中の取引データがストック量に達していて\r\n"
                        "分割決済はできません。\r\n"
                        "残りの注文枚数を完全に決済して下さい。\r\n"
                        "なおどうしても分割決済したい時は、\r\n"
                        "開始保留中の取引があればキャンセルするか、\r\n"
                        "基本データ.TXTのストック量の設定を増やす\r\n"
                        "事で回避できます。"_sj);
}

void PX$ERR_MES2_SUB() {
    common::PV$STOP_SUB("ストック量エラー"_sj,
                        "登録中の取引データがストック量に達していて決済取引できません。\r\n"
                        "基本データ.TXTのストック量の設定を増やすか、\r\n"
                        "開始保留中の取引をキャンセルするか、\r\n"
                        "決済保留中の取引を完全に決済して下さい。"_sj);
}

void PX$SHOW_WIN(Diary& d) {
    const bool chartEnabled = ui::isEnabled(d.windows.chart.form);
    ui::show(d.windows.main.form, chartEnabled);
    for (FormWindow* w : {&d.windows.trade, &d.windows.memo, &d.windows.options}) ui::show(w->form, !chartEnabled);
    if (chartEnabled) d.trade.memoWindowShown = 0;
}

void openListLine(Diary& d) {
    d.trade.operationRefused = 0;
    ObjectVar& list = d.windows.main["LIST1"];
    const int m = ui::itemCount(list);
    int p = ui::selection(list);
    if (p < 0 || p >= m) p = m - 1;
    if (p >= 0) {
        const bool isNew = ui::itemText(list, p) == "新規取引"_sj;
        const bool opened = isNew ? openNewTradeLine(d) : openRecordLine(d, p);
        if (!opened) d.trade.operationRefused = isNew ? 100 : 1;
        if (opened) {
            ui::show(d.windows.trade["BUTTON52"], !isNew && d.trade.screenMode == 1);
            ui::show(d.windows.trade["BUTTON63"], !isNew && d.trade.screenMode == 1);
            ui::enable(d.windows.trade["BUTTON58"], copyFileExists(d));
            ui::show(d.windows.main.form, false);
            ui::show(d.windows.trade.form, true);
            fillScreen(d, d.table.currentIndex);
        }
    }
    d.trade.emergencyArmed = 0;
    d.trade.openedListPos = p;
    d.trade.emergencyTime.clear();
    d.trade.emergencyPriceText = "0";
    d.trade.emergencyPriceInteger.clear();
    d.trade.emergencyPriceFraction.clear();
    ui::setText(d.windows.trade["TEXT61"], "");
    ui::show(d.windows.trade["TEXT61"], false);
}

void startOrSettle(Diary& d) {
    TradeRecord& r = openRecord(d);
    const bool settlement = !r.isEntry();
    if (!askYesNo(d, "確認メッセージ"_sj, "本当に"_sj + (settlement ? "決済しますか？"_sj : "取引を開始しますか？"_sj)))
        return;
    const std::string wrong = startInputErrors(d, r);
    if (!wrong.empty()) {
        common::PV$STOP_SUB("基本設定入力エラー"_sj, wrong);
        return;
    }
    const int n = d.table.currentIndex;
    storeScreen(d, n, ScreenStore::StartOrSettle);
    d.trade.operationRefused = 0;
    d.trade.unsavedNewTrade = 0;
    if (settlement) {
        std::int16_t lots = 0, unused = 0;
        float unit = 0;
        FormWindow& t = d.windows.trade;
        common::PX$EDIT456_SUB("", ui::text(t["EDIT5"]), "", unused, lots, unit);
        const int parent = entryIndexOf(d.table, r.tradeNumber);
        d.table.parentIndex = parent;
        if (d.table.at(parent).priceText == r.priceText &&
            !askYesNo(d, "警告"_sj, "エントリー価格と決済価格が同じです。決済しますか？"_sj))
            d.trade.operationRefused = 1;
        if (d.table.lastIndex == d.basic.stockCapacity && lots < r.remainingLots) {
            PX$ERR_MES1_SUB();
            d.trade.operationRefused = 1;
            ui::setText(t["EDIT5"], runtime::digitsOf(std::int32_t{r.remainingLots}));
        }
        if (d.trade.operationRefused == 0) {
            try {
                settle(d.table, n, lots, d.basic);
            } catch (const runtime::RuntimeError& e) {
                if (e.number() != runtime::err::Overflow) throw;
                // A price edited by hand beyond its digits: the settlement is refused whole.
                common::PV$STOP_SUB("損益計算エラー"_sj, "損益が計算できる桁数を超えているため決済できません。\r\n"
                                                       "エントリー価格と決済価格を確認して下さい。"_sj);
                d.trade.operationRefused = 1;
            }
        }
    } else {
        startEntry(r, r.orderLots, d.basic);
    }
    if (d.trade.operationRefused != 0) return;
    saveStep(d);
    if (d.trade.emergencyArmed == 1) continueEmergency(d, settlement);
}

void holdTrade(Diary& d) {
    const bool entryScreen = d.trade.screenMode == 0;
    if (d.trade.emergencyArmed == 1 && entryScreen &&
        !askYesNo(d, "緊急決済　日時確定処理の確認"_sj,
                  "「緊急決済　日時確定」ボタンが押されています。\r\n緊急決済処理を取り消しますか？"_sj))
        return;
    const int n = d.table.currentIndex;
    storeScreen(d, n, ScreenStore::Hold);
    TradeRecord& r = d.table.at(n);
    if (!r.isEntry()) {
        std::int16_t lots = 0, unused = 0;
        float unit = 0;
        common::PX$EDIT456_SUB("", ui::text(d.windows.trade["EDIT5"]), "", unused, lots, unit);
        r.settleLots = std::min(lots, r.remainingLots);
        r.status = d.basic.tradeStates[2];
    } else {
        r.status = d.basic.tradeStates[0];
    }
    saveStep(d);
    if (d.trade.emergencyArmed != 1) return;
    if (entryScreen) d.trade.emergencyArmed = 0;
    else continueEmergency(d, true);
}

void cancelTrade(Diary& d) {
    if (d.trade.emergencyArmed == 1 &&
        askYesNo(d, "緊急決済　日時確定処理の確認"_sj,
                 "「緊急決済　日時確定」ボタンが押されています。\r\nキャンセル処理を取り消しますか？"_sj))
        return;
    d.trade.emergencyArmed = 0;
    for (const char* b : {"BUTTON12", "BUTTON13"}) ui::enable(d.windows.trade[b], true);
    ui::enable(d.windows.memo["BUTTON14"], true);
    ui::show(d.windows.chart.form, false);
    if (d.trade.unsavedNewTrade == 0) {
        d.table.at(d.table.currentIndex).status = d.basic.tradeStates[5];
        saveTrades(d);
    } else {
        dropNewTrade(d.table, d.basic);
        d.trade.unsavedNewTrade = 0;
    }
    PX$SHOW_WIN(d);
}

void armEmergency(Diary& d) {
    const bool entryScreen = d.trade.screenMode == 0;
    if (entryScreen) {
        const std::string wrong = emergencyInputErrors(d);
        if (!wrong.empty()) {
            common::PV$STOP_SUB("緊急決済時の基本設定入力エラー"_sj, wrong);
            return;
        }
    }
    d.trade.emergencyArmed = 1;
    common::PX$日時_SUB(d.clock);
    d.trade.emergencyTime = d.clock.nowText;
    ObjectVar& shown = d.windows.trade["TEXT61"];
    ui::setText(shown, d.trade.emergencyTime);
    ui::show(shown, true);
    std::string typed = (entryScreen ? "決済価格の入力"_sj : "エントリー価格の入力"_sj) + "（未入力でも可）"_sj;
    std::string integerPart, fractionPart;
    PX$INPUT_SUB(d, typed, integerPart, fractionPart);
    if (typed.empty()) return;
    d.trade.emergencyPriceText = typed;
    d.trade.emergencyPriceInteger = integerPart;
    d.trade.emergencyPriceFraction = fractionPart;
}

}  // namespace diary
