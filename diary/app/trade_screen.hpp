#pragma once
// The trade window's screen: the entry and settlement layouts, its title, filling it from
// a record and storing it into one. Only moves data between the record and the controls.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// The entry screen (-1) or the settlement screen (0): the captions of BUTTON12 and
// BUTTON13, the cancel button, which fields can be changed, the lots fields, the
// date-time buttons' captions and the "価格に反映" buttons.
void PX$SET_ORD_SUB(Diary& d, std::int16_t mode);

// The trade window's title: prefix + " 　＜＜＜　取引ナンバー" + the number in full-width
// digits + "　＞＞＞" + suffix.
void setTradeTitle(Diary& d, const std::string& prefix, float tradeNumber, const std::string& suffix = {});

// Fills the trade window (with the memo and option windows) from record n.
void fillScreen(Diary& d, int n);

// How the screen goes into a record.
enum class ScreenStore {
    Collect,        // copy and paste: pair, side, price, timeframe, memo, stop-loss, target, date-time
    StartOrSettle,  // also the order lots and the unit; set-date-times stay even when a price is empty
    Hold,           // also the order lots and the unit; an empty stop-loss or target loses its date-times
};
void storeScreen(Diary& d, int n, ScreenStore how);

// The memo field's text and line count, as a record keeps them.
void storeMemo(Diary& d, TradeRecord& r);

// "ＣＧ参照" while a chart slot is empty, "参照済" once a chart is registered.
std::string chartButtonCaption(const std::string& chart);

}  // namespace diary
