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
#include "diary/app/windows.hpp"
#include "diary/files/basic_data.hpp"
#include "diary/files/environment.hpp"
#include "runtime/decimal.hpp"

namespace diary {

// The commands the handlers post for the main loop.
namespace command {
inline constexpr std::int16_t ChartImage = 1;
inline constexpr std::int16_t NewTrade = 6;
inline constexpr std::int16_t ChoiceChanged = 17;
inline constexpr std::int16_t SetTimeStop = 35;
inline constexpr std::int16_t ReleaseTimeStop = 36;
}  // namespace command

// The fixed-point values profit and loss is computed in: one unsigned price, two signed
// amounts, and three per-trade arrays as long as the stock capacity.
struct ProfitValues {
    runtime::DecimalVar price{"3.5"};
    runtime::DecimalVar amount1{"-9.5"}, amount2{"-9.5"};
    std::vector<runtime::DecimalVar> perTradeRate, perTradePips, perTradeProfit;
    // Every element 0, as many as slots 0..capacity.
    void clear(int capacity);
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
    ProfitValues profit;

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
