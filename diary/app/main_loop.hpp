#pragma once
// The main loop: wait until a handler posted a command code, run that command, wait again.

#include "diary/app/diary_state.hpp"

namespace diary {

[[noreturn]] void mainLoop(Diary& d);

}  // namespace diary
