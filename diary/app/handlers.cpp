// The diary's event handlers, exported under the names the toolkit binds them by. They
// do no work themselves: each posts the command code for the main loop. Only the input
// box's buttons, the backup check box, the memo and option buttons, the closed-trade
// window's text buttons and the main window's end act directly.

#include <cstdint>

#include "common/ui/controls.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/chart_viewer.hpp"
#include "diary/app/commands.hpp"
#include "diary/app/diary_state.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/memo_window.hpp"
#include "diary/app/review_charts.hpp"
#include "diary/app/review_window.hpp"

namespace {

diary::Diary& state() { return diary::diary(); }

void post(std::int16_t code) { state().commandCode = code; }

// A chart-image button posts its command only when it is not the button pressed last, so
// a second press of the same button does nothing; every press is remembered.
void chartButton(std::int16_t number) {
    diary::Diary& d = state();
    if (number != d.lastChartButton) d.commandCode = diary::command::ChartImage;
    d.lastChartButton = number;
}

// A price caption posts the price input and remembers which caption it was.
void priceCaption(std::int16_t text) {
    state().trade.clickedPriceCaption = text;
    post(diary::command::PriceInput);
}

void choiceChanged(std::int16_t combo) {
    state().changedCombo = combo;
    post(diary::command::ChoiceChanged);
}

// A choice combo's click opens the chart catalogue of its choices. A pick raises the
// change and then the click in the same event wait: the click must not overwrite the
// choice that waits to be recorded.
void choiceClicked(std::int16_t combo, std::int16_t code) {
    if (state().commandCode == diary::command::ChoiceChanged) return;
    state().viewer.clickedCombo = combo;
    post(code);
}

}  // namespace

#define QUILL_EXPORT extern "C" __attribute__((visibility("default")))
#define QUILL_HANDLER(name) QUILL_EXPORT void PX$##name(void*)
#define QUILL_POSTS(name, code) \
    QUILL_HANDLER(name) { post(code); }
