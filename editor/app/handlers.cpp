// The editor's event handlers, exported under the names the toolkit binds them by. They
// do no work themselves: each posts the command code for the main loop.

#include <cstdint>

#include "editor/app/commands.hpp"
#include "editor/app/editor_state.hpp"

namespace {

void post(std::int16_t code) { editor::editor().commandCode = code; }

}  // namespace

#define QUILL_EXPORT extern "C" __attribute__((visibility("default")))
#define QUILL_HANDLER(name) QUILL_EXPORT void PX$##name(void*)
// A button posts its own number.
#define QUILL_BUTTON(n) \
    QUILL_HANDLER(BUTTON##n##_ON) { post(n); }
#define QUILL_CHART_BOX(n) \
    QUILL_HANDLER(CHECK##n##_ON) { post(40 + n); }

// "設　定" of the eleven groups and the five options.
QUILL_BUTTON(1)
QUILL_BUTTON(2)
QUILL_BUTTON(3)
QUILL_BUTTON(4)
QUILL_BUTTON(5)
QUILL_BUTTON(6)
QUILL_BUTTON(7)
QUILL_BUTTON(8)
QUILL_BUTTON(9)
QUILL_BUTTON(10)
QUILL_BUTTON(11)
QUILL_BUTTON(12)
QUILL_BUTTON(13)
QUILL_BUTTON(14)
QUILL_BUTTON(15)
QUILL_BUTTON(16)
// "登録" and "キャンセル" of the group, group 02, option and pair forms.
QUILL_BUTTON(17)
QUILL_BUTTON(18)
QUILL_BUTTON(19)
QUILL_BUTTON(20)
QUILL_BUTTON(21)
QUILL_BUTTON(22)
QUILL_BUTTON(25)
QUILL_BUTTON(26)
// The pairs, the timeframes, the option overview and back.
QUILL_BUTTON(23)
QUILL_BUTTON(24)
QUILL_BUTTON(27)
QUILL_BUTTON(28)
// The timeframe form.
QUILL_BUTTON(29)
QUILL_BUTTON(30)
QUILL_BUTTON(31)
QUILL_BUTTON(32)
QUILL_HANDLER(LIST1_CHANGE) { post(editor::command::TimeframeClicked); }
// The two ends.
QUILL_BUTTON(33)
QUILL_BUTTON(34)

// The "CG選択" boxes.
QUILL_CHART_BOX(2)
QUILL_CHART_BOX(3)
QUILL_CHART_BOX(4)
QUILL_CHART_BOX(5)
QUILL_CHART_BOX(6)
QUILL_CHART_BOX(7)
QUILL_CHART_BOX(8)
QUILL_CHART_BOX(9)

// A close box never closes a form by itself: the list forms' close boxes do what their
// "キャンセル" (or "閉じる") does, the main form's asks before anything edited is lost.
#define QUILL_CLOSE_AS(form, code) \
    QUILL_EXPORT void PX$##form##_QUERYCLOSE(void*, std::int16_t* cancel) { \
        *cancel = -1; \
        post(code); \
    }
QUILL_CLOSE_AS(MAINFORM, editor::command::MainCloseBox)
QUILL_CLOSE_AS(FORM2, editor::command::CloseOptions)
QUILL_CLOSE_AS(FORM3, editor::command::CancelGroup)
QUILL_CLOSE_AS(FORM4, editor::command::CancelGroup02)
QUILL_CLOSE_AS(FORM5, editor::command::CancelOption)
QUILL_CLOSE_AS(FORM6, editor::command::CancelPairs)
QUILL_CLOSE_AS(FORM7, editor::command::CloseTimeframes)
