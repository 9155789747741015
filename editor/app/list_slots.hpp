#pragma once
// Where each list of the list forms lies: its controls on the form (title combo, item
// edit, chart box) and its place in the basic data (title, count, items). The pair form
// has no title combo and no chart box.

#include <cstdint>
#include <span>
#include <string>

#include "editor/app/editor_state.hpp"

namespace editor {

struct ListSlot {
    FormWindow* form;
    std::string title;  // the title combo, "" for none
    std::string items;  // the multi-line item edit
    std::string chart;  // the "CG選択" box, "" for none
};

// Sub-list k (1..3) of the group form FORM3, k (0..3) of the group 02 form FORM4, the
// option form FORM5, the pair form FORM6.
ListSlot groupSlot(Editor& e, int g, int k);
ListSlot optionSlot(Editor& e);
ListSlot pairSlot(Editor& e);

struct ListRef {
    std::string* title;  // null for the pairs
    std::int16_t* count;
    std::span<std::string> items;  // element 0 ("未設定") and room for 1..20
};

ListRef subList(Editor& e, int g, int k);
ListRef optionList(Editor& e, int o);
ListRef pairList(Editor& e);

// Opening a list: the title combo loses its selection and gets the title as its text,
// with "SHORT", "MIDDLE" or "LONG" selected when the title is one of them; the edit gets
// the items one a line.
void loadList(const ListSlot& slot, const ListRef& list);
// Reading it back: the title from the combo's text, the items from the edit's lines
// (one trailing empty line dropped); the items after the new count are cleared.
void readList(const ListSlot& slot, const ListRef& list);

// The message for a list whose typed title or items the file cannot hold, or that holds
// more items than the list has room for; "" when it can be stored. `name` says which
// list it is.
std::string listProblem(const ListSlot& slot, const std::string& name);

}  // namespace editor
