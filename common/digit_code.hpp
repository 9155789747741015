#pragma once
// The digit-code text that keeps the trade counter in the basic data file: every
// character of the number's text becomes its two-digit character code (12 -> "4950").

#include <string>

namespace common {

// text = the codes of the characters of the number's text, without its sign position.
void PX$VAL2STR_SUB(float value, std::string& text);
// value = the number read from the characters whose codes the text holds, two digits
// each; a text that holds no number gives 0.
void PX$STR2VAL_SUB(float& value, const std::string& text);

}  // namespace common
