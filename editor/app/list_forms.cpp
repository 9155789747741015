#include "editor/app/list_forms.hpp"

#include "common/field_text.hpp"
#include "common/text_file.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "editor/app/chart_boxes.hpp"
#include "editor/app/list_slots.hpp"
#include "editor/app/main_form.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace editor {

namespace {

// The form a list form was opened from: the option overview for the option form, the
// main form for the others.
FormWindow& openerForm(Editor& e, const FormWindow& form) {
    return &form == &e.windows.option ? e.windows.options : e.windows.main;
}

void showListForm(Editor& e, FormWindow& form) {
    ui::show(form.form, true);
    ui::toFront(form.form);
    ui::enable(openerForm(e, form).form, false);
}

void closeListForm(Editor& e, FormWindow& form) {
    ui::show(form.form, false);
    FormWindow& opener = openerForm(e, form);
    ui::enable(opener.form, true);
    ui::toFront(opener.form);
}

// Which list a message names: "グループ０３の項目２「方向」", "オプション１「指標」".
std::string quotedTitle(const std::string& title) { return title.empty() ? std::string() : "「"_sj + title + "」"_sj; }

std::string subListName(Editor& e, int g, int k) {
    const ListSlot slot = groupSlot(e, g, k);
    return common::groupKey(g) + "の項目"_sj + common::fullWidthNumber(k, 1) + quotedTitle(ui::text((*slot.form)[slot.title]));
}

// Stops "登録" with the message when a list of the form cannot be stored.
bool refused(const std::string& problem) {
    if (problem.empty()) return false;
    common::PV$STOP_SUB("登録エラー"_sj, problem);
    return true;
}

const char* groupNameEdit(int g) { return g == 2 ? "EDIT7" : "EDIT3"; }

void loadSubList(Editor& e, int k) { loadList(groupSlot(e, e.currentGroup, k), subList(e, e.currentGroup, k)); }
void readSubList(Editor& e, int k) { readList(groupSlot(e, e.currentGroup, k), subList(e, e.currentGroup, k)); }

using Routine = void (*)(Editor&);
// Sub-list k read back from the group form and from the group 02 form.
constexpr Routine kReadGroup[] = {nullptr, PX$COB2BUT3_SUB1, PX$COB2BUT3_SUB2, PX$COB2BUT3_SUB3};
constexpr Routine kReadGroup02[] = {PX$COB2BUT4_SUB0, PX$COB2BUT4_SUB1, PX$COB2BUT4_SUB2, PX$COB2BUT4_SUB3};

// "登録" of a group form: every sub-list is checked before anything is stored.
void storeGroup(Editor& e, FormWindow& form) {
    const int g = e.opener;
    if (g < 1 || g > common::kGroupCount) return;
    const std::string name = ui::text(form[groupNameEdit(g)]);
    if (!common::fieldCanHold(name) &&
        refused(common::groupKey(g) + "のグループ名は基本データ.TXTに書けません。\r\n"_sj +
                "「\"」と「,」や前後の空白を一緒に使わないで下さい。"_sj))
        return;
    for (int k = common::firstItemOf(g); k <= 3; ++k)
        if (refused(listProblem(groupSlot(e, g, k), subListName(e, g, k)))) return;

    closeListForm(e, form);
    if (g == 2) PX$GETCG4_SUB(e);
    else PX$GETCG3_SUB(e);
    auto& group = e.basic.groups[static_cast<std::size_t>(g)];
    group.name = name;
    group.used = name.empty() ? 0 : 1;
    ui::setText(e.windows.main[groupFrameName(g)], name);
    for (int k = common::firstItemOf(g); k <= 3; ++k) {
        (g == 2 ? kReadGroup02 : kReadGroup)[k](e);
        auto& item = group.items[static_cast<std::size_t>(k)];
        item.used = item.name.empty() ? 0 : 1;
        PX$SETCGT_SUB3(e, g, k);
        fillSubListCombo(e, g, k);
    }
}

}  // namespace

