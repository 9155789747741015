#pragma once
// The basic data in memory: the trade counter and the lists the trade window offers,
// the eleven groups with their sub-items and choices, the five options, and the chart
// catalogue marks. Element 0 of every list is a fixed entry the file does not carry.

#include <array>
#include <cstdint>
#include <string>

namespace common {

inline constexpr int kMaxTradeStates = 6;
inline constexpr int kMaxTradeSides = 2;
inline constexpr int kMaxPairs = 20;
inline constexpr int kMaxTimeframes = 20;
inline constexpr int kMaxChoices = 20;
inline constexpr int kGroupCount = 11;
// The most trades the diary manages: a hand-edited stock capacity must be 1..9999.
inline constexpr int kMaxStockCapacity = 9999;
inline constexpr int kOptionCount = 5;

struct TimeframeRow {
    std::string base, shortName, middleName, longName;
};

struct SubItem {
    std::string name;
    std::int16_t used = 0;   // 1 when the name is not empty
    std::int16_t count = 0;  // choices 1..count
    std::array<std::string, kMaxChoices + 1> choices{};  // choice 0 is "未設定"
};

struct Group {
    std::string name;
    std::int16_t used = 0;
    std::array<SubItem, 4> items{};  // 1..3; group 2 also has item 0
};

struct Option {
    std::string name;
    std::int16_t used = 0;
    std::int16_t count = 0;
    std::array<std::string, kMaxChoices + 1> choices{};
};

struct BasicData {
    // The counter as its digit-code text from the file, and its value.
    std::string tradeCounterText;
    float tradeCounter = 0;
    std::int16_t stockCapacity = 10;
    std::string chartFolderName;
    std::int16_t defaultLots = 10;
    float currencyUnit = 10000;

    std::array<std::string, kMaxTradeStates + 1> tradeStates{};
    std::int16_t tradeStateCount = 0;
    std::array<std::string, kMaxTradeSides + 1> tradeSides{};
    std::int16_t tradeSideCount = 0;
    std::array<std::string, kMaxPairs + 1> currencyPairs{};
    std::int16_t currencyPairCount = 0;
    std::array<TimeframeRow, kMaxTimeframes + 1> timeframes{};
    std::int16_t timeframeCount = 0;

    std::array<Group, kGroupCount + 1> groups{};     // 1..11
    std::array<Option, kOptionCount + 1> options{};  // 1..5

    // Chart catalogue marks: [i][g] for sub-item i of group g, [k] for option k; the
    // label is the catalogue folder, ending in "/".
    std::array<std::array<std::int16_t, kGroupCount + 1>, 4> groupChartMark{};
    std::array<std::array<std::string, kGroupCount + 1>, 4> groupChartLabel{};
    std::array<std::int16_t, kOptionCount + 1> optionChartMark{};
    std::array<std::string, kOptionCount + 1> optionChartLabel{};
};

// The first and last sub-item of group g (group 2 starts at 0).
inline int firstItemOf(int g) { return g == 2 ? 0 : 1; }

// The defaults of a diary that has read no file yet, choice 0 of every sub-item and
// option included.
BasicData defaultBasicData();

}  // namespace common
