#pragma once
// The commands the event handlers post for the main loop, and the one table that runs
// them. A code without a routine does nothing.

#include <cstdint>

#include "diary/app/diary_state.hpp"

namespace diary {

namespace command {
inline constexpr std::int16_t ChartImage = 1;
inline constexpr std::int16_t PreviousImage = 2;
inline constexpr std::int16_t NextImage = 3;
inline constexpr std::int16_t RegisterChart = 4;
inline constexpr std::int16_t DetachChart = 5;
inline constexpr std::int16_t OpenListLine = 6;
inline constexpr std::int16_t StartOrSettle = 7;
inline constexpr std::int16_t Hold = 8;
inline constexpr std::int16_t Cancel = 9;
inline constexpr std::int16_t MoveDataFolder = 10;
inline constexpr std::int16_t OpenReview = 11;
inline constexpr std::int16_t CloseReview = 12;
inline constexpr std::int16_t ShowEntry = 13;
inline constexpr std::int16_t ShowRecord = 14;
inline constexpr std::int16_t EntryChart = 15;
inline constexpr std::int16_t RecordChart = 16;
inline constexpr std::int16_t ChoiceChanged = 17;
inline constexpr std::int16_t TimeframeChanged = 18;
inline constexpr std::int16_t CloseViewer = 19;
inline constexpr std::int16_t ConfirmDateTime = 20;
inline constexpr std::int16_t PlusFilter = 21;
inline constexpr std::int16_t MinusFilter = 22;
inline constexpr std::int16_t CloseMemo = 23;
inline constexpr std::int16_t EditOrientationMemo = 24;
inline constexpr std::int16_t PriceInput = 25;
inline constexpr std::int16_t GroupCatalogue = 26;
inline constexpr std::int16_t OptionCatalogue = 27;
inline constexpr std::int16_t CatalogueChoice = 28;
inline constexpr std::int16_t ArmEmergency = 29;
inline constexpr std::int16_t StampStopLoss = 30;
inline constexpr std::int16_t StopLossToPrice = 31;
inline constexpr std::int16_t EditStopLossTime = 32;
inline constexpr std::int16_t EditConfirmTime = 33;
inline constexpr std::int16_t EditEmergencyTime = 34;
inline constexpr std::int16_t SetTimeStop = 35;
inline constexpr std::int16_t ReleaseTimeStop = 36;
inline constexpr std::int16_t Copy = 37;
inline constexpr std::int16_t Paste = 38;
inline constexpr std::int16_t CheckAll = 39;
inline constexpr std::int16_t ClearAll = 40;
inline constexpr std::int16_t PasteSelected = 41;
inline constexpr std::int16_t CancelPaste = 42;
inline constexpr std::int16_t TargetToPrice = 43;
inline constexpr std::int16_t EditTargetTime = 44;
inline constexpr std::int16_t StampTarget = 45;
}  // namespace command

// Runs the command of that code to completion.
void runCommand(Diary& d, int code);

}  // namespace diary
