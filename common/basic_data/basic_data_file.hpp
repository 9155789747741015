#pragma once
// "基本データ.TXT": reading text into the basic data and writing it back line for line.
// Pure functions over the text; filling the controls is the screens' work.

#include <string>
#include <string_view>

#include "common/basic_data/basic_data.hpp"

namespace common {

// Applies the file's entries to `data` (entries of a later data version are skipped).
// Throws common::DataError (common::HeaderError for a bad header) for a file the diary
// cannot use: a count beyond a list's capacity, a stock capacity outside 1..9999, a
// chart folder name that is not one plain folder name. The program then stops without
// writing anything.
void readBasicData(std::string_view text, BasicData& data);

// The whole file, in the layout the diary and the editor both write. A name or choice
// that the reader would split or trim (a comma, blanks at an end) is written in double
// quotes, so that it reads back whole; every other text is written as it is.
std::string writeBasicData(const BasicData& data);

}  // namespace common
