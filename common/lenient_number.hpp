#pragma once
// Conversions for numbers that come from text a user typed or edited by hand: a value
// that does not fit the target type counts as 0, like text that is not a number, so that
// such text never stops the program with an overflow.

#include <cstdint>

namespace common {

std::int16_t int16OrZero(double value);
float singleOrZero(double value);

}  // namespace common
