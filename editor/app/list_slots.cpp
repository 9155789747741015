#include "editor/app/list_slots.hpp"

#include <array>

#include "common/basic_data/basic_data.hpp"
#include "common/control_names.hpp"
#include "common/field_text.hpp"
#include "common/ui/controls.hpp"
#include "editor/model/list_text.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;
using common::controlName;

namespace editor {

ListSlot groupSlot(Editor& e, int g, int k) {
    if (g == 2) return {&e.windows.group02, controlName("COMBO", 46 + k), controlName("EDIT", 8 + k), controlName("CHECK", 5 + k)};
    return {&e.windows.group, controlName("COMBO", 42 + k), controlName("EDIT", 3 + k), controlName("CHECK", 1 + k)};
}

ListSlot optionSlot(Editor& e) { return {&e.windows.option, "COMBO50", "EDIT12", "CHECK9"}; }
ListSlot pairSlot(Editor& e) { return {&e.windows.pairs, "", "EDIT13", ""}; }

ListRef subList(Editor& e, int g, int k) {
    auto& item = e.basic.groups[static_cast<std::size_t>(g)].items[static_cast<std::size_t>(k)];
    return {&item.name, &item.count, item.choices};
}

ListRef optionList(Editor& e, int o) {
    auto& option = e.basic.options[static_cast<std::size_t>(o)];
    return {&option.name, &option.count, option.choices};
}

ListRef pairList(Editor& e) { return {nullptr, &e.basic.currencyPairCount, e.basic.currencyPairs}; }

void loadList(const ListSlot& slot, const ListRef& list) {
    FormWindow& form = *slot.form;
    if (list.title && !slot.title.empty()) {
        ObjectVar& combo = form[slot.title];
        ui::select(combo, -1);
        ui::setText(combo, *list.title);
        static const std::array<const char*, 3> kTitles = {"SHORT", "MIDDLE", "LONG"};
        for (std::size_t t = 0; t < kTitles.size(); ++t)
            if (*list.title == kTitles[t]) ui::select(combo, static_cast<int>(t));
    }
    ui::setText(form[slot.items], PX$SETEDIT_SUB(*list.count, list.items));
}

void readList(const ListSlot& slot, const ListRef& list) {
    FormWindow& form = *slot.form;
    if (list.title && !slot.title.empty()) *list.title = ui::text(form[slot.title]);
    const std::vector<std::string> items = listItems(ui::text(form[slot.items]));
    const std::size_t count = std::min(items.size(), list.items.size() - 1);
    for (std::size_t j = 1; j < list.items.size(); ++j) list.items[j] = j <= count ? items[j - 1] : std::string();
    *list.count = static_cast<std::int16_t>(count);
}

std::string listProblem(const ListSlot& slot, const std::string& name) {
    FormWindow& form = *slot.form;
    if (!slot.title.empty() && !common::fieldCanHold(ui::text(form[slot.title])))
        return name + "の項目名は基本データ.TXTに書けません。\r\n"
                      "「\"」と「,」や前後の空白を一緒に使わないで下さい。"_sj;
    const ListFault fault = checkListText(ui::text(form[slot.items]), common::kMaxChoices);
    switch (fault.kind) {
    case ListFault::None: return "";
    case ListFault::TooManyItems:
        return name + "の項目内容は"_sj + runtime::digitsOf(fault.items) + "行あります。\r\n登録できるのは"_sj +
               runtime::digitsOf(common::kMaxChoices) + "行までです。"_sj;
    case ListFault::Unwritable:
        return name + "の項目内容の"_sj + runtime::digitsOf(fault.line) + "行目は基本データ.TXTに書けません。\r\n"_sj +
               "「\"」と「,」や前後の空白を一緒に使わないで下さい。"_sj;
    }
    return "";
}

}  // namespace editor
