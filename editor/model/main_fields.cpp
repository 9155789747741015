#include "editor/model/main_fields.hpp"

#include <cmath>
#include <limits>

#include "common/field_text.hpp"
#include "common/value_checks.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace editor {

namespace {

// The text of a number as an edit shows it: no blank before a positive value.
std::string shown(std::string text) {
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

Refusal refused(const std::string& name, const std::string& typed, const std::string& rule) {
    return {name + "の設定エラー"_sj, name + "「"_sj + typed + "」は登録できません。\r\n"_sj + rule};
}

// A whole number as the runtime rounds it, when a 16-bit integer holds it.
std::optional<std::int16_t> wholeNumber(double v) {
    if (!(v > -32768.5 && v < 32767.5)) return std::nullopt;
    return runtime::toInt16(v);
}

}  // namespace

MainFields mainFieldsOf(const common::BasicData& d) {
    return {shown(runtime::numberText(static_cast<std::int32_t>(d.defaultLots))), shown(runtime::numberText(d.currencyUnit)),
            shown(runtime::numberText(static_cast<std::int32_t>(d.stockCapacity))), d.chartFolderName};
}

std::optional<Refusal> takeMainFields(const MainFields& f, common::BasicData& d) {
    const std::optional<std::int16_t> lots = wholeNumber(runtime::val(f.lots));
    if (!lots) return refused("注文枚数"_sj, f.lots, "-32768から32767までの数値にして下さい。"_sj);

    const double unit = runtime::val(f.unit);
    if (!(std::fabs(unit) <= std::numeric_limits<float>::max()))
        return refused("通貨単位"_sj, f.unit, "もっと小さな数値にして下さい。"_sj);

    const double stockValue = runtime::val(f.stock);
    if (!(stockValue < common::kMaxStockCapacity + 0.5))
        return refused("ストック量"_sj, f.stock, "9999以下の数値にして下さい。"_sj);
    // Rounded first, then raised to 5: 4.5 rounds to the even 4, which becomes 5.
    const std::int16_t stock = stockValue < 5 ? std::int16_t{5} : runtime::toInt16(stockValue);

    const std::string folder = f.chartFolder.empty() ? std::string("FXCG") : f.chartFolder;
    if (!common::isPlainFolderName(folder) || !common::fieldCanHold(folder))
        return refused("ＣＧフォルダ名"_sj, f.chartFolder,
                       "「/」「*」「?」を含まない、フォルダ名を一つ書いて下さい。"_sj);

    d.defaultLots = *lots == 0 ? std::int16_t{1} : *lots;
    d.currencyUnit = unit == 0 ? 10000.0f : runtime::toSingle(unit);
    d.stockCapacity = stock;
    d.chartFolderName = folder;
    return std::nullopt;
}

}  // namespace editor
