#pragma once
// The commands the editor's handlers post for the main loop, and the one table that runs
// them. A button's command is its number: "設　定" of group g is g, "登録" of the group
// form 17, "設定を登録して終了" 33. A chart box n posts 40 + n.

#include <cstdint>

#include "editor/app/editor_state.hpp"

namespace editor {

namespace command {
inline constexpr std::int16_t FirstGroup = 1;    // BUTTON1..BUTTON11
inline constexpr std::int16_t FirstOption = 12;  // BUTTON12..BUTTON16
inline constexpr std::int16_t StoreGroup = 17;
inline constexpr std::int16_t CancelGroup = 18;
inline constexpr std::int16_t StoreGroup02 = 19;
inline constexpr std::int16_t CancelGroup02 = 20;
inline constexpr std::int16_t StoreOption = 21;
inline constexpr std::int16_t CancelOption = 22;
inline constexpr std::int16_t OpenPairs = 23;
inline constexpr std::int16_t OpenTimeframes = 24;
inline constexpr std::int16_t StorePairs = 25;
inline constexpr std::int16_t CancelPairs = 26;
inline constexpr std::int16_t OpenOptions = 27;
inline constexpr std::int16_t CloseOptions = 28;
inline constexpr std::int16_t RewriteRow = 29;
inline constexpr std::int16_t InsertRow = 30;
inline constexpr std::int16_t DeleteRow = 31;
inline constexpr std::int16_t CloseTimeframes = 32;
inline constexpr std::int16_t SaveAndEnd = 33;
inline constexpr std::int16_t EndWithoutSaving = 34;
inline constexpr std::int16_t FirstChartBox = 42;  // CHECK2..CHECK9: 40 + n
inline constexpr std::int16_t LastChartBox = 49;
inline constexpr std::int16_t TimeframeClicked = 50;
inline constexpr std::int16_t MainCloseBox = 51;
}  // namespace command

// Runs the command of that code to completion.
void runCommand(Editor& e, int code);

// Waits until a handler posted a command, runs it, waits again, until a command ends the
// program.
[[noreturn]] void mainLoop(Editor& e);

}  // namespace editor
