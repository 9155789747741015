#include "diary/app/chart_commands.hpp"

#include <string>
#include <vector>

#include "common/ui/controls.hpp"
#include "diary/app/chart_catalogue.hpp"
#include "diary/app/chart_names.hpp"
#include "diary/app/chart_viewer.hpp"
#include "diary/app/control_names.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/trade_screen.hpp"
#include "diary/viewer/folder_list.hpp"
#include "runtime/file_system.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

// A chart button: its window, its control and whether the basic data offer it.
struct ChartButton {
    FormWindow* window;
    std::string control;
    std::int16_t number;
    bool offered;
};

std::vector<ChartButton> chartButtons(Diary& d) {
    std::vector<ChartButton> buttons;
    buttons.push_back({&d.windows.trade, "BUTTON6", 6, true});
    for (int c = 1; c <= 5; ++c)
        buttons.push_back({&d.windows.memo, "BUTTON" + std::to_string(14 + c), static_cast<std::int16_t>(14 + c), true});
    for (int k = 1; k <= kOptionCount; ++k)
        buttons.push_back({&d.windows.options, optionButtonName(k), static_cast<std::int16_t>(24 + k), true});
    for (int g = 1; g <= kGroupCount; ++g)
        buttons.push_back({&d.windows.trade, groupButtonName(g), static_cast<std::int16_t>(g == 1 ? 30 : 37 + g),
                           d.basic.groups[g].used != 0});
    return buttons;
}

bool reviewMode(const Diary& d) { return d.review.reviewMode == 1; }

// The record whose chart buttons are shown: the shown closed trade in review mode, else
// the trade open on the trade window; -1 when there is none.
int chartRecord(const Diary& d) {
    const int n = reviewMode(d) ? d.review.shownRecord : d.table.currentIndex;
    return n >= 0 && n < d.table.slots() ? n : -1;
}

// The slot of a chart button in a record; the option and group slots only outside review
// mode. Null for a button that names no slot.
std::string* slotOf(Diary& d, TradeRecord& r, int button) {
    if (button == 6) return &r.stopChart;
    if (button >= 15 && button <= 19) return &r.memoChart[static_cast<std::size_t>(button - 14)];
    if (reviewMode(d)) return nullptr;
    if (button >= 25 && button <= 29) return &r.options[static_cast<std::size_t>(button - 24)].chart;
    if (button == 30) return &r.groups[1].chart;
    if (button >= 39 && button <= 48) return &r.groups[static_cast<std::size_t>(button - 37)].chart;
    return nullptr;
}

std::string slotName(Diary& d, int button) {
    const int n = chartRecord(d);
    if (n < 0) return {};
    // Read through the const record: a group or option block is not made only to be read.
    const TradeRecord& r = d.table.at(n);
    if (button == 6) return r.stopChart;
    if (button >= 15 && button <= 19) return r.memoChart[static_cast<std::size_t>(button - 14)];
    if (reviewMode(d)) return {};
    if (button >= 25 && button <= 29) return r.options[static_cast<std::size_t>(button - 24)].chart;
    if (button == 30) return r.groups[1].chart;
    if (button >= 39 && button <= 48) return r.groups[static_cast<std::size_t>(button - 37)].chart;
    return {};
}

void setSlot(Diary& d, const std::string& name) {
    const int n = chartRecord(d);
    if (n < 0) return;
    std::string* slot = slotOf(d, d.table.at(n), d.lastChartButton);
    if (!slot) return;
    *slot = name;
    for (const ChartButton& b : chartButtons(d))
        if (b.number == d.lastChartButton) ui::setText((*b.window)[b.control], chartButtonCaption(name));
}

void enableTradeActions(Diary& d, bool enabled) {
    for (const char* c : {"BUTTON12", "BUTTON13", "BUTTON20"}) ui::enable(d.windows.trade[c], enabled);
}

