#include "common/combo_text.hpp"

#include "common/lenient_number.hpp"
#include "runtime/numbers.hpp"
#include "runtime/strings.hpp"

namespace common {

void PX$TIME_SUB(const std::string& text, std::string& result) {
    result = runtime::chr(34) + text + runtime::chr(34);
}

void PX$COMBO_SUB1(const std::string& text, std::int16_t number, std::string& result) {
    result = runtime::digitsOf(static_cast<std::int32_t>(number)) + "_" + text;
}

void PX$COMBO_SUB2(const std::string& entry, std::string& text, std::int16_t& number) {
    const long p = runtime::instr(entry, "_");
    if (p == 0) {
        text = entry;
        number = 0;
        return;
    }
    number = int16OrZero(runtime::val(runtime::left(entry, p - 1)));
    text = runtime::mid(entry, p + 1);
}

}  // namespace common
