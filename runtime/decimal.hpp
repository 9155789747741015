#pragma once
// The fixed-point decimal type. A Decimal is an exact decimal number; a DecimalVar is a
// variable declared by its digits "I.F" (integer and fraction digits), with an
// optional leading "-" for signed ("3.5", "-3.5", "-6.5", "-9.5"). Addition, subtraction
// and multiplication are exact; storing a result in a variable rounds it to the variable's fraction digits
// (half away from zero) and raises error 6 (overflow) when its integer part has more
// digits than declared, or when a negative value goes into an unsigned variable.

#include <compare>
#include <string>
#include <string_view>

namespace runtime {

class Decimal {
public:
    Decimal() = default;
    static Decimal fromInt(long long value);
    // Exact conversion from text, following the text-to-number rules of val(): leading
    // blanks, sign, digits, point, digits, optional exponent; stops at the first
    // character that cannot continue the number; nothing gives 0. Error 6 when the value
    // has more than 36 significant digits or does not fit the units; fraction digits
    // beyond the 36th are rounded off (half away from zero), as a product's are.
    static Decimal fromText(std::string_view text);

    // Number-to-text form: leading blank for values >= 0, "-" otherwise, no trailing
    // fraction zeros, "0" before the point of values below 1 (" 0.91234", "-2000").
    std::string toText() const;
    double toDouble() const;
    int sign() const;

    // Value rounded to `fractionDigits` digits after the point, half away from zero;
    // a negative count is error 5.
    Decimal rounded(int fractionDigits) const;
    // Number of digits before the point (0 for values below 1).
    int integerDigits() const;

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    // A product with more than 36 fraction digits is rounded to 36, half away from zero.
    // A result beyond the 128-bit units is error 6.
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    Decimal operator-() const;
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    // __extension__ keeps -Wpedantic quiet about the compiler's 128-bit integer.
    __extension__ typedef __int128 Units;
    // Takes units and scale and drops the fraction's trailing zeros, so that equal
    // values are held alike and toText() needs no trimming.
    Decimal(Units units, int scale);

    Units units_ = 0;  // value = units_ / 10^scale_, never below -(2^127 - 1)
    int scale_ = 0;    // fraction digits held, 0..36
};

struct DecimalSpec {
    bool isSigned = false;
    int integerDigits = 0;
    int fractionDigits = 0;
    // "I.F" with an optional leading "-"; I and F each 0..18. Other forms are error 5.
    static DecimalSpec parse(std::string_view spec);
};

class DecimalVar {
public:
    explicit DecimalVar(std::string_view spec) : spec_(DecimalSpec::parse(spec)) {}
    explicit DecimalVar(DecimalSpec spec) : spec_(spec) {}
    DecimalVar& operator=(const Decimal& value);
    DecimalVar& operator=(std::string_view text) { return *this = Decimal::fromText(text); }
    // Assigning one variable to another stores the value under this variable's own
    // declared digits; the other variable's digits are never copied.
    DecimalVar& operator=(const DecimalVar& other) { return *this = other.value(); }
    DecimalVar(const DecimalVar&) = default;
    const Decimal& value() const { return value_; }
    operator const Decimal&() const { return value_; }
    const DecimalSpec& spec() const { return spec_; }

private:
    DecimalSpec spec_;
    Decimal value_;
};

}  // namespace runtime
