#pragma once
// Checks of the values a hand-edited data file gives, done by the readers as they read.
// A value the program cannot work with stops the reading with a common::DataError whose
// message names the file, the key and what is allowed, so that the program ends with its
// own message before anything is written.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/header_reader.hpp"
#include "runtime/decimal.hpp"

namespace common {

// The element count a list header announces. A negative count reads as none; a count
// beyond `capacity` stops: caption key + "←項目数エラー".
std::int16_t checkedCount(const HeaderEntry& e, std::string_view fileName, int capacity);

// A whole number of `low`..`high`; anything else (a fraction is rounded first, text
// reads as 0) stops: caption key + "←設定値エラー".
std::int16_t checkedNumber(const HeaderEntry& e, std::string_view fileName, int low, int high);

// A decimal value stored into `variable` under its declared digits; a value it
// cannot hold (too many integer digits, a negative one for an unsigned variable, more
// digits than the decimal type has) stops: caption key + "←設定値エラー".
void checkedDecimal(const HeaderEntry& e, std::string_view fileName, runtime::DecimalVar& variable);

// The name of one folder inside another: not empty, not "." or "..", without "/" and
// without the wildcards "*" and "?"; anything else stops: caption key + "←設定値エラー".
std::string checkedFolderName(const HeaderEntry& e, std::string_view fileName);
// The same rule as a test, for names entered elsewhere.
bool isPlainFolderName(std::string_view name);

}  // namespace common
