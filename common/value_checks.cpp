#include "common/value_checks.hpp"

#include "common/lenient_number.hpp"
#include "runtime/error.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

namespace {

[[noreturn]] void badValue(const HeaderEntry& e, std::string_view fileName, const std::string& rule) {
    throw DataError(e.key + "←設定値エラー"_sj, std::string(fileName) + "の"_sj + e.key + "「"_sj + e.value + "」"_sj +
                                                     "は使えません。\r\n"_sj + rule,
                    e.offset);
}

}  // namespace

std::int16_t checkedCount(const HeaderEntry& e, std::string_view fileName, int capacity) {
    std::int16_t n = int16OrZero(runtime::val(e.value));
    if (n < 0) n = 0;
    if (n > capacity)
        throw DataError(e.key + "←項目数エラー"_sj,
                        std::string(fileName) + "の"_sj + e.key + "の項目数"_sj + runtime::numberText(n) + "は最大"_sj +
                            runtime::digitsOf(capacity) + "を超えています"_sj,
                        e.offset);
    return n;
}

std::int16_t checkedNumber(const HeaderEntry& e, std::string_view fileName, int low, int high) {
    const double v = runtime::val(e.value);
    if (!(v > low - 0.5 && v < high + 0.5))
        badValue(e, fileName, runtime::digitsOf(low) + "から"_sj + runtime::digitsOf(high) + "までの数値にして下さい。"_sj);
    return runtime::toInt16(v);
}

void checkedDecimal(const HeaderEntry& e, std::string_view fileName, runtime::DecimalVar& variable) {
    try {
        variable = runtime::Decimal::fromText(e.value);
    } catch (const runtime::RuntimeError& error) {
        if (error.number() != runtime::err::Overflow) throw;
        const runtime::DecimalSpec& spec = variable.spec();
        badValue(e, fileName, "整数部"_sj + runtime::digitsOf(spec.integerDigits) + "桁、小数部"_sj +
                                  runtime::digitsOf(spec.fractionDigits) + "桁までの"_sj +
                                  (spec.isSigned ? ""_sj : "0以上の"_sj) + "数値にして下さい。"_sj);
    }
}

bool isPlainFolderName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    // "/", "*", "?" and NUL are never the second byte of a two-byte character.
    return name.find_first_of(std::string_view("/*?\0", 4)) == std::string_view::npos;
}

std::string checkedFolderName(const HeaderEntry& e, std::string_view fileName) {
    if (!isPlainFolderName(e.value))
        badValue(e, fileName, "「/」「*」「?」を含まない、空でないフォルダ名を一つ書いて下さい。"_sj);
    return e.value;
}

}  // namespace common
