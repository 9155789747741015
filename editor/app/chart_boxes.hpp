#pragma once
// The "CG選択" boxes of the list forms: a list with a chart catalogue folder has its box
// ticked. Ticking a box asks for the folder; the box and the folder are stored into the
// list's chart mark and label by the form's "登録".

#include "editor/app/editor_state.hpp"

namespace editor {

// The boxes from the chart marks, and the folders of the open form's lists from the
// labels: the option form, the group form, the group 02 form.
void PX$SETCG1_SUB(Editor& e);
void PX$SETCG3_SUB(Editor& e);
void PX$SETCG4_SUB(Editor& e);
// The boxes back into the marks (a list whose folder is empty gets no mark) and the
// folders into the labels.
void PX$GETCG1_SUB(Editor& e);
void PX$GETCG3_SUB(Editor& e);
void PX$GETCG4_SUB(Editor& e);

// The folder dialog: the last chart folder becomes the folder of the chosen path, or ""
// when the user cancelled.
void PX$SETCGF_SUB(Editor& e, FormWindow& owner);
// A box just ticked asks for its list's folder, starting where that list's folder is;
// a cancelled dialog, or a folder the file cannot record, unticks the box again and the
// list keeps its folder.
void PX$CHECK_SUB1(Editor& e);
void PX$CHECK_SUB3(Editor& e);
void PX$CHECK_SUB4(Editor& e);

// CHECK2..CHECK9 clicked: the sub-list becomes current, and a box now ticked asks.
void chartBoxClicked(Editor& e, int box);

}  // namespace editor
