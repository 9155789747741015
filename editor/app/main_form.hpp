#pragma once
// The main form and the option overview: the basic data shown on them, the four fields,
// the save, the two ends and the close box.

#include <string>

#include "editor/app/editor_state.hpp"

namespace editor {

// Every control of MAINFORM and FORM2 that shows the basic data: the pair and timeframe
// combos, the four fields, the group frames, the sub-list labels and combos, the option
// labels and combos.
void showBasicData(Editor& e);
// The four fields as the main form holds them now.
MainFields mainFieldsShown(Editor& e);

// The label of sub-list k of group g on MAINFORM, and of option o on FORM2: the title,
// with "★" in front when the list has a chart catalogue folder.
void PX$SETCGT_SUB3(Editor& e, int g, int k);
void PX$SETCGT_SUB1(Editor& e, int o);
// The main form's combo of sub-list k of group g, and the option combo of option o,
// filled with the list's items 0..count.
void fillSubListCombo(Editor& e, int g, int k);
void fillOptionCombo(Editor& e, int o);
// COMBO1 with the pairs 0..count, COMBO3 with the base timeframes of rows 0..count.
void fillPairCombo(Editor& e);
void fillTimeframeCombo(Editor& e);

// "オプションの設定へ": the option overview in place of the main form; "閉じる" back.
void PX$BUTTON27_ON(Editor& e);
void PX$BUTTON28_ON(Editor& e);

// "設定を登録して終了": the four fields are taken with their corrections, the file is
// written and the editor ends. A field no correction can make usable is named in a
// message instead, and the editor stays.
void PX$BUTTON33_ON(Editor& e);
// "登録しないで終了": the forms go and the editor ends; nothing is written.
[[noreturn]] void PX$BUTTON34_ON(Editor& e);
// The close box of the main form ends as "登録しないで終了" does, after asking whether
// the changes may go when something was changed; No keeps the editor open.
void closeBoxOfMainForm(Editor& e);
// Whether the data or the four fields differ from what was read.
bool somethingChanged(Editor& e);

// The path of "基本データ.TXT" in the data folder.
std::string basicDataPath(const Editor& e);

}  // namespace editor
