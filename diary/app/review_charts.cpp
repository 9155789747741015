#include "diary/app/review_charts.hpp"

#include "common/ui/controls.hpp"
#include "diary/app/chart_commands.hpp"
#include "diary/app/chart_names.hpp"
#include "diary/app/chart_viewer.hpp"
#include "runtime/file_system.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

FormWindow& form5(Diary& d) { return d.windows.closedTrades; }

// A clicked line of LIST5 (mode 0) or LIST6 (mode 1) opens the viewer on its chart, in
// the review layout; ← / → then walk that list.
void showListChart(Diary& d, std::int16_t listMode) {
    if (ui::isVisible(d.windows.chart.form)) return;
    const bool entry = listMode == 0;
    ObjectVar& list = form5(d)[entry ? "LIST5" : "LIST6"];
    const auto& charts = entry ? d.review.entryCharts : d.review.recordCharts;
    const int line = ui::selection(list);
    if (line < 0 || line >= static_cast<int>(charts.size())) return;
    const std::string& name = charts[static_cast<std::size_t>(line)].second;
    if (refusedChartName(name)) return;
    ViewerState& v = d.viewer;
    v.imageFolder = chartFolder(d);
    v.imageName = name;
    v.imagePath = v.imageFolder + name;
    if (!runtime::fileExists(v.imagePath)) {
        ui::messageBox(&form5(d).form, "チャートＣＧエラー"_sj, "登録されたチャートＣＧのファイルが見つかりません"_sj, ui::box::Ok,
                       ui::box::ExclamationIcon);
        return;
    }
    // The steps of the viewer follow the list the user clicked last.
    d.review.chartListMode = listMode;
    for (const char* c : {"LIST5", "LIST6"}) ui::enable(form5(d)[c], false);
    PV$SETCGBUTTON_SUB2(d);
    FormWindow& w = d.windows.chart;
    v.previousPath.clear();
    v.currentIndex = line;
    // The folder list is not the review's: a step takes its image from the clicked list.
    v.folderNames.clear();
    ui::enable(w["BUTTON4"], charts.size() > 1);
    ui::enable(w["BUTTON5"], charts.size() > 1);
    ui::show(w.form, true);
    ui::toFront(w.form);
    showImage(d);
}

}  // namespace

void showEntryChart(Diary& d) { showListChart(d, 0); }
void showRecordChart(Diary& d) { showListChart(d, 1); }

std::string PX$LIST56フォルダ_SUB(Diary& d) {
    const auto chosen = ui::saveDialog(&form5(d).form, "ＣＧファイルを転送する場所は?"_sj, "DUMMY", "(*.*)", 1);
    if (!chosen) return {};
    const runtime::PathParts parts = runtime::splitPath(*chosen);
    return parts.drive + parts.directory;
}

void PX$LIST56転送_SUB(Diary& d, const std::string& folder, const std::string& file, const std::string& label) {
    if (file.empty() || refusedChartName(file)) return;
    const runtime::PathParts parts = runtime::splitPath(file);
    const std::string target = parts.name + " " + label + parts.extension;
    // A label is a name of the basic data: one with a folder in it must not place the
    // copy elsewhere.
    if (refusedChartName(target)) return;
    const std::string source = chartFolder(d) + file;
    if (!runtime::fileExists(source)) {
        ui::messageBox(&form5(d).form, "チャートＣＧエラー"_sj,
                       "登録されたチャートＣＧのファイル「"_sj + file + "」が見つかりません"_sj, ui::box::Ok, ui::box::ExclamationIcon);
        return;
    }
    runtime::copyFile(source, folder + target, false);
}

void exportCharts(Diary& d, bool entryList) {
    // A copy: a message box of one export runs no command, but the list stays as it was.
    const auto charts = entryList ? d.review.entryCharts : d.review.recordCharts;
    if (charts.empty()) return;
    const std::string folder = PX$LIST56フォルダ_SUB(d);
    if (folder.empty()) return;
    for (const auto& [label, file] : charts) PX$LIST56転送_SUB(d, folder, file, label);
}

}  // namespace diary
