#pragma once
// Column alignment of list texts for the fixed-pitch font, in bytes (a full-width
// character is two half-width cells and two bytes).

#include <cstdint>
#include <string>
#include <vector>

namespace common {

// Pads elements 1..count of `alignList` to the greatest byte length among them: mode 0
// left-aligned, 1 centred (the odd blank to the right), any other mode right-aligned.
// Element 0 becomes that many blanks. A count beyond the list is error 9.
void PX$文字列整理_SUB(std::vector<std::string>& alignList, std::int16_t mode, std::int16_t count);

// Pads one text to `width` bytes: mode 0 blanks after, 1 centred (the odd blank to the
// right), 2 blanks before; any other mode leaves `result` unchanged. A text already as
// wide as `width` is given back whole, never shortened.
void PX$文字列整理_SUB2(std::int16_t width, std::int16_t mode, const std::string& text,
                       std::string& result);

}  // namespace common
