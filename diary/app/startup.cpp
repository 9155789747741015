#include "diary/app/startup.hpp"

#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/chart_viewer.hpp"
#include "diary/app/control_names.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/program_end.hpp"
#include "diary/app/time_stop.hpp"
#include "diary/app/trade_data.hpp"
#include "runtime/file_system.hpp"
#include "runtime/sjis.hpp"
#include "runtime/system_call.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

// Step 1: the global state, the windows in their order, the metrics, the chart window at
// the screen's corner.
void setUpWindows(Diary& d) {
    d.mainTitle = "メイン画面　＜＜　ＱＵＩＬＬＯＮ　システムVer.3.0　データVer.3.0　＞＞"_sj;
    createWindows(d.windows);
    PX$SETMAPMODE(&d.windows.main.form, 1);
    ui::setText(d.windows.main.form, d.mainTitle);

    const auto metric = [](std::int32_t index) {
        const std::int32_t arguments[] = {index};
        return static_cast<std::int16_t>(runtime::callSystemFunction("USER32", "GetSystemMetrics", arguments));
    };
    // The caption's buttons, the sizing frame and the border; the menu bar; the sizing frame.
    d.frameHeight = static_cast<std::int16_t>(metric(31) + metric(33) + metric(6));
    d.menuHeight = metric(15);
    d.frameWidth = metric(33);
    createViewerBitmaps(d);
    ObjectVar& chart = d.windows.chart.form;
    ui::move(chart, 0, 0);
    d.chartOuterWidth = ui::width(chart);
    d.chartOuterHeight = ui::height(chart);
}

void stopForMissingBasicData() {
    stopProgram("セットアップ・エラーメッセージ"_sj, "基本データ.TXTが見つかりませんので終了します。"_sj);
}

// Step 7: a folder whose trades moved elsewhere can only show its closed trades.
void checkRelocation(Diary& d) {
    const std::string& folder = d.env.tradeDataFolder;
    if (!runtime::fileExists(folder + "移転しました.TXT"_sj)) return;
    d.relocatedData = 1;
    if (!runtime::fileExists(folder + "整理データ.TXT"_sj))
        stopProgram("強制終了警告"_sj, "指定したフォルダ内にはデータが存在しませんので、終了します。"_sj);
    common::PV$STOP_SUB("取引不能警告"_sj, "指定したフォルダ内には取引中のデータが移転している為\r\n"
                                           "存在しませんので、整理データを見る事しかできません。"_sj);
    for (const char* control : {"LIST1", "BUTTON22", "BUTTON50"}) ui::enable(d.windows.main[control], false);
}

// Step 9: the copy checklist offers the groups and options that have a name.
void setUpChecklist(Diary& d) {
    FormWindow& list = d.windows.checklist;
    const auto offer = [&list](int checkNumber, const std::string& name) {
        ObjectVar& box = list["CHECK" + std::to_string(checkNumber)];
        ui::enable(box, !name.empty());
        if (!name.empty()) ui::setText(box, name);
    };
    for (int g = 1; g <= kGroupCount; ++g) offer(11 + g, d.basic.groups[g].name);
    for (int k = 1; k <= kOptionCount; ++k) offer(23 + k, d.basic.options[k].name);
}

}  // namespace

void PX$取引画面の初期設定(Diary& d) {
    FormWindow& trade = d.windows.trade;
    for (int g = 1; g <= kGroupCount; ++g) {
        const Group& group = d.basic.groups[g];
        const bool used = group.used != 0;
        ui::enable(trade[groupFrameName(g)], used);
        ui::enable(trade[groupButtonName(g)], used);
        for (int i = firstItemOf(g); i <= 3; ++i) {
            const bool itemUsed = used && group.items[i].used != 0;
            ui::enable(trade[groupItemComboName(i, g)], itemUsed);
            ui::enable(trade[groupItemTextName(i, g)], itemUsed);
        }
    }
    FormWindow& options = d.windows.options;
    for (int k = 1; k <= kOptionCount; ++k) {
        ui::enable(options[optionTextName(k)], true);
        ui::enable(options[optionComboName(k)], true);
        ui::enable(options[optionButtonName(k)], true);
    }
}

void startUp(Diary& d) {
    setUpWindows(d);
    // Step 2; the table (with its profit values) is sized once the stock capacity has
    // been read.
    common::PX$日時_SUB(d.clock);
    // Step 3: defaults, choice 0 of every sub-item and option included.
    PX$基本環境_SUB(d);
    PX$基本環境COB_SUB(d);
    // Step 4: the first start asks where the basic data lie; later starts read the environment.
    if (!runtime::fileExists("KANKYO.TXT"_sj)) {
        PX$基本データフォルダ_SUB(d);
        if (!runtime::fileExists(basicDataPath(d))) stopForMissingBasicData();
    } else {
        PX$環境設定R_SUB(d);
    }
    // Step 5.
    if (!runtime::fileExists(basicDataPath(d))) stopForMissingBasicData();
    PX$基本データ設定R_SUB(d);
    // Step 6: every start asks for the trade-data folder, proposing the last one.
    PX$作業フォルダ_SUB(d);
    checkRelocation(d);
    checkTimeStopAtStart(d);
    setUpChecklist(d);
    // Step 10: the trade window's groups and options, its price and number fields, the
    // trades of the chosen folder. The closed-trade and folder buttons follow the files
    // found there, so that a restarted diary (or a relocated folder, view only) can open
    // its closed trades at once.
    PX$取引画面の初期設定(d);
    for (const char* edit : {"EDIT2", "EDIT3", "EDIT4", "EDIT5", "EDIT6", "EDIT7", "EDIT8", "EDIT20", "EDIT21"})
        ui::setImeMode(d.windows.trade[edit], 6);
    ui::enable(d.windows.chart["BUTTON4"], false);
    ui::enable(d.windows.chart["BUTTON5"], false);
    loadTrades(d);
}

}  // namespace diary
