#pragma once
// Prices and date-times of the trade window: the price input boxes opened by the price
// captions, the set-date-time stamps of the stop-loss and target, "価格に反映", the
// confirmed date-time, and the date-time boxes opened by the date-time texts. Under a
// time stop every stamp is the frozen date-time.

#include "diary/app/diary_state.hpp"

namespace diary {

// Command 25: the price input of the caption clicked last (TEXT53, TEXT54, TEXT69).
void priceInput(Diary& d);
// Commands 30 and 45: the stop-loss's / target's set date-time is now.
void stampStopLoss(Diary& d);
void stampTarget(Diary& d);
// Commands 31 and 43: the price takes the stop-loss / the target.
void stopLossToPrice(Diary& d);
void targetToPrice(Diary& d);
// Command 20: the confirmed date-time is now.
void confirmDateTime(Diary& d);
// Commands 32, 44, 33, 34: the date-time boxes of the stop-loss, the target, the
// confirmed date-time and the emergency date-time.
void editStopLossTime(Diary& d);
void editTargetTime(Diary& d);
void editConfirmTime(Diary& d);
void editEmergencyTime(Diary& d);

}  // namespace diary