// The end of every chart action that opened the viewer: the trade windows usable again
// and in front, the pressed button forgotten.
void endChartAction(Diary& d) {
    ui::enable(d.windows.memo["BUTTON14"], true);
    PX$BUT_SET2(d);
    enableTradeActions(d, true);
    // The review's lists come back unless the memo window, open on the orientation memo,
    // keeps them locked.
    if (reviewMode(d) && !ui::isVisible(d.windows.memo.form))
        for (const char* c : {"LIST5", "LIST6"}) ui::enable(d.windows.closedTrades[c], true);
    ui::toFront(reviewMode(d) ? d.windows.closedTrades.form : d.windows.trade.form);
    for (ObjectVar* beside : {&d.windows.memo.form, &d.windows.options.form})
        if (ui::isVisible(*beside)) ui::toFront(*beside);
    d.lastChartButton = 0;
}

void copyIntoChartFolder(Diary& d) {
    ViewerState& v = d.viewer;
    const std::string folder = chartFolder(d);
    if (v.imageFolder == folder) return;
    // The folder name of the basic data is a plain name: the folder is made beside the
    // trade files when it is not there yet.
    const std::string withoutSlash = folder.substr(0, folder.size() - 1);
    if (!runtime::directoryExists(withoutSlash)) runtime::makeDirectory(withoutSlash);
    const std::string target = folder + v.imageName;
    if (runtime::fileExists(target)) {
        const int answer = ui::messageBox(&d.windows.trade.form, "チャート画像の転送エラー"_sj,
                                          "既に登録フォルダー内に存在しています。上書きしますか？"_sj, ui::box::YesNo, ui::box::ExclamationIcon);
        // No: the file already in the chart folder is the one the slot names.
        if (answer != ui::box::Yes) return;
    }
    runtime::copyFile(v.imageFolder + v.imageName, target, false);
}

// The next image of a step: the folder's sorted list, in the catalogue with its choice
// selected too; in review mode without the memo window, the review's own chart list,
// whose line is selected as well. False when the source has no entry at the index.
bool reviewListSteps(const Diary& d) { return d.viewer.mode == ViewerMode::Review && d.trade.memoWindowShown != 1; }

const std::vector<std::pair<std::string, std::string>>& reviewCharts(const Diary& d) {
    return d.review.chartListMode == 0 ? d.review.entryCharts : d.review.recordCharts;
}

bool takeStep(Diary& d) {
    ViewerState& v = d.viewer;
    const auto index = static_cast<std::size_t>(v.currentIndex);
    if (reviewListSteps(d)) {
        const auto& charts = reviewCharts(d);
        if (index >= charts.size()) return false;
        ui::select(d.windows.closedTrades[d.review.chartListMode == 0 ? "LIST5" : "LIST6"], v.currentIndex);
        if (refusedChartName(charts[index].second)) return false;
        v.imagePath = v.imageFolder + charts[index].second;
        return true;
    }
    if (index >= v.folderNames.size()) return false;
    if (v.mode == ViewerMode::Catalogue) {
        // A folder with more images than the list has choices: the images beyond them
        // picture no entry of COMBO44.
        ObjectVar& combo = d.windows.chart["COMBO44"];
        if (v.currentIndex + 1 < ui::itemCount(combo)) ui::select(combo, v.currentIndex + 1);
    }
    v.imagePath = v.imageFolder + v.folderNames[index];
    return true;
}

void stepImage(Diary& d, int delta) {
    ViewerState& v = d.viewer;
    const std::size_t count = reviewListSteps(d) ? reviewCharts(d).size() : v.folderNames.size();
    if (count == 0) return;
    v.currentIndex = stepIndex(v.currentIndex, delta, static_cast<int>(count));
    const std::string shown = v.imagePath;
    if (!takeStep(d)) return;
    v.previousPath = shown;
    showImage(d);
}

// The diary's windows stay disabled while the image file dialog is open, and come back
// as they were however the dialog ends.
class WindowsDisabled {
public:
    explicit WindowsDisabled(Diary& d) {
        for (ObjectVar* form : {&d.windows.main.form, &d.windows.trade.form, &d.windows.memo.form,
                                &d.windows.closedTrades.form, &d.windows.options.form}) {
            if (!ui::isEnabled(*form)) continue;
            ui::enable(*form, false);
            disabled_.push_back(form);
        }
    }
    ~WindowsDisabled() {
        for (ObjectVar* form : disabled_) ui::enable(*form, true);
    }
    WindowsDisabled(const WindowsDisabled&) = delete;
    WindowsDisabled& operator=(const WindowsDisabled&) = delete;

private:
    std::vector<ObjectVar*> disabled_;
};

}  // namespace

