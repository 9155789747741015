#pragma once
// Numbers as the programs use them: 16-bit and 32-bit integers and singles with
// overflow errors, number-to-text and text-to-number conversion, array search.
//
// Number-to-text form (written into data files, keep it stable):
//  * a leading blank for values >= 0, a minus sign otherwise;
//  * integers as plain decimal digits (" 12", "-300");
//  * singles rounded to at most 7 significant digits, trailing fraction zeros removed,
//    a "0" before the point of values below 1 (" 0.5", "-0.25");
//  * exponent form when the decimal exponent of the rounded value is >= 7 or < -5:
//    mantissa, "E", sign, at least two exponent digits (" 1.234568E+07", " 1E-06");
//  * doubles the same way with at most 15 significant digits, exponent from 15 on;
//  * rounding works on the exact binary value, an exact tie going to the even digit;
//  * the form never depends on the C locale;
//  * not-a-number and the infinities, which the programs' arithmetic never makes, are
//    " NaN", " Inf" and "-Inf" (val() reads them as 0).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

std::string numberText(std::int32_t value);
std::string numberText(float value);
std::string numberTextDouble(double value);

// numberText without its leading sign position, for values >= 0 (12 -> "12"); the sign
// of a negative value is dropped as well ("-12" -> "12").
std::string digitsOf(std::int32_t value);
std::string digitsOf(float value);

// Text to number: leading blanks skipped; optional sign, digits, a point, digits and an
// exponent ("E" or "D" in either case, optional sign, digits; a letter without digits
// ends the number before it); stops at the first character that cannot continue a
// number; no number at all gives 0. Never fails: a value beyond the double range gives
// an infinity (which toInt16 and the others report as error 6), one too small gives 0.
double val(std::string_view text);

// Rounding conversions (half to even, as the runtime rounds); out of range or
// not-a-number is error 6.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);
// A value whose magnitude exceeds the single range is error 6 (an infinity included);
// not-a-number passes through unchanged.
float toSingle(double value);

// Checked 16-bit and 32-bit arithmetic: a result out of range is error 6.
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int16_t mul16(std::int16_t a, std::int16_t b);
std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t sub32(std::int32_t a, std::int32_t b);
std::int32_t mul32(std::int32_t a, std::int32_t b);

// Index of the first element equal to `value` at or after `start`; -1 when absent or
// when start is outside the array.
template <typename T, typename U>
long arraySearch(const std::vector<T>& array, const U& value, long start = 0) {
    if (start < 0) return -1;
    for (std::size_t i = static_cast<std::size_t>(start); i < array.size(); ++i)
        if (array[i] == value) return static_cast<long>(i);
    return -1;
}

}  // namespace runtime
