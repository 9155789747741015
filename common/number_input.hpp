#pragma once
// Normalisers for numbers the user types: date-time fields, prices split into an integer
// part of at most 3 digits and a fraction part of at most 5 digits that keeps typed
// leading zeros, and the small number fields of the trade window. Typed text may be
// full-width; it never fails: text that is not a number reads as 0 and is then clamped
// or padded.

#include <cstdint>
#include <string>

namespace common {

// Field kinds of PX$IBOX_SUB.
inline constexpr float kYearField = 0, kMonthField = 1, kDayField = 2, kHourField = 3,
                       kMinuteField = 4;

// Makes one date-time field exactly two digits within its range: 01-12 (month), 01-31
// (day), 00-23 (hour), 00-59 (minute and second), 00-99 (year, any other kind).
void PX$IBOX_SUB(std::string& field, float kind);

// Digits after the decimal point: the typed text becomes half-width and at most 5
// characters (the argument keeps that form); the result is the digits of its value,
// zero-padded to the number of characters typed when that is 2 to 5 ("007" stays "007").
void PX$EDIT38_SUB(std::string& typedFraction, std::string& fraction);

// The price splitting of the price input: "110.025" -> "110", "025"; "110" -> "110",
// "00"; ".5" -> "0", "5"; "1234.5" -> "123", "5" (digits are cut, not clamped). The
// sign of a negative input is dropped.
void splitPriceInput(const std::string& typed, std::string& integerPart, std::string& fractionPart);

// The price pair EDIT2 / EDIT3 of the trade window: integer part from the first 3
// characters of EDIT2 (below 1, or beyond a 16-bit integer, counts as 0), fraction part
// by PX$EDIT38_SUB; price text = integer part, plus "." and the fraction part when the
// fraction's value is above 0; check sum = integer + fraction value (below 1: no price).
void PX$EDIT23_SUB(const std::string& edit2, const std::string& edit3, std::string& priceText,
                  std::string& integerPart, std::string& fractionPart, float& checkSum);
// The same reading for the pairs EDIT7 / EDIT8 and EDIT20 / EDIT21, without price text
// and check sum.
void PX$EDIT78_SUB(const std::string& edit7, const std::string& edit8, std::string& integerPart,
                  std::string& fractionPart);
void PX$EDIT2021_SUB(const std::string& edit20, const std::string& edit21,
                    std::string& integerPart, std::string& fractionPart);

// EDIT4 and EDIT5 as 16-bit integers of at most 3 digits, EDIT6 as a single of at most
// 6 characters (a point allowed); values below 1 become 0.
void PX$EDIT456_SUB(const std::string& edit4, const std::string& edit5, const std::string& edit6,
                   std::int16_t& first, std::int16_t& second, float& third);

}  // namespace common