std::string chartFolder(const Diary& d) { return d.env.tradeDataFolder + d.basic.chartFolderName + "/"; }

void PX$BUT_SET1(Diary& d) {
    for (const ChartButton& b : chartButtons(d))
        if (b.number != d.lastChartButton) ui::enable((*b.window)[b.control], false);
}

void PX$BUT_SET2(Diary& d) {
    for (const ChartButton& b : chartButtons(d)) ui::enable((*b.window)[b.control], b.offered);
}

bool PV$FILE_SET_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    std::string& base = d.env.chartSourceFolder;
    std::string name = "基チャートＣＧ"_sj;
    PX$FOLD_SUB(base, name);
    if (name.empty()) base.clear();
    v.imageFolder.clear();
    if (base.empty()) base = chartFolder(d);
    const auto chosen = [&] {
        const WindowsDisabled whileOpen(d);
        return ui::openDialog(&d.windows.trade.form, "ロードするＣＧファイルの選択"_sj, base + "DUMMY.BMP",
                              "(*.JPG,*.BMP)", 1);
    }();
    if (!chosen || !runtime::fileExists(*chosen)) return false;
    const runtime::PathParts parts = runtime::splitPath(*chosen);
    v.imageName = parts.name + parts.extension;
    v.imageFolder = parts.drive + parts.directory;
    base = v.imageFolder;
    return true;
}

void openChartSlot(Diary& d) {
    if (ui::isVisible(d.windows.chart.form)) {
        d.lastChartButton = 0;
        return;
    }
    ViewerState& v = d.viewer;
    PX$BUT_SET1(d);
    v.imageName = slotName(d, d.lastChartButton);
    // A name from a hand-edited trade file that would reach outside the chart folder.
    if (refusedChartName(v.imageName)) {
        PX$BUT_SET2(d);
        d.lastChartButton = 0;
        return;
    }
    bool ok = false;
    const auto chooseFile = [&] {
        ok = PV$FILE_SET_SUB(d);
        if (ok) v.imagePath = v.imageFolder + v.imageName;
    };
    if (v.imageName.empty()) {
        chooseFile();
    } else if (ui::messageBox(&d.windows.trade.form, "チャートＣＧの読込み確認"_sj, "基チャートＣＧから再度読込みますか？"_sj,
                              ui::box::YesNo, ui::box::QuestionIcon) == ui::box::Yes) {
        chooseFile();
    } else {
        v.imageFolder = chartFolder(d);
        v.imagePath = v.imageFolder + v.imageName;
        ok = runtime::fileExists(v.imagePath);
        if (!ok)
            ui::messageBox(&d.windows.trade.form, "チャートＣＧエラー"_sj,
                           "登録されたチャートＣＧのファイルが見つかりません"_sj, ui::box::Ok, ui::box::ExclamationIcon);
    }
    if (!ok) {
        PX$BUT_SET2(d);
        d.lastChartButton = 0;
        return;
    }
    if (!reviewMode(d)) enableTradeActions(d, false);
    PV$SETCGBUTTON_SUB0(d);
    openOnTradeImage(d);
    ui::enable(d.windows.memo["BUTTON14"], false);
}

void previousImage(Diary& d) { stepImage(d, -1); }
void nextImage(Diary& d) { stepImage(d, +1); }

void registerChart(Diary& d) {
    if (d.viewer.mode == ViewerMode::Catalogue) {
        chooseCatalogueEntry(d);
        return;
    }
    PX$BUT_SET2(d);
    // In review mode the slot is one of the orientation memo's, open for editing: the
    // archive is rewritten with it when the memo window closes. A viewer that could show
    // nothing registers nothing.
    if (!d.viewer.imageName.empty()) {
        setSlot(d, d.viewer.imageName);
        copyIntoChartFolder(d);
    }
    endChartAction(d);
}

void detachChart(Diary& d) {
    PX$BUT_SET2(d);
    setSlot(d, {});
    endChartAction(d);
}

void closeViewer(Diary& d) {
    if (d.viewer.mode == ViewerMode::Catalogue) {
        closeCatalogue(d);
        return;
    }
    endChartAction(d);
}

}  // namespace diary
