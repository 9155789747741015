#include "common/header.hpp"

#include "common/lenient_number.hpp"
#include "runtime/numbers.hpp"
#include "runtime/strings.hpp"

namespace common {

void PX$ヘッダー分離_SUB(std::int16_t& number, std::string& key, const std::string& header) {
    const long p = runtime::instr(header, "_");
    if (p == 0) {
        number = 0;
        return;
    }
    number = int16OrZero(runtime::val(runtime::left(header, p - 1)));
    key = runtime::mid(header, p + 1);
}

void PX$ヘッダー結合_SUB(std::int16_t number, const std::string& key, std::string& result) {
    std::string t = runtime::digitsOf(static_cast<std::int32_t>(number));
    if (t.size() < 4) t.insert(0, 4 - t.size(), '0');
    result = t + "_" + key + ",";
}

}  // namespace common
