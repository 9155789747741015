#pragma once
// The lexical part of text-to-number conversion, shared by val() and Decimal::fromText()
// so that both read exactly the same characters of a text.
//
// Leading blanks (space, tab) are skipped; then an optional sign, digits, an optional
// point and digits, and an optional exponent: "E", "e", "D" or "d", an optional sign and
// at least one digit. An exponent letter that is not followed by digits ends the number
// before the letter. Scanning stops at the first character that cannot continue the
// number and never reads past the end of the text.

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

struct ScannedNumber {
    bool negative = false;
    // The significant digits, without leading or trailing zeros; empty for zero and for
    // a text that holds no number.
    std::string digits;
    // value = digits * 10^exponent. The written exponent is clamped to +-kExponentLimit,
    // far beyond any representable value, so a huge exponent cannot overflow.
    long long exponent = 0;
    // Characters of the text that belong to the number, blanks included; 0 when none.
    std::size_t length = 0;

    static constexpr long long kExponentLimit = 1'000'000'000;
};

ScannedNumber scanNumber(std::string_view text);

}  // namespace runtime
