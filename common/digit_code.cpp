#include "common/digit_code.hpp"

#include "common/lenient_number.hpp"
#include "runtime/numbers.hpp"
#include "runtime/strings.hpp"

namespace common {

void PX$VAL2STR_SUB(float value, std::string& text) {
    const std::string t = runtime::mid(runtime::numberText(value), 2);
    std::string out;
    for (const char c : t) out += std::to_string(static_cast<unsigned char>(c));
    text = std::move(out);
}

void PX$STR2VAL_SUB(float& value, const std::string& text) {
    std::string chars;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const double code = runtime::val(text.substr(i, 2));
        // A pair reads as 0..99 (or less for a sign or garbage): anything outside a byte
        // code simply ends the number.
        if (code < 0 || code > 255) break;
        chars += static_cast<char>(static_cast<int>(code));
    }
    const double v = runtime::val(chars);
    value = singleOrZero(v);
}

}  // namespace common
