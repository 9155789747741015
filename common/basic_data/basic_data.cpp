#include "common/basic_data/basic_data.hpp"

#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

BasicData defaultBasicData() {
    BasicData d;
    d.chartFolderName = "FXCG";
    d.tradeStates = {"開始保留"_sj, "取引中"_sj, "決済保留"_sj, "決済"_sj, "取引終了"_sj, "中止"_sj, "メモ"_sj};
    d.tradeStateCount = 6;
    d.tradeSides = {"未設定"_sj, "売り"_sj, "買い"_sj};
    d.tradeSideCount = 2;
    d.currencyPairs[0] = "未設定"_sj;
    d.currencyPairs[1] = "USD/JPY";
    d.currencyPairs[2] = "AUD/JPY";
    d.currencyPairs[3] = "NZD/JPY";
    d.currencyPairCount = 3;
    d.timeframes[0] = {"未設定"_sj, "未設定"_sj, "未設定"_sj, "未設定"_sj};
    d.timeframes[1] = {"１分足"_sj, "１分足"_sj, "５分足相当"_sj, "１５分足相当"_sj};
    d.timeframes[2] = {"５分足"_sj, "５分足"_sj, "１５分足相当"_sj, "１時間足相当"_sj};
    d.timeframes[3] = {"１時間足"_sj, "１時間足"_sj, "４時間足相当"_sj, "日足相当"_sj};
    d.timeframeCount = 3;
    for (int g = 1; g <= kGroupCount; ++g)
        for (int i = firstItemOf(g); i <= 3; ++i) d.groups[g].items[i].choices[0] = "未設定"_sj;
    for (int k = 1; k <= kOptionCount; ++k) d.options[k].choices[0] = "未設定"_sj;
    return d;
}

}  // namespace common
