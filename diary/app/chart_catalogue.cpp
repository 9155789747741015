#include "diary/app/chart_catalogue.hpp"

#include <algorithm>
#include <string>

#include "common/ui/controls.hpp"
#include "diary/app/chart_viewer.hpp"
#include "diary/app/control_names.hpp"
#include "diary/app/timeframes.hpp"

namespace ui = common::ui;

namespace diary {

namespace {

// A choice list of the trade screen as the catalogue sees it: its combo box, whether it
// has a chart folder, the folder and its choice names (0 is the unset first entry).
struct ChoiceList {
    ObjectVar* combo = nullptr;
    bool hasCharts = false;
    std::string folder;
    const std::string* choices = nullptr;
    int count = 0;
};

// The list of combo box `n`: 5..9 are the options 1..5, 10..43 the groups' sub-items, in
// the numbering of the choice-change command.
ChoiceList choiceList(Diary& d, int n) {
    ChoiceList list;
    if (n >= 5 && n <= 9) {
        const int k = n - 4;
        const Option& option = d.basic.options[static_cast<std::size_t>(k)];
        list.combo = &d.windows.options[optionComboName(k)];
        list.hasCharts = d.basic.optionChartMark[static_cast<std::size_t>(k)] == 1;
        list.folder = d.basic.optionChartLabel[static_cast<std::size_t>(k)];
        list.choices = option.choices.data();
        list.count = option.count;
        return list;
    }
    int g = 0, i = 0;
    if (n >= 10 && n <= 12) g = 1, i = n - 9;
    else if (n >= 13 && n <= 16) g = 2, i = n - 13;
    else if (n >= 17 && n <= 43) g = (n - 2) / 3 - 2, i = n - 3 * g - 7;
    else return list;
    const SubItem& item = d.basic.groups[static_cast<std::size_t>(g)].items[static_cast<std::size_t>(i)];
    list.combo = &d.windows.trade[groupItemComboName(i, g)];
    list.hasCharts = d.basic.groupChartMark[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)] == 1;
    list.folder = d.basic.groupChartLabel[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)];
    list.choices = item.choices.data();
    list.count = item.count;
    return list;
}

void enableTradeWindows(Diary& d, bool enabled) {
    ui::enable(d.windows.trade.form, enabled);
    ui::enable(d.windows.options.form, enabled);
}

// Choice `s` selected on the trade screen and recorded as the user's change, with its
// date-time.
void chooseOnTradeScreen(Diary& d, int s) {
    ObjectVar* combo = choiceList(d, d.viewer.catalogueCombo).combo;
    if (!combo || s < 0 || s >= ui::itemCount(*combo)) return;
    ui::select(*combo, s);
    recordChoice(d, d.viewer.catalogueCombo);
}

void openCatalogue(Diary& d) {
    ViewerState& v = d.viewer;
    const ChoiceList list = choiceList(d, v.clickedCombo);
    if (!list.combo || !list.hasCharts || ui::isVisible(d.windows.chart.form)) return;
    // A trade window without an open trade has no record to take the choice.
    if (d.table.currentIndex < 0 || d.table.currentIndex >= d.table.slots()) return;
    v.catalogueCombo = v.clickedCombo;
    PV$SETCGBUTTON_SUB1(d);
    enableTradeWindows(d, false);
    FormWindow& w = d.windows.chart;
    ui::show(w.form, true);
    ui::toFront(w.form);
    v.imageFolder = list.folder;
    if (!v.imageFolder.empty() && v.imageFolder.back() != '/') v.imageFolder += '/';
    int index = ui::selection(*list.combo);
    const int files = PV$ファイル名取得_SUB1(d);
    if (files == 0) {
        v.currentIndex = 0;
        closeCatalogue(d);
        chooseOnTradeScreen(d, 0);
        return;
    }
    PV$ファイル名取得_SUB2(d);
    index = std::clamp(index, 1, files) - 1;
    v.currentIndex = index;
    v.previousPath.clear();
    v.imagePath = v.imageFolder + v.folderNames[static_cast<std::size_t>(index)];
    ui::enable(w["BUTTON4"], true);
    ui::enable(w["BUTTON5"], true);
    showImage(d);
    ObjectVar& combo44 = w["COMBO44"];
    ui::clearItems(combo44);
    const int offered = std::min(files, list.count);
    for (int c = 0; c <= offered; ++c) ui::addItem(combo44, list.choices[c]);
    if (index + 1 <= offered) ui::select(combo44, index + 1);
}

}  // namespace

void openGroupCatalogue(Diary& d) { openCatalogue(d); }
void openOptionCatalogue(Diary& d) { openCatalogue(d); }

void catalogueEntryChosen(Diary& d) {
    ViewerState& v = d.viewer;
    if (v.mode != ViewerMode::Catalogue) return;
    const int n = ui::selection(d.windows.chart["COMBO44"]);
    if (n == 0) {
        chooseOnTradeScreen(d, 0);
        return;
    }
    if (n < 1 || n > static_cast<int>(v.folderNames.size())) return;
    v.currentIndex = n - 1;
    v.previousPath = v.imagePath;
    v.imagePath = v.imageFolder + v.folderNames[static_cast<std::size_t>(n - 1)];
    showImage(d);
}

void chooseCatalogueEntry(Diary& d) {
    // An image beyond the list's choices (a folder with more files than choices) pictures
    // no choice: the choice stays as it was.
    const int s = d.viewer.currentIndex + 1;
    if (s <= ui::itemCount(d.windows.chart["COMBO44"]) - 1) chooseOnTradeScreen(d, s);
    closeCatalogue(d);
}

void closeCatalogue(Diary& d) {
    enableTradeWindows(d, true);
    ui::show(d.windows.chart.form, false);
    d.viewer.imageLoaded = 0;
    PV$SETCGBUTTON_SUB0(d);
    ui::toFront(d.windows.trade.form);
    if (ui::isVisible(d.windows.options.form)) ui::toFront(d.windows.options.form);
}

}  // namespace diary