#define QUILL_CHART_BUTTON(n) \
    QUILL_HANDLER(BUTTON##n##_ON) { chartButton(n); }
// A group or option combo: a change records the choice (17), a click opens the chart
// catalogue of its choices (26 for groups, 27 for options).
#define QUILL_CHOICE_COMBO(n, clickCode) \
    QUILL_HANDLER(COMBO##n##_CHANGE) { choiceChanged(n); } \
    QUILL_HANDLER(COMBO##n##_CLICK) { choiceClicked(n, clickCode); }

// Chart-image buttons: the stop-loss slot, the five memo slots, the five option slots
// and the eleven group slots.
QUILL_CHART_BUTTON(6)
QUILL_CHART_BUTTON(15)
QUILL_CHART_BUTTON(16)
QUILL_CHART_BUTTON(17)
QUILL_CHART_BUTTON(18)
QUILL_CHART_BUTTON(19)
QUILL_CHART_BUTTON(25)
QUILL_CHART_BUTTON(26)
QUILL_CHART_BUTTON(27)
QUILL_CHART_BUTTON(28)
QUILL_CHART_BUTTON(29)
QUILL_CHART_BUTTON(30)
QUILL_CHART_BUTTON(39)
QUILL_CHART_BUTTON(40)
QUILL_CHART_BUTTON(41)
QUILL_CHART_BUTTON(42)
QUILL_CHART_BUTTON(43)
QUILL_CHART_BUTTON(44)
QUILL_CHART_BUTTON(45)
QUILL_CHART_BUTTON(46)
QUILL_CHART_BUTTON(47)
QUILL_CHART_BUTTON(48)

// The chart window. Its resize, scale, scroll, corner and drag handlers act at once;
// "登録", "消去" and "終了" hide it before their command runs.
QUILL_HANDLER(FORM2_RESIZE) { diary::PX$CG_ON_SUB(state()); }
QUILL_HANDLER(COMBO1_CHANGE) { diary::PX$CG_ON_SUB(state()); }
QUILL_HANDLER(HSCROLL1_CHANGE) { diary::viewerScrolled(state(), true); }
QUILL_HANDLER(VSCROLL1_CHANGE) { diary::viewerScrolled(state(), false); }
QUILL_HANDLER(BUTTON1_ON) { diary::PX$BUTTON1_ON(state()); }
QUILL_EXPORT void PX$PICTURE1_MOUSEDOWN(void*, std::int16_t button, std::int16_t, float x, float y) {
    diary::pictureMouseDown(state(), button, x, y);
}
QUILL_EXPORT void PX$PICTURE1_MOUSEMOVE(void*, std::int16_t button, std::int16_t, float x, float y) {
    diary::pictureMouseMove(state(), button, x, y);
}
QUILL_HANDLER(BUTTON3_ON) { PX$MINIMIZEWINDOW(&state().windows.chart.form); }
QUILL_POSTS(BUTTON4_ON, diary::command::PreviousImage)
QUILL_POSTS(BUTTON5_ON, diary::command::NextImage)
QUILL_HANDLER(BUTTON2_ON) {
    diary::hideViewer(state());
    post(diary::command::RegisterChart);
}
QUILL_HANDLER(BUTTON7_ON) {
    diary::hideViewer(state());
    post(diary::command::DetachChart);
}
QUILL_HANDLER(BUTTON31_ON) {
    diary::hideViewer(state());
    post(diary::command::CloseViewer);
}
QUILL_POSTS(COMBO44_CHANGE, 28)

// The main window. "新規取引" selects its line of the list, then opens it.
QUILL_HANDLER(BUTTON50_ON) {
    diary::Diary& d = state();
    common::ui::select(d.windows.main["LIST1"], d.trade.newTradePos);
    post(diary::command::OpenListLine);
}
QUILL_POSTS(LIST1_CLICK, diary::command::OpenListLine)
QUILL_POSTS(BUTTON22_ON, 10)
QUILL_POSTS(BUTTON21_ON, 11)
QUILL_POSTS(BUTTON55_ON, diary::command::SetTimeStop)
QUILL_POSTS(BUTTON56_ON, diary::command::ReleaseTimeStop)

// The trade window.
QUILL_POSTS(BUTTON12_ON, 7)
QUILL_POSTS(BUTTON13_ON, 8)
QUILL_POSTS(BUTTON20_ON, 9)
QUILL_POSTS(COMBO4_CHANGE, 18)
QUILL_POSTS(BUTTON32_ON, 20)
QUILL_HANDLER(TEXT53_CLICK) { priceCaption(53); }
QUILL_HANDLER(TEXT54_CLICK) { priceCaption(54); }
QUILL_HANDLER(TEXT69_CLICK) { priceCaption(69); }
QUILL_POSTS(BUTTON51_ON, 29)
QUILL_POSTS(EDIT7_SETFOCUS, 30)
QUILL_POSTS(EDIT8_SETFOCUS, 30)
QUILL_POSTS(BUTTON52_ON, 31)
QUILL_POSTS(TEXT62_CLICK, 32)
QUILL_POSTS(TEXT65_CLICK, 33)
QUILL_POSTS(TEXT61_CLICK, 34)
QUILL_POSTS(BUTTON9_ON, diary::command::SetTimeStop)
QUILL_POSTS(BUTTON10_ON, diary::command::ReleaseTimeStop)
QUILL_POSTS(BUTTON57_ON, 37)
QUILL_POSTS(BUTTON58_ON, 38)
QUILL_POSTS(BUTTON63_ON, 43)
QUILL_POSTS(TEXT70_CLICK, 44)
QUILL_POSTS(EDIT20_SETFOCUS, 45)
QUILL_POSTS(EDIT21_SETFOCUS, 45)

// The memo and option windows open beside the trade window without a command.
QUILL_HANDLER(BUTTON11_ON) { diary::openMemoWindow(state()); }
QUILL_HANDLER(BUTTON24_ON) { diary::openOptionWindow(state()); }

// The closed-trade window.
QUILL_POSTS(BUTTON23_ON, 12)
QUILL_POSTS(LIST2_CLICK, 13)
QUILL_POSTS(LIST3_CLICK, 14)
QUILL_POSTS(LIST5_CLICK, 15)
QUILL_POSTS(LIST6_CLICK, 16)
QUILL_POSTS(CHECK2_ON, 21)
QUILL_POSTS(CHECK3_ON, 22)
QUILL_POSTS(COMBO45_CHANGE, 22)
QUILL_POSTS(BUTTON49_ON, 24)
// Its texts go to the clipboard or a file at once.
QUILL_HANDLER(BUTTON33_ON) { diary::copyTextToClipboard(state(), 9); }
QUILL_HANDLER(BUTTON34_ON) { diary::copyTextToClipboard(state(), 10); }
QUILL_HANDLER(BUTTON35_ON) { diary::PX$BUTTON3536_SUB(state(), 9); }
QUILL_HANDLER(BUTTON36_ON) { diary::PX$BUTTON3536_SUB(state(), 10); }
// Its charts are exported at once.
QUILL_HANDLER(BUTTON37_ON) { diary::exportCharts(state(), true); }
QUILL_HANDLER(BUTTON38_ON) { diary::exportCharts(state(), false); }

// The memo window.
QUILL_POSTS(BUTTON14_ON, 23)

// The copy checklist.
QUILL_POSTS(BUTTON59_ON, 39)
QUILL_POSTS(BUTTON60_ON, 40)
QUILL_POSTS(BUTTON61_ON, 41)
QUILL_POSTS(BUTTON62_ON, 42)

// The option combo boxes, then the group combo boxes.
QUILL_CHOICE_COMBO(5, 27)
QUILL_CHOICE_COMBO(6, 27)
QUILL_CHOICE_COMBO(7, 27)
QUILL_CHOICE_COMBO(8, 27)
QUILL_CHOICE_COMBO(9, 27)
QUILL_CHOICE_COMBO(10, 26)
QUILL_CHOICE_COMBO(11, 26)
QUILL_CHOICE_COMBO(12, 26)
QUILL_CHOICE_COMBO(13, 26)
QUILL_CHOICE_COMBO(14, 26)
QUILL_CHOICE_COMBO(15, 26)
QUILL_CHOICE_COMBO(16, 26)
QUILL_CHOICE_COMBO(17, 26)
QUILL_CHOICE_COMBO(18, 26)
QUILL_CHOICE_COMBO(19, 26)
QUILL_CHOICE_COMBO(20, 26)
QUILL_CHOICE_COMBO(21, 26)
QUILL_CHOICE_COMBO(22, 26)
QUILL_CHOICE_COMBO(23, 26)
QUILL_CHOICE_COMBO(24, 26)
QUILL_CHOICE_COMBO(25, 26)
QUILL_CHOICE_COMBO(26, 26)
QUILL_CHOICE_COMBO(27, 26)
QUILL_CHOICE_COMBO(28, 26)
QUILL_CHOICE_COMBO(29, 26)
QUILL_CHOICE_COMBO(30, 26)
QUILL_CHOICE_COMBO(31, 26)
QUILL_CHOICE_COMBO(32, 26)
QUILL_CHOICE_COMBO(33, 26)
QUILL_CHOICE_COMBO(34, 26)
QUILL_CHOICE_COMBO(35, 26)
QUILL_CHOICE_COMBO(36, 26)
QUILL_CHOICE_COMBO(37, 26)
QUILL_CHOICE_COMBO(38, 26)
QUILL_CHOICE_COMBO(39, 26)
QUILL_CHOICE_COMBO(40, 26)
QUILL_CHOICE_COMBO(41, 26)
QUILL_CHOICE_COMBO(42, 26)
QUILL_CHOICE_COMBO(43, 26)

// The input box: OK and cancel only answer it; closing it by its close box cancels.
QUILL_HANDLER(BUTTON53_ON) { state().inputBoxResult = 53; }
QUILL_HANDLER(BUTTON54_ON) { state().inputBoxResult = 54; }
QUILL_EXPORT void PX$FORM7_QUERYCLOSE(void*, std::int16_t* cancel) {
    *cancel = -1;
    state().inputBoxResult = 54;
}

// The other windows stay when their close box is clicked: they are hidden and shown by
// the diary. Where the window has a close button of its own, the close box does what
// that button does.
#define QUILL_KEEP_OPEN(form) \
    QUILL_EXPORT void PX$##form##_QUERYCLOSE(void*, std::int16_t* cancel) { \
        *cancel = -1; \
    }
#define QUILL_CLOSE_AS(form, code) \
    QUILL_EXPORT void PX$##form##_QUERYCLOSE(void*, std::int16_t* cancel) { \
        *cancel = -1; \
        post(code); \
    }
// The chart window's close box is its "終了".
QUILL_EXPORT void PX$FORM2_QUERYCLOSE(void*, std::int16_t* cancel) {
    *cancel = -1;
    diary::hideViewer(state());
    post(diary::command::CloseViewer);
}
QUILL_KEEP_OPEN(FORM3)
QUILL_CLOSE_AS(FORM4, 23)
QUILL_CLOSE_AS(FORM5, 12)
QUILL_KEEP_OPEN(FORM6)
QUILL_CLOSE_AS(FORM8, 42)

QUILL_HANDLER(CHECK4_ON) { diary::PX$CHECK4_ON(state()); }

// The main window closes: the basic data and the environment are written whether or not
// anything changed, then the windows go.
QUILL_HANDLER(MAINFORM_END) {
    diary::Diary& d = state();
    diary::PX$基本データ設定W_SUB(d);
    for (diary::FormWindow* w : {&d.windows.main, &d.windows.chart, &d.windows.trade, &d.windows.memo,
                                 &d.windows.closedTrades, &d.windows.options})
        common::ui::destroy(w->form);
    diary::deleteViewerBitmaps(d);
}
