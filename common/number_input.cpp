#include "common/number_input.hpp"

#include "common/lenient_number.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

namespace common {

namespace {

// The value of a typed text, half-width first.
double typedValue(const std::string& text) { return runtime::val(runtime::toHalfWidth(text)); }

// Digits of a typed value as the number-to-text form gives them, sign position removed.
std::string digitsOfValue(double v) { return runtime::digitsOf(singleOrZero(v)); }

// Reads one price pair: returns the integer value, sets both parts.
std::int16_t readPricePair(const std::string& integerText, const std::string& fractionText,
                           std::string& integerPart, std::string& fractionPart) {
    const std::string it = runtime::left(runtime::toHalfWidth(integerText), 3);
    std::int16_t i = int16OrZero(runtime::val(it));
    if (i < 1) i = 0;
    integerPart = runtime::digitsOf(static_cast<std::int32_t>(i));
    std::string typed = fractionText;
    PX$EDIT38_SUB(typed, fractionPart);
    return i;
}

}  // namespace

void PX$IBOX_SUB(std::string& field, float kind) {
    double v = runtime::val(runtime::left(runtime::toHalfWidth(field), 2));
    double lo = 0, hi = 99;  // the year, and any kind not listed
    if (kind == kMonthField) lo = 1, hi = 12;
    else if (kind == kDayField) lo = 1, hi = 31;
    else if (kind == kHourField) lo = 0, hi = 23;
    else if (kind == kMinuteField) lo = 0, hi = 59;
    // Month 13 becomes 12, day 0 becomes 1, minute 75 becomes 59: everything below the
    // second value of the range is its lowest, everything above the second-last its highest.
    if (v < lo + 1) v = lo;
    if (v > hi - 1) v = hi;
    const std::int16_t n = runtime::toInt16(v);
    field = (n < 10 ? "0" : "") + runtime::digitsOf(static_cast<std::int32_t>(n));
}

void PX$EDIT38_SUB(std::string& typedFraction, std::string& fraction) {
    typedFraction = runtime::left(runtime::toHalfWidth(typedFraction), 5);
    double v = runtime::val(typedFraction);
    if (v < 1) v = 0;
    std::string digits = digitsOfValue(v);
    const std::size_t typed = typedFraction.size();
    if (typed >= 2 && typed <= 5 && digits.size() < typed) digits.insert(0, typed - digits.size(), '0');
    fraction = std::move(digits);
}

void splitPriceInput(const std::string& typed, std::string& integerPart, std::string& fractionPart) {
    const std::string text = runtime::toHalfWidth(typed);
    const long d = runtime::instr(text, ".");
    if (d == 0) {
        integerPart = runtime::left(digitsOfValue(runtime::val(text)), 3);
        fractionPart = "00";
        return;
    }
    integerPart = d > 1 ? runtime::left(digitsOfValue(runtime::val(runtime::left(text, d - 1))), 3) : "0";
    std::string after = runtime::mid(text, d + 1);
    PX$EDIT38_SUB(after, fractionPart);
}

void PX$EDIT23_SUB(const std::string& edit2, const std::string& edit3, std::string& priceText,
                  std::string& integerPart, std::string& fractionPart, float& checkSum) {
    const std::int16_t i = readPricePair(edit2, edit3, integerPart, fractionPart);
    const double f = runtime::val(fractionPart);
    priceText = integerPart;
    if (f > 0) priceText += "." + fractionPart;
    checkSum = static_cast<float>(i + f);
}

void PX$EDIT78_SUB(const std::string& edit7, const std::string& edit8, std::string& integerPart,
                  std::string& fractionPart) {
    readPricePair(edit7, edit8, integerPart, fractionPart);
}

void PX$EDIT2021_SUB(const std::string& edit20, const std::string& edit21,
                    std::string& integerPart, std::string& fractionPart) {
    readPricePair(edit20, edit21, integerPart, fractionPart);
}

void PX$EDIT456_SUB(const std::string& edit4, const std::string& edit5, const std::string& edit6,
                   std::int16_t& first, std::int16_t& second, float& third) {
    const auto small = [](const std::string& text, long width) {
        double v = typedValue(text);
        if (v < 1) v = 0;
        return runtime::val(runtime::left(digitsOfValue(v), width));
    };
    first = int16OrZero(small(edit4, 3));
    second = int16OrZero(small(edit5, 3));
    third = singleOrZero(small(edit6, 6));
}

}  // namespace common
