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

// A variable keeps the digits it was declared with for its whole life: only construction
// gives it digits, and every assignment rounds the value into them. So a std::vector of
// variables behaves as an array declared with those digits: assign(n, DecimalVar("-6.5"))
// and growing make copies of the element given (digits and value), erasing shifts values
// down between elements of the same digits, and std::swap swaps values, each side keeping
// its digits (a value that does not fit the other side is error 6 part-way through).
// assign() and copying another vector over a vector may assign into the elements already
// there (when the storage has room), which then keep their digits: to re-declare the
// elements with other digits, clear() the vector first.
// There is no default constructor: a variable cannot exist without its digits.
class DecimalVar {
public:
    explicit DecimalVar(std::string_view spec) : spec_(DecimalSpec::parse(spec)) {}
    explicit DecimalVar(DecimalSpec spec) : spec_(spec) {}
    DecimalVar& operator=(const Decimal& value);
    DecimalVar& operator=(std::string_view text) { return *this = Decimal::fromText(text); }

    // A new variable declared like `other`, holding its value: the digits and the value
    // are both copied.
    DecimalVar(const DecimalVar& other) = default;
    // The same as the copy: digits and value. The moved-from variable is left as it was,
    // since there is nothing to take from it.
    DecimalVar(DecimalVar&& other) noexcept = default;
    // Stores `other`'s value under this variable's own digits, rounded to its fraction
    // digits; error 6 when the integer part does not fit (or a negative value meets an
    // unsigned variable), and then this variable keeps its old value. The other
    // variable's digits are never copied.
    DecimalVar& operator=(const DecimalVar& other) { return *this = other.value(); }
    // The same as the copy assignment: the value, rounded into this variable's digits,
    // error 6 leaving the old value. `other` is left as it was.
    DecimalVar& operator=(DecimalVar&& other) { return *this = other.value(); }
    ~DecimalVar() = default;

    const Decimal& value() const { return value_; }
    operator const Decimal&() const { return value_; }
    const DecimalSpec& spec() const { return spec_; }

private:
    DecimalSpec spec_;
    Decimal value_;
};

}  // namespace runtime
