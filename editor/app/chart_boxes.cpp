#include "editor/app/chart_boxes.hpp"

#include "common/basic_data/basic_data.hpp"
#include "common/field_text.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "editor/app/list_slots.hpp"
#include "runtime/file_system.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace editor {

namespace {

std::int16_t& groupMark(Editor& e, int k) {
    return e.basic.groupChartMark[static_cast<std::size_t>(k)][static_cast<std::size_t>(e.currentGroup)];
}
std::string& groupLabel(Editor& e, int k) {
    return e.basic.groupChartLabel[static_cast<std::size_t>(k)][static_cast<std::size_t>(e.currentGroup)];
}

void setGroupBoxes(Editor& e) {
    for (int k = common::firstItemOf(e.currentGroup); k <= 3; ++k) {
        const ListSlot slot = groupSlot(e, e.currentGroup, k);
        ui::setCheck((*slot.form)[slot.chart], groupMark(e, k) == 1 ? 1 : 0);
        e.chosenFolder[static_cast<std::size_t>(k)] = groupLabel(e, k);
    }
}

void getGroupBoxes(Editor& e) {
    for (int k = common::firstItemOf(e.currentGroup); k <= 3; ++k) {
        const ListSlot slot = groupSlot(e, e.currentGroup, k);
        const std::string& folder = e.chosenFolder[static_cast<std::size_t>(k)];
        groupLabel(e, k) = folder;
        groupMark(e, k) = ui::check((*slot.form)[slot.chart]) == 1 && !folder.empty() ? 1 : 0;
    }
}

// The check helper of every form: `k` is the chosen-folder slot of the ticked list.
void askForFolder(Editor& e, const ListSlot& slot, int k) {
    std::string& folder = e.chosenFolder[static_cast<std::size_t>(k)];
    if (!folder.empty()) e.lastChartFolder = folder;
    PX$SETCGF_SUB(e, *slot.form);
    if (!e.lastChartFolder.empty() && !common::fieldCanHold(e.lastChartFolder)) {
        common::PV$STOP_SUB("ＣＧフォルダーのパスエラー"_sj,
                            e.lastChartFolder + "\r\nこのフォルダーの名前は記録できません。別のフォルダーを選んで下さい。"_sj);
        e.lastChartFolder.clear();
    }
    if (e.lastChartFolder.empty()) {
        ui::setCheck((*slot.form)[slot.chart], 0);
        return;
    }
    folder = e.lastChartFolder;
}

}  // namespace

void PX$SETCG1_SUB(Editor& e) {
    const auto o = static_cast<std::size_t>(e.currentOption);
    ui::setCheck(e.windows.option["CHECK9"], e.basic.optionChartMark[o] == 1 ? 1 : 0);
    e.chosenFolder[0] = e.basic.optionChartLabel[o];
}
void PX$SETCG3_SUB(Editor& e) { setGroupBoxes(e); }
void PX$SETCG4_SUB(Editor& e) { setGroupBoxes(e); }

void PX$GETCG1_SUB(Editor& e) {
    const auto o = static_cast<std::size_t>(e.currentOption);
    e.basic.optionChartLabel[o] = e.chosenFolder[0];
    e.basic.optionChartMark[o] = ui::check(e.windows.option["CHECK9"]) == 1 && !e.chosenFolder[0].empty() ? 1 : 0;
}
void PX$GETCG3_SUB(Editor& e) { getGroupBoxes(e); }
void PX$GETCG4_SUB(Editor& e) { getGroupBoxes(e); }

void PX$SETCGF_SUB(Editor& e, FormWindow& owner) {
    // The dialog takes a starting path of at most 260 bytes: a longer folder starts it in
    // the data folder instead.
    std::string start = e.lastChartFolder + "DUMMY";
    if (start.size() > 260) start = e.dataFolder + "DUMMY";
    const auto chosen = ui::openDialog(&owner.form, "選択肢用のＣＧが保存されている場所は?"_sj, start, "(*.*)"_sj, 1);
    if (!chosen) {
        e.lastChartFolder.clear();
        return;
    }
    const runtime::PathParts p = runtime::splitPath(*chosen);
    e.lastChartFolder = p.drive + p.directory;
}

void PX$CHECK_SUB1(Editor& e) { askForFolder(e, optionSlot(e), 0); }
void PX$CHECK_SUB3(Editor& e) { askForFolder(e, groupSlot(e, e.currentGroup, e.currentSubList), e.currentSubList); }
void PX$CHECK_SUB4(Editor& e) { askForFolder(e, groupSlot(e, 2, e.currentSubList), e.currentSubList); }

void chartBoxClicked(Editor& e, int box) {
    if (box == 9) {
        if (ui::check(e.windows.option["CHECK9"]) == 1) PX$CHECK_SUB1(e);
        return;
    }
    const bool group02 = box >= 5;
    e.currentSubList = group02 ? box - 5 : box - 1;
    const ListSlot slot = groupSlot(e, group02 ? 2 : e.currentGroup, e.currentSubList);
    if (ui::check((*slot.form)[slot.chart]) != 1) return;
    if (group02) PX$CHECK_SUB4(e);
    else PX$CHECK_SUB3(e);
}

}  // namespace editor
