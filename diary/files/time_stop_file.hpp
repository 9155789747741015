#pragma once
// "タイムストップ設定.TXT": one line, the frozen date-time in double quotes. Its presence
// alone keeps the time stop across runs.

#include <string>
#include <string_view>

namespace diary {

// The date-time the file holds (its first field); "" for an empty file.
std::string readTimeStop(std::string_view text);
std::string writeTimeStop(const std::string& dateTime);

}  // namespace diary
