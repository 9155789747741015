#include "runtime/decimal.hpp"

#include "runtime/error.hpp"
#include "runtime/number_scan.hpp"
#include "runtime/numbers.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <compare>
#include <string>

namespace runtime {

namespace {

__extension__ typedef __int128 int128;
__extension__ typedef unsigned __int128 uint128;

constexpr int kMaxScale = 36;
constexpr std::size_t kMaxSignificantDigits = 36;
// Units stay within +-kMaxUnits, so negating them never overflows.
constexpr int128 kMaxUnits = static_cast<int128>(~static_cast<uint128>(0) >> 1);

constexpr std::array<int128, 39> makePowersOfTen() {
    std::array<int128, 39> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}
constexpr std::array<int128, 39> kPow10 = makePowersOfTen();  // 10^0 .. 10^38

int128 pow10(int n) { return kPow10[static_cast<std::size_t>(n)]; }

[[noreturn]] void overflow() { raiseError(err::Overflow); }

std::strong_ordering order(int128 a, int128 b) {
    if (a == b) return std::strong_ordering::equal;
    return a < b ? std::strong_ordering::less : std::strong_ordering::greater;
}

uint128 magnitude(int128 v) {
    const auto u = static_cast<uint128>(v);
    return v < 0 ? 0 - u : u;
}

int128 checkedMul(int128 a, int128 b) {
    int128 r;
    if (__builtin_mul_overflow(a, b, &r) || r < -kMaxUnits) overflow();
    return r;
}

int128 checkedAdd(int128 a, int128 b) {
    int128 r;
    if (__builtin_add_overflow(a, b, &r) || r < -kMaxUnits) overflow();
    return r;
}

// Drops the last `count` digits of v, rounding half away from zero.
int128 dropDigits(int128 v, long long count) {
    if (count <= 0) return v;
    if (count >= static_cast<long long>(kPow10.size())) return 0;  // |v| < 10^39 / 2
    const int128 p = pow10(static_cast<int>(count));
    int128 q = v / p;
    if (2 * magnitude(v % p) >= static_cast<uint128>(p)) q += v < 0 ? -1 : 1;
    return q;
}

std::string digitText(uint128 v) {
    std::string s;
    do {
        s += static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    } while (v != 0);
    return {s.rbegin(), s.rend()};
}

// An unsigned 256-bit number, least significant word first: wide enough for the exact
// product of two units before it is rounded back to at most 36 fraction digits.
struct Wide {
    std::array<std::uint64_t, 4> w{};

    static Wide product(uint128 a, uint128 b) {
        using Word = std::uint64_t;
        const Word x[2] = {static_cast<Word>(a), static_cast<Word>(a >> 64)};
        const Word y[2] = {static_cast<Word>(b), static_cast<Word>(b >> 64)};
        Wide r;
        for (int i = 0; i < 2; ++i) {
            uint128 carry = 0;
            for (int j = 0; j < 2; ++j) {
                const uint128 t = static_cast<uint128>(x[i]) * y[j] + r.w[i + j] + carry;
                r.w[i + j] = static_cast<std::uint64_t>(t);
                carry = t >> 64;
            }
            r.w[i + 2] = static_cast<std::uint64_t>(carry);
        }
        return r;
    }

    // Divides by ten in place and returns the remainder.
    int divideByTen() {
        uint128 rest = 0;
        for (int i = 3; i >= 0; --i) {
            const uint128 cur = (rest << 64) | w[i];
            w[i] = static_cast<std::uint64_t>(cur / 10);
            rest = cur % 10;
        }
        return static_cast<int>(rest);
    }

    int lastDigit() const {
        Wide copy = *this;
        return copy.divideByTen();
    }

    void increment() {
        for (auto& word : w)
            if (++word != 0) break;
    }

