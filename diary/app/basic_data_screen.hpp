#pragma once
// The basic data on the screens: the defaults, reading "基本データ.TXT" into the model and
// filling the trade, closed-trade and option windows from it, and writing it back.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// Every default of the basic data and the environment, and the chart window's zoom list.
void PX$基本環境_SUB(Diary& d);
// The trade window's pair, timeframe and buy/sell combo boxes from the current lists.
void PX$基本環境COB_SUB(Diary& d);
// Reads "基本データ.TXT" from the basic-data folder when it is there and shows it. A bad
// header or a list too long for its capacity shows the stop message and ends the program.
void PX$基本データ設定R_SUB(Diary& d);
// Writes "基本データ.TXT", then "KANKYO.TXT".
void PX$基本データ設定W_SUB(Diary& d);

// The basic data file's path in the basic-data folder.
std::string basicDataPath(const Diary& d);
// Fills every control the basic data shows: the trade window's lists, the closed-trade
// window's pair filter, the group frames, sub-item labels and choices, the options.
void showBasicData(Diary& d);

}  // namespace diary
