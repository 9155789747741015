#pragma once
// The list forms: the group editors FORM3 (three sub-lists) and FORM4 (group 02, four),
// the option editor FORM5 opened from the option overview, and the pair editor FORM6.
// Each list is edited as the text of an edit box, one item per line, under a title
// combo that offers "SHORT", "MIDDLE" and "LONG". A list form disables the form it was
// opened from until its "登録" or "キャンセル".

#include "editor/app/editor_state.hpp"

namespace editor {

// Loading one list into its form's controls: the pairs (FORM6), the option (FORM5),
// sub-list 1..3 of the group form, sub-list 0..3 of the group 02 form.
void PX$BUT2COB0_SUB(Editor& e);
void PX$BUT2COB1_SUB(Editor& e);
void PX$BUT2COB3_SUB1(Editor& e);
void PX$BUT2COB3_SUB2(Editor& e);
void PX$BUT2COB3_SUB3(Editor& e);
void PX$BUT2COB4_SUB0(Editor& e);
void PX$BUT2COB4_SUB1(Editor& e);
void PX$BUT2COB4_SUB2(Editor& e);
void PX$BUT2COB4_SUB3(Editor& e);
// Reading each back into the data.
void PX$COB2BUT0_SUB(Editor& e);
void PX$COB2BUT1_SUB(Editor& e);
void PX$COB2BUT3_SUB1(Editor& e);
void PX$COB2BUT3_SUB2(Editor& e);
void PX$COB2BUT3_SUB3(Editor& e);
void PX$COB2BUT4_SUB0(Editor& e);
void PX$COB2BUT4_SUB1(Editor& e);
void PX$COB2BUT4_SUB2(Editor& e);
void PX$COB2BUT4_SUB3(Editor& e);

// "設　定" of group g (BUTTON1..BUTTON11; group 02 opens FORM4) and of option o
// (BUTTON12..BUTTON16 on FORM2).
void openGroup(Editor& e, int g);
void openOption(Editor& e, int o);
// "設定" of the pairs.
void PX$BUTTON23_ON(Editor& e);

// "登録" of the group forms, the option form and the pair form. A list that the file
// cannot hold as it is typed (more items than the list has room for, a line no field of
// the file gives back whole) is named in a message, and the form stays open with nothing
// stored.
void PX$BUTTON17_ON(Editor& e);
void PX$BUTTON19_ON(Editor& e);
void PX$BUTTON21_ON(Editor& e);
void PX$BUTTON25_ON(Editor& e);
// "キャンセル" of a list form: hidden, its opener enabled again, nothing stored.
void cancelListForm(Editor& e, FormWindow& form);

}  // namespace editor
