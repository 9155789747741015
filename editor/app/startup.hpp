#pragma once
// What the editor does from launch until the user's first action.

#include "editor/app/editor_state.hpp"

namespace editor {

// The title, the forms, the defaults (the diary's own), the question where
// "基本データ.TXT" lies (cancelled: the editor ends at once), and the file read when it
// is there. A file the diary could not use either is named in a message and the editor
// ends without writing anything.
void startUp(Editor& e);

}  // namespace editor