    bool fitsUnits() const { return w[3] == 0 && w[2] == 0 && (w[1] >> 63) == 0; }
    uint128 low() const { return (static_cast<uint128>(w[1]) << 64) | w[0]; }
};

}  // namespace

Decimal::Decimal(Units units, int scale) : units_(units), scale_(scale) {
    while (scale_ > 0 && units_ % 10 == 0) {
        units_ /= 10;
        --scale_;
    }
    if (units_ == 0) scale_ = 0;
}

Decimal Decimal::fromInt(long long value) { return Decimal(value, 0); }

Decimal Decimal::fromText(std::string_view text) {
    const ScannedNumber scanned = scanNumber(text);
    if (scanned.digits.empty()) return Decimal();
    if (scanned.digits.size() > kMaxSignificantDigits) overflow();

    int128 units = 0;
    for (char c : scanned.digits) units = units * 10 + (c - '0');
    if (scanned.negative) units = -units;

    if (scanned.exponent >= 0) {
        if (scanned.exponent >= static_cast<long long>(kPow10.size())) overflow();
        return Decimal(checkedMul(units, pow10(static_cast<int>(scanned.exponent))), 0);
    }
    // More fraction digits than the type holds are rounded off, as a product's are.
    const long long scale = -scanned.exponent;
    if (scale <= kMaxScale) return Decimal(units, static_cast<int>(scale));
    return Decimal(dropDigits(units, scale - kMaxScale), kMaxScale);
}

std::string Decimal::toText() const {
    const uint128 mag = magnitude(units_);
    const auto unit = static_cast<uint128>(pow10(scale_));
    std::string out(1, units_ < 0 ? '-' : ' ');
    out += digitText(mag / unit);
    if (scale_ > 0) {
        const std::string fraction = digitText(mag % unit);
        out += '.';
        out.append(static_cast<std::size_t>(scale_) - fraction.size(), '0');
        out += fraction;
    }
    return out;
}

double Decimal::toDouble() const { return val(toText()); }

int Decimal::sign() const { return units_ < 0 ? -1 : units_ > 0 ? 1 : 0; }

Decimal Decimal::rounded(int fractionDigits) const {
    if (fractionDigits < 0) raiseError(err::IllegalArgument);
    if (fractionDigits >= scale_) return *this;
    return Decimal(dropDigits(units_, scale_ - fractionDigits), fractionDigits);
}

int Decimal::integerDigits() const {
    uint128 whole = magnitude(units_) / static_cast<uint128>(pow10(scale_));
    int digits = 0;
    for (; whole != 0; whole /= 10) ++digits;
    return digits;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    const int128 x = checkedMul(a.units_, pow10(scale - a.scale_));
    const int128 y = checkedMul(b.units_, pow10(scale - b.scale_));
    return Decimal(checkedAdd(x, y), scale);
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal Decimal::operator-() const { return Decimal(-units_, scale_); }

Decimal operator*(const Decimal& a, const Decimal& b) {
    Wide product = Wide::product(magnitude(a.units_), magnitude(b.units_));
    int scale = a.scale_ + b.scale_;
    // Fraction zeros of the exact product carry no value; dropping them first keeps
    // exact results exact even when the raw product is wider than the units.
    while (scale > 0 && product.lastDigit() == 0) {
        product.divideByTen();
        --scale;
    }
    int dropped = 0;
    for (; scale > kMaxScale; --scale) dropped = product.divideByTen();
    if (dropped >= 5) product.increment();  // the last digit dropped is the leading one
    if (!product.fitsUnits()) overflow();
    const auto units = static_cast<int128>(product.low());
    return Decimal((a.units_ < 0) != (b.units_ < 0) ? -units : units, scale);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    // Whole parts first, then the fractions brought to a common scale: neither step can
    // overflow, whatever the two scales are.
    const int128 unitA = pow10(a.scale_);
    const int128 unitB = pow10(b.scale_);
    const int128 wholeA = a.units_ / unitA;
    const int128 wholeB = b.units_ / unitB;
    if (wholeA != wholeB) return order(wholeA, wholeB);
    const int scale = std::max(a.scale_, b.scale_);
    const int128 fractionA = a.units_ % unitA * pow10(scale - a.scale_);
    const int128 fractionB = b.units_ % unitB * pow10(scale - b.scale_);
    return order(fractionA, fractionB);
}

bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

DecimalSpec DecimalSpec::parse(std::string_view text) {
    DecimalSpec result;
    std::size_t i = 0;
    if (!text.empty() && text[0] == '-') {
        result.isSigned = true;
        ++i;
    }
    // Reads a count of 0..18 written with at least one digit.
    auto count = [&](int& out) {
        const std::size_t start = i;
        int value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = value * 10 + (text[i] - '0');
            if (value > 18) raiseError(err::IllegalArgument);
        }
        if (i == start) raiseError(err::IllegalArgument);
        out = value;
    };
    count(result.integerDigits);
    if (i >= text.size() || text[i] != '.') raiseError(err::IllegalArgument);
    ++i;
    count(result.fractionDigits);
    if (i != text.size()) raiseError(err::IllegalArgument);
    return result;
}

DecimalVar& DecimalVar::operator=(const Decimal& value) {
    const Decimal stored = value.rounded(spec_.fractionDigits);
    if (stored.integerDigits() > spec_.integerDigits || (!spec_.isSigned && stored.sign() < 0))
        raiseError(err::Overflow);
    value_ = stored;
    return *this;
}

}  // namespace runtime
