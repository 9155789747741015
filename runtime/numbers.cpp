#include "runtime/numbers.hpp"

#include "runtime/error.hpp"
#include "runtime/number_scan.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace runtime {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Formats a finite value rounded to `precision` significant digits in the data-file
// form. std::to_chars does the rounding (exact decimal value of the binary number, ties
// to even) and is independent of the C locale.
template <typename Float>
std::string formatSignificant(Float value, int precision, int exponentFrom) {
    if (value == 0) return " 0";
    std::string out(1, value < 0 ? '-' : ' ');

    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, precision - 1);
    // buf holds "d.ddddde+XX" (or "de+XX" when precision is 1).
    std::string digits;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (isDigit(*p)) digits += *p;
    int exponent = 0;
    bool negativeExponent = false;
    for (++p; p < res.ptr; ++p) {
        if (*p == '-') negativeExponent = true;
        else if (isDigit(*p)) exponent = exponent * 10 + (*p - '0');
    }
    if (negativeExponent) exponent = -exponent;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent >= exponentFrom || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) out.append(".").append(digits, 1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const auto integerLength = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerLength) {
            out += digits;
            out.append(integerLength - digits.size(), '0');
        } else {
            out.append(digits, 0, integerLength).append(".").append(digits, integerLength);
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

// Not-a-number and infinities never come out of the programs' own arithmetic; they get
// a readable form that keeps the sign column (" NaN", " Inf", "-Inf"). val() reads them
// back as 0.
template <typename Float>
std::string formatFloat(Float value, int precision) {
    if (std::isnan(value)) return " NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : " Inf";
    return formatSignificant(value, precision, precision);
}

// Round half to even, independent of the floating-point environment's rounding mode.
double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;  // exact: both are multiples of value's ulp
    if (fraction < 0.5) return floor;
    if (fraction > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <typename Int>
Int roundToInt(double value) {
    const double r = roundHalfEven(value);
    // NaN fails both comparisons and so lands on the error as well.
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
        raiseError(err::Overflow);
    return static_cast<Int>(r);
}

template <typename Int, typename Op>
Int checked(Op op, Int a, Int b) {
    Int result;
    if (op(a, b, &result)) raiseError(err::Overflow);
    return result;
}

constexpr auto kAdd = [](auto a, auto b, auto* r) { return __builtin_add_overflow(a, b, r); };
constexpr auto kSub = [](auto a, auto b, auto* r) { return __builtin_sub_overflow(a, b, r); };
constexpr auto kMul = [](auto a, auto b, auto* r) { return __builtin_mul_overflow(a, b, r); };

}  // namespace

std::string numberText(std::int32_t value) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    std::string out = value < 0 ? "" : " ";
    out.append(buf, res.ptr);
    return out;
}

std::string numberText(float value) { return formatFloat(value, 7); }
std::string numberTextDouble(double value) { return formatFloat(value, 15); }

std::string digitsOf(std::int32_t value) { return numberText(value).substr(1); }
std::string digitsOf(float value) { return numberText(value).substr(1); }

ScannedNumber scanNumber(std::string_view text) {
    ScannedNumber result;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && isBlank(text[i])) ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) result.negative = text[i++] == '-';

    bool anyDigit = false;
    long long fractionDigits = 0;
    bool inFraction = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c == '.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!isDigit(c)) break;
        anyDigit = true;
        if (inFraction) ++fractionDigits;
        if (c != '0' || !result.digits.empty()) result.digits += c;
    }
    if (!anyDigit) return ScannedNumber{};

    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            for (; j < n && isDigit(text[j]); ++j)
                if (exponent < ScannedNumber::kExponentLimit)
                    exponent = exponent * 10 + (text[j] - '0');
            exponent = std::min(exponent, ScannedNumber::kExponentLimit);
            if (negativeExponent) exponent = -exponent;
            i = j;
        }
    }
    result.length = i;

    // Trailing zeros move into the exponent; leading zeros were never kept.
    long long trailingZeros = 0;
    while (!result.digits.empty() && result.digits.back() == '0') {
        result.digits.pop_back();
        ++trailingZeros;
    }
    result.exponent = exponent - fractionDigits + trailingZeros;
    if (result.digits.empty()) result.exponent = 0;
    return result;
}

double val(std::string_view text) {
    // Plain digits, as the data files write every count and header number: up to 15 of
    // them are exactly the integer they spell, so the general scan is not needed.
    if (!text.empty() && text.size() <= 15 && std::all_of(text.begin(), text.end(), isDigit)) {
        double value = 0;
        for (const char c : text) value = value * 10 + (c - '0');
        return value;
    }
    const ScannedNumber scanned = scanNumber(text);
    if (scanned.digits.empty()) return 0.0;

    // value = 0.digits * 10^pointExponent; far outside the double range the answer is
    // known without asking the parser.
    const long long pointExponent =
        scanned.exponent + static_cast<long long>(scanned.digits.size());
    double magnitude = 0.0;
    if (pointExponent > 400) {
        magnitude = std::numeric_limits<double>::infinity();
    } else if (pointExponent >= -400) {
        const std::string normal = "0." + scanned.digits + "e" + std::to_string(pointExponent);
        const auto res =
            std::from_chars(normal.data(), normal.data() + normal.size(), magnitude);
        if (res.ec == std::errc::result_out_of_range)
            magnitude = pointExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return scanned.negative ? -magnitude : magnitude;
}

std::int16_t toInt16(double value) { return roundToInt<std::int16_t>(value); }
std::int32_t toInt32(double value) { return roundToInt<std::int32_t>(value); }

float toSingle(double value) {
    if (std::fabs(value) > FLT_MAX) raiseError(err::Overflow);
    return static_cast<float>(value);
}

std::int16_t add16(std::int16_t a, std::int16_t b) { return checked(kAdd, a, b); }
std::int16_t sub16(std::int16_t a, std::int16_t b) { return checked(kSub, a, b); }
std::int16_t mul16(std::int16_t a, std::int16_t b) { return checked(kMul, a, b); }
std::int32_t add32(std::int32_t a, std::int32_t b) { return checked(kAdd, a, b); }
std::int32_t sub32(std::int32_t a, std::int32_t b) { return checked(kSub, a, b); }
std::int32_t mul32(std::int32_t a, std::int32_t b) { return checked(kMul, a, b); }

}  // namespace runtime
