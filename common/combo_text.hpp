#pragma once
// Small text compositions shared by the data files and the combo boxes.

#include <cstdint>
#include <string>

namespace common {

// result = the text in double quotes, so that it may hold commas in a data file.
void PX$TIME_SUB(const std::string& text, std::string& result);
// result = the number's digits (no sign position) + "_" + text: (3, "上昇") -> "3_上昇".
void PX$COMBO_SUB1(const std::string& text, std::int16_t number, std::string& result);
// The inverse: splits an entry at its first "_". Without "_" the whole entry is the text
// and the number is 0; a number beyond 16 bits also reads as 0.
void PX$COMBO_SUB2(const std::string& entry, std::string& text, std::int16_t& number);

}  // namespace common
