// The diary's handlers only post command codes; the chart-image buttons post theirs only
// when the button differs from the one pressed last.

#include <gtest/gtest.h>

#include <cstdint>

#include "diary/app/control_names.hpp"
#include "diary/app/diary_state.hpp"

extern "C" {
void PX$BUTTON6_ON(void*);
void PX$BUTTON15_ON(void*);
void PX$BUTTON48_ON(void*);
void PX$LIST1_CLICK(void*);
void PX$COMBO5_CHANGE(void*);
void PX$COMBO43_CHANGE(void*);
void PX$COMBO43_CLICK(void*);
void PX$COMBO9_CLICK(void*);
void PX$TEXT69_CLICK(void*);
void PX$EDIT21_SETFOCUS(void*);
void PX$BUTTON9_ON(void*);
void PX$BUTTON56_ON(void*);
void PX$BUTTON4_ON(void*);
void PX$BUTTON5_ON(void*);
void PX$COMBO44_CHANGE(void*);
void PX$BUTTON53_ON(void*);
void PX$BUTTON54_ON(void*);
void PX$FORM7_QUERYCLOSE(void*, std::int16_t*);
}

namespace {

diary::Diary& reset() {
    diary::Diary& d = diary::diary();
    d.commandCode = 0;
    d.lastChartButton = 0;
    d.inputBoxResult = 0;
    return d;
}

// Presses a handler and returns the code it posted (0 for none).
std::int16_t posted(void (*handler)(void*)) {
    diary::diary().commandCode = 0;
    handler(nullptr);
    return diary::diary().commandCode;
}

}  // namespace

TEST(DiaryHandlers, ASecondPressOfTheSameChartButtonPostsNothing) {
    diary::Diary& d = reset();
    EXPECT_EQ(posted(PX$BUTTON6_ON), 1);
    EXPECT_EQ(posted(PX$BUTTON6_ON), 0);
    EXPECT_EQ(d.lastChartButton, 6);
    EXPECT_EQ(posted(PX$BUTTON15_ON), 1);
    EXPECT_EQ(posted(PX$BUTTON6_ON), 1);
    EXPECT_EQ(posted(PX$BUTTON48_ON), 1);
    EXPECT_EQ(d.lastChartButton, 48);
}

TEST(DiaryHandlers, EachHandlerPostsItsCommand) {
    reset();
    struct Case {
        void (*handler)(void*);
        std::int16_t code;
    };
    const Case cases[] = {
        {PX$LIST1_CLICK, 6},     {PX$COMBO5_CHANGE, 17}, {PX$COMBO43_CHANGE, 17},
        {PX$COMBO43_CLICK, 26}, {PX$COMBO9_CLICK, 27}, {PX$TEXT69_CLICK, 25},  {PX$EDIT21_SETFOCUS, 45},
        {PX$BUTTON9_ON, 35},  {PX$BUTTON56_ON, 36}, {PX$BUTTON4_ON, 2}, {PX$BUTTON5_ON, 3}, {PX$COMBO44_CHANGE, 28},
    };
    for (const Case& c : cases) EXPECT_EQ(posted(c.handler), c.code);
    PX$COMBO43_CHANGE(nullptr);
    EXPECT_EQ(diary::diary().changedCombo, 43);
}

TEST(DiaryHandlers, TheInputBoxButtonsAnswerWithoutACommand) {
    diary::Diary& d = reset();
    EXPECT_EQ(posted(PX$BUTTON53_ON), 0);
    EXPECT_EQ(d.inputBoxResult, 53);
    EXPECT_EQ(posted(PX$BUTTON54_ON), 0);
    EXPECT_EQ(d.inputBoxResult, 54);
    // Its close box cancels and keeps the box for the next question.
    d.inputBoxResult = 0;
    std::int16_t cancel = 0;
    PX$FORM7_QUERYCLOSE(nullptr, &cancel);
    EXPECT_EQ(cancel, -1);
    EXPECT_EQ(d.inputBoxResult, 54);
}

TEST(DiaryControlNames, GroupAndOptionControlsAreNumberedAsTheWindowsNumberThem) {
    struct Case {
        int i, g;
        const char *text, *combo;
    };
    const Case cases[] = {
        {1, 1, "TEXT19", "COMBO10"}, {3, 1, "TEXT21", "COMBO12"},  {0, 2, "TEXT22", "COMBO13"},
        {3, 2, "TEXT25", "COMBO16"}, {1, 3, "TEXT26", "COMBO17"},  {3, 11, "TEXT52", "COMBO43"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(diary::groupItemTextName(c.i, c.g), c.text);
        EXPECT_EQ(diary::groupItemComboName(c.i, c.g), c.combo);
    }
    EXPECT_EQ(diary::groupButtonName(1), "BUTTON30");
    EXPECT_EQ(diary::groupButtonName(2), "BUTTON39");
    EXPECT_EQ(diary::groupButtonName(11), "BUTTON48");
    EXPECT_EQ(diary::optionTextName(1), "TEXT14");
    EXPECT_EQ(diary::optionComboName(5), "COMBO9");
    EXPECT_EQ(diary::optionButtonName(5), "BUTTON29");
}
