#pragma once
// Header lines of the text data files: a header number of at least four digits, "_", a
// fixed key, a comma and the value ("0300_ストック量,10").

#include <cstdint>
#include <string>

namespace common {

// The data version this system writes as the header number and compares on reading.
inline constexpr std::int16_t kDataVersion = 300;

// The separator line written between blocks: 33 ASCII hyphens.
inline const std::string kSeparatorLine(33, '-');

// Splits a header field at its first "_": number = the value before it (rounded to a
// 16-bit integer), key = everything after it. Without "_" the number is 0 and the key is
// left as it was. A number that does not fit 16 bits also gives 0: a header error for the
// caller, like any other bad header.
void PX$ヘッダー分離_SUB(std::int16_t& number, std::string& key, const std::string& header);

// result = the number's digits, zero-padded to four, "_", the key and a comma:
// (300, "通貨単位") -> "0300_通貨単位,".
void PX$ヘッダー結合_SUB(std::int16_t number, const std::string& key, std::string& result);

}  // namespace common
