#include "common/lenient_number.hpp"

#include <cfloat>
#include <cmath>

#include "runtime/numbers.hpp"

namespace common {

std::int16_t int16OrZero(double value) {
    // Rounding half to even never leaves the 16-bit range inside these bounds.
    return (value > -32768.5 && value < 32767.5) ? runtime::toInt16(value) : 0;
}

float singleOrZero(double value) {
    return (std::isfinite(value) && std::fabs(value) <= FLT_MAX) ? static_cast<float>(value) : 0.0f;
}

}  // namespace common
