#include "diary/app/diary_state.hpp"

namespace diary {

Diary& diary() {
    static Diary d;
    return d;
}

}  // namespace diary
