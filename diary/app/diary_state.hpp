#pragma once
// The diary's program state: what the start-up sets before the windows, the basic data
// and the environment, the clock, the input box's state and the shared control handles
// of the control-name routines. One instance for the run (diary()), as the handlers the
// toolkit calls by name have no other way to reach it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/date_time.hpp"
#include "diary/app/viewer_state.hpp"
#include "diary/app/windows.hpp"
#include "diary/files/basic_data.hpp"
#include "diary/files/environment.hpp"
#include "diary/files/trade_record.hpp"

namespace diary {

// The state of the trade window between commands.
struct TradeWindowState {
    std::int16_t screenMode = 0;        // 0 entry screen, 1 settlement screen
    std::int16_t emergencyArmed = 0;    // 1 after the emergency date-time button on the open screen
    std::int16_t unsavedNewTrade = 0;   // 1 while the open record is a new trade not yet written
    std::int16_t operationRefused = 0;  // set when the user declines or a rule refuses
    std::vector<int> listMap;           // record index behind each line of the trade list
    std::vector<std::string> listPrice; // the price column of each line
    int newTradePos = -1;               // the line "新規取引"
    int openedListPos = 0;              // the line opened last
    // What the emergency second leg takes over: its date-time and price.
    std::string emergencyTime;
    std::string emergencyPriceText = "0", emergencyPriceInteger, emergencyPriceFraction;
    // The price caption clicked last (53 price, 54 stop-loss, 69 target) for command 25.
    std::int16_t clickedPriceCaption = 0;
    // 1 while the memo window is shown.
    std::int16_t memoWindowShown = 0;
};

// The state of the closed-trade window.
struct ReviewState {
    std::int16_t reviewMode = 0;      // 1 while the window is open: the table holds the archive
    std::int16_t memoEdited = 0;      // 1 after "見当識メモの編集"
    std::vector<int> entryLines;      // LIST2 line -> entry record
    std::vector<int> settlementLines; // LIST3 line -> settlement or memo record
    int shownRecord = -1;
    std::int16_t chartListMode = 0;   // 0: an entry's charts in LIST5; 1: LIST6
    std::array<int, 16> itemPosition{};  // LIST4 line of each item key, -1 when not listed
    // The chart images behind the lines of LIST5 and LIST6: label and file.
    std::vector<std::pair<std::string, std::string>> entryCharts, recordCharts;
    // A cut-off end of the archive after its last whole record, written back as it was.
    std::string archiveTail;
    // The basic data as they were when the window opened: the archive replaces the
    // capacity and the group names while it is shown.
    BasicData basicBefore;
};

struct Diary {
    std::string mainTitle;
    std::int16_t dataVersion = 300;
    std::int16_t tradeDataVersion = 300;
    std::int16_t commandCode = 0;
    std::int16_t lastChartButton = 0;
    // The number of the group or option combo box whose choice changed last (command 17).
    std::int16_t changedCombo = 0;
    std::int16_t relocatedData = 0;
    std::int16_t timeStopActive = 0;
    common::ClockState clock;  // nowText and clockFrozen
    std::int16_t frameHeight = 0, menuHeight = 0, frameWidth = 0;
    // The chart window's outer size, noted at start-up after it was moved to (0, 0).
    float chartOuterWidth = 0, chartOuterHeight = 0;
    // The chart window's picture area, copied from the environment's chart window size.
    float chartPictureWidth = 400, chartPictureHeight = 300;

    BasicData basic;
    Environment env;
    std::string tempBitmapPath;
    // The trades: the in-progress file's records (the archive's while the closed-trade
    // window is open), and the trade window's state.
    TradeTable table;
    TradeWindowState trade;
    ReviewState review;
    ViewerState viewer;
    // 1 after a new trade took a trade number: the next backup writes the basic data.
    std::int16_t basicDataChanged = 0;

    // The display labels of the group sub-items [g][i] and options [k]: the configured
    // names, or the timeframe a SHORT / MIDDLE / LONG name stands for.
    std::array<std::array<std::string, 4>, kGroupCount + 1> itemDisplayLabel{};
    std::array<std::string, kOptionCount + 1> optionDisplayLabel{};

    // The input box: 0 while open, 53 after OK, 54 after cancel; mode 1 one text, 2 a date-time.
    std::int16_t inputBoxResult = 0;
    std::int16_t inputBoxMode = 0;

    Windows windows;
    // The shared handles of the control-name routines.
    ObjectVar itemControl = 0, comboControl = 0, groupControl = 0, buttonControl = 0;
};

Diary& diary();

}  // namespace diary