void PX$BUT2COB0_SUB(Editor& e) { loadList(pairSlot(e), pairList(e)); }
void PX$BUT2COB1_SUB(Editor& e) { loadList(optionSlot(e), optionList(e, e.currentOption)); }
void PX$BUT2COB3_SUB1(Editor& e) { loadSubList(e, 1); }
void PX$BUT2COB3_SUB2(Editor& e) { loadSubList(e, 2); }
void PX$BUT2COB3_SUB3(Editor& e) { loadSubList(e, 3); }
void PX$BUT2COB4_SUB0(Editor& e) { loadSubList(e, 0); }
void PX$BUT2COB4_SUB1(Editor& e) { loadSubList(e, 1); }
void PX$BUT2COB4_SUB2(Editor& e) { loadSubList(e, 2); }
void PX$BUT2COB4_SUB3(Editor& e) { loadSubList(e, 3); }

void PX$COB2BUT0_SUB(Editor& e) { readList(pairSlot(e), pairList(e)); }
void PX$COB2BUT1_SUB(Editor& e) { readList(optionSlot(e), optionList(e, e.currentOption)); }
void PX$COB2BUT3_SUB1(Editor& e) { readSubList(e, 1); }
void PX$COB2BUT3_SUB2(Editor& e) { readSubList(e, 2); }
void PX$COB2BUT3_SUB3(Editor& e) { readSubList(e, 3); }
void PX$COB2BUT4_SUB0(Editor& e) { readSubList(e, 0); }
void PX$COB2BUT4_SUB1(Editor& e) { readSubList(e, 1); }
void PX$COB2BUT4_SUB2(Editor& e) { readSubList(e, 2); }
void PX$COB2BUT4_SUB3(Editor& e) { readSubList(e, 3); }

void openGroup(Editor& e, int g) {
    FormWindow& form = g == 2 ? e.windows.group02 : e.windows.group;
    e.opener = g;
    e.currentGroup = g;
    showListForm(e, form);
    if (g == 2) PX$SETCG4_SUB(e);
    else PX$SETCG3_SUB(e);
    ui::setText(form[groupNameEdit(g)], e.basic.groups[static_cast<std::size_t>(g)].name);
    if (g == 2) {
        PX$BUT2COB4_SUB0(e), PX$BUT2COB4_SUB1(e), PX$BUT2COB4_SUB2(e), PX$BUT2COB4_SUB3(e);
    } else {
        PX$BUT2COB3_SUB1(e), PX$BUT2COB3_SUB2(e), PX$BUT2COB3_SUB3(e);
    }
}

void openOption(Editor& e, int o) {
    e.opener = 11 + o;
    e.currentOption = o;
    showListForm(e, e.windows.option);
    PX$SETCG1_SUB(e);
    PX$BUT2COB1_SUB(e);
}

void PX$BUTTON23_ON(Editor& e) {
    e.opener = 23;
    showListForm(e, e.windows.pairs);
    PX$BUT2COB0_SUB(e);
}

void PX$BUTTON17_ON(Editor& e) { storeGroup(e, e.windows.group); }
void PX$BUTTON19_ON(Editor& e) { storeGroup(e, e.windows.group02); }

void PX$BUTTON21_ON(Editor& e) {
    const int o = e.opener - 11;
    if (o < 1 || o > common::kOptionCount) return;
    if (refused(listProblem(optionSlot(e), "オプション"_sj + common::fullWidthNumber(o, 1) +
                                               quotedTitle(ui::text(e.windows.option["COMBO50"])))))
        return;
    closeListForm(e, e.windows.option);
    PX$GETCG1_SUB(e);
    PX$COB2BUT1_SUB(e);
    auto& option = e.basic.options[static_cast<std::size_t>(o)];
    option.used = option.name.empty() ? 0 : 1;
    PX$SETCGT_SUB1(e, o);
    fillOptionCombo(e, o);
}

void PX$BUTTON25_ON(Editor& e) {
    if (refused(listProblem(pairSlot(e), "通貨ペア"_sj))) return;
    closeListForm(e, e.windows.pairs);
    if (e.opener != 23) return;
    PX$COB2BUT0_SUB(e);
    fillPairCombo(e);
}

void cancelListForm(Editor& e, FormWindow& form) { closeListForm(e, form); }

}  // namespace editor
