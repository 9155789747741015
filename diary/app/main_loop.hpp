#pragma once
// The main loop: wait until a handler posted a command code, run that command, wait again.

#include "diary/app/diary_state.hpp"

namespace diary {

[[noreturn]] void mainLoop(Diary& d);
// Runs one command (1 to 45). A command whose work the diary does not have yet does
// nothing.
void runCommand(Diary& d, int code);

}  // namespace diary
