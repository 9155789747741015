#pragma once
// Ending the diary from inside a command or the start-up: the program ends right away,
// before anything more is written (no END handler writes the data files).

#include <string>

namespace diary {

[[noreturn]] void endProgram();
// The stop message, then the end: every fatal data error and the refusals of the start-up.
[[noreturn]] void stopProgram(const std::string& caption, const std::string& text);

}  // namespace diary
