#include "bench/bench_data.hpp"

#include <array>
#include <string>

#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace bench {

diary::BasicData benchBasicData(int stockCapacity) {
    diary::BasicData b = diary::defaultBasicData();
    b.stockCapacity = static_cast<std::int16_t>(stockCapacity);
    const char* groupNames[] = {"", "トレンド", "形状", "環境"};
    for (int g = 1; g <= 3; ++g) {
        diary::Group& group = b.groups[g];
        group.name = runtime::fromUtf8(groupNames[g]);
        group.used = 1;
        for (int i = diary::firstItemOf(g); i <= 3; ++i) {
            diary::SubItem& item = group.items[i];
            item.name = runtime::fromUtf8("項目") + std::to_string(g) + "-" + std::to_string(i);
            item.used = 1;
            item.count = 2;
            item.choices[1] = "上昇"_sj;
            item.choices[2] = "下降"_sj;
        }
    }
    for (int k = 1; k <= 2; ++k) {
        diary::Option& option = b.options[k];
        option.name = k == 1 ? "指標"_sj : "時間帯"_sj;
        option.used = 1;
        option.count = 2;
        option.choices[1] = "雇用統計"_sj;
        option.choices[2] = "東京"_sj;
    }
    return b;
}

diary::NewRecordDefaults defaultsOf(const diary::BasicData& b) {
    std::array<std::array<std::string, 4>, diary::kGroupCount + 1> items{};
    std::array<std::string, diary::kOptionCount + 1> options{};
    for (int g = 1; g <= diary::kGroupCount; ++g)
        for (int i = 0; i <= 3; ++i) items[g][i] = b.groups[g].items[i].name;
    for (int k = 1; k <= diary::kOptionCount; ++k) options[k] = b.options[k].name;
    return diary::newRecordDefaults(b, items, options);
}

}  // namespace bench
