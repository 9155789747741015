#pragma once
// The input box (FORM7): modal in effect, not in kind. It disables the other open windows,
// shows itself on top and waits for events in a nested wait until its OK or cancel
// handler set the result. It must not be opened from one of its own handlers.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// The single ESC character a cancelled input box leaves in its result.
inline const std::string kCancelled(1, '\x1b');

// One text. `titleAndResult` carries the window title in and the typed text (or
// kCancelled) out.
void PX$INPUT_BOX1(Diary& d, std::string& titleAndResult, const std::string& prompt);
// A date-time of the form YYYY/MM/DD_hh:mm:ss in six two-digit fields; `dateTime`
// carries the proposal in and the answer (or kCancelled) out.
void PX$INPUT_BOX2(Diary& d, const std::string& title, const std::string& prompt, std::string& dateTime);
// Asks for the current price: `titleAndTyped` carries the title in and the typed text out
// ("" when cancelled), split into an integer part and a fraction part.
void PX$INPUT_SUB(Diary& d, std::string& titleAndTyped, std::string& integerPart, std::string& fractionPart);

}  // namespace diary
