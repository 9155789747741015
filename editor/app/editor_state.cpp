#include "editor/app/editor_state.hpp"

namespace editor {

Editor& editor() {
    static Editor e;
    return e;
}

}  // namespace editor
