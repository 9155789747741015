#pragma once
// The timeframe form FORM7: the rows of the timeframe table in LIST1, edited through the
// four edits under it.

#include "editor/app/editor_state.hpp"

namespace editor {

// LIST1 filled with the rows (and "新規作成" while there is room), "挿入登録" enabled
// only then, the line selected last selected again.
void PX$時間足リスト_SUB(Editor& e);

// "設定" of the timeframes: the form over the disabled main form.
void PX$BUTTON24_ON(Editor& e);
// A line clicked while "リストをクリックして編集" is ticked: its row into the edits.
void PX$LIST1_CHANGE(Editor& e);
// "書換登録", "挿入登録", "一行削除" on the selected line; "閉じる". Edits whose text
// the file cannot hold are named in a message and change nothing.
void PX$BUTTON29_ON(Editor& e);
void PX$BUTTON30_ON(Editor& e);
void PX$BUTTON31_ON(Editor& e);
void PX$BUTTON32_ON(Editor& e);

}  // namespace editor
