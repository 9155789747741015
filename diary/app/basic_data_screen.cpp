#include "diary/app/basic_data_screen.hpp"

#include "common/header_reader.hpp"
#include "common/ui/controls.hpp"
#include "diary/app/control_names.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/program_end.hpp"
#include "diary/files/basic_data_file.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

const char* const kZoomEntries[] = {"等倍", "縦合わせ", "横合わせ", "×０.９", "×０.８", "×０.７",
                                   "×０.６", "×０.５", "×０.４", "×０.３", "×０.２", "×０.１"};

template <std::size_t N>
void fillList(ObjectVar& control, const std::array<std::string, N>& list, int count) {
    ui::clearItems(control);
    for (int j = 0; j <= count; ++j) ui::addItem(control, list[static_cast<std::size_t>(j)]);
}

void showGroups(Diary& d) {
    for (int g = 1; g <= kGroupCount; ++g) {
        const Group& group = d.basic.groups[g];
        ui::setText(d.windows.trade[groupFrameName(g)], group.name);
        for (int i = firstItemOf(g); i <= 3; ++i) {
            const SubItem& item = group.items[i];
            fillList(d.windows.trade[groupItemComboName(i, g)], item.choices, item.count);
            d.itemDisplayLabel[g][i] = item.name;
            PX$SETCGT_SUB3(d, i, g, item.name);
        }
    }
    for (int k = 1; k <= kOptionCount; ++k) {
        const Option& option = d.basic.options[k];
        fillList(d.windows.options[optionComboName(k)], option.choices, option.count);
        d.optionDisplayLabel[k] = option.name;
        PX$SETCGT_SUB1(d, k, option.name);
    }
}

}  // namespace

void PX$基本環境_SUB(Diary& d) {
    d.basic = defaultBasicData();
    d.env = Environment{};
    d.chartPictureWidth = d.env.chartWindowWidth;
    d.chartPictureHeight = d.env.chartWindowHeight;
    d.tempBitmapPath = temporaryBitmapPath();
    ObjectVar& zoom = d.windows.chart["COMBO1"];
    ui::clearItems(zoom);
    for (const char* entry : kZoomEntries) ui::addItem(zoom, runtime::fromUtf8(entry));
    ui::select(zoom, d.env.zoomIndex);
}

void PX$基本環境COB_SUB(Diary& d) {
    FormWindow& trade = d.windows.trade;
    fillList(trade["COMBO2"], d.basic.currencyPairs, d.basic.currencyPairCount);
    ui::clearItems(trade["COMBO4"]);
    for (int t = 0; t <= d.basic.timeframeCount; ++t) ui::addItem(trade["COMBO4"], d.basic.timeframes[t].base);
    fillList(trade["COMBO3"], d.basic.tradeSides, d.basic.tradeSideCount);
}

void showBasicData(Diary& d) {
    PX$基本環境COB_SUB(d);
    ObjectVar& pairFilter = d.windows.closedTrades["COMBO45"];
    ui::clearItems(pairFilter);
    ui::addItem(pairFilter, "全部"_sj);
    for (int j = 1; j <= d.basic.currencyPairCount; ++j) ui::addItem(pairFilter, d.basic.currencyPairs[j]);
    ui::select(pairFilter, 0);
    showGroups(d);
}

std::string basicDataPath(const Diary& d) { return d.env.basicDataFolder + "基本データ.TXT"_sj; }

void PX$基本データ設定R_SUB(Diary& d) {
    const std::string path = basicDataPath(d);
    if (!runtime::fileExists(path)) return;
    const std::string text = runtime::readWholeFile(runtime::nativePath(path));
    try {
        readBasicData(text, d.basic);
    } catch (const common::DataError& e) {
        stopProgram(e.caption(), e.text());
    }
    showBasicData(d);
}

void PX$基本データ設定W_SUB(Diary& d) {
    runtime::writeFileSafely(runtime::nativePath(basicDataPath(d)), writeBasicData(d.basic));
    PX$環境設定W_SUB(d);
}

}  // namespace diary
