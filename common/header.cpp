#include "common/header.hpp"

#include "common/lenient_number.hpp"
#include "runtime/numbers.hpp"
#include "runtime/strings.hpp"

namespace common {

void PX$ヘッダー分離_SUB(std::int16_t& number, std::string& key, const std::string& header) {
    // Four digits and "_", as every header is written: the split without the general scan.
    const auto digit = [&](std::size_t i) { return header[i] >= '0' && header[i] <= '9'; };
    if (header.size() >= 5 && header[4] == '_' && digit(0) && digit(1) && digit(2) && digit(3)) {
        number = static_cast<std::int16_t>((header[0] - '0') * 1000 + (header[1] - '0') * 100 + (header[2] - '0') * 10 +
                                           (header[3] - '0'));
        key.assign(header, 5);
        return;
    }
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
