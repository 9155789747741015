// The control and window operations on a form with one control of each kind: the steps
// every operation shares (record, kind, window, arguments), and what each family does to
// the window system's model.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"
#include "runtime/error.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

// The run-time error an operation raises: number and location code; {0, 0} when none.
std::pair<int, std::uint32_t> raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return {e.number(), e.location()};
    }
    return {0, 0};
}
int raisedNumber(const std::function<void()>& f) { return raised(f).first; }

std::string text(const PvString* s) { return std::string(runtime::view(s)); }

class Controls : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = create("CTRLFORM");
        for (auto [var, name] : std::initializer_list<std::pair<ObjectVar*, const char*>>{
                 {&button, "BUTTON1"}, {&edit, "EDIT1"},     {&memo, "EDIT2"},       {&list, "LIST1"},
                 {&multi, "LIST2"},    {&combo, "COMBO1"},   {&editCombo, "COMBO2"}, {&check, "CHECK1"},
                 {&option, "OPTION1"}, {&picture, "PICTURE1"}, {&label, "LABEL1"},   {&scroll, "HSCROLL1"}})
            *var = attach(&form, name);
    }
    const platform::Window& w(ObjectVar& v) { return *model.find(windowOf(&v)); }

    ObjectVar form = 0, button = 0, edit = 0, memo = 0, list = 0, multi = 0, combo = 0, editCombo = 0, check = 0,
              option = 0, picture = 0, label = 0, scroll = 0;
};

// --- the common steps ---------------------------------------------------------------------

TEST_F(Controls, CommonSteps_RecordKindWindowInThatOrder) {
    ObjectVar empty = 0;
    ObjectVar gone = 0;
    {
        ObjectVar other = create("NESTFORM");
        gone = attach(&other, "BUTTON9");
        PX$DESTROYWINDOW(&other);
    }
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
        std::uint32_t location;
    };
    const std::vector<Case> cases = {
        {"null address", [] { PX$SHOWWINDOW(nullptr, -1); }, 1003, location(op::ShowWindow, 1)},
        {"null address of PX$GETCOUNT", [] { PX$GETCOUNT(nullptr); }, 1000, location(op::GetCount, 1)},
        {"null address of PX$GETSEL", [] { PX$GETSEL(nullptr, 0); }, 1000, location(op::GetSel, 1)},
        {"empty variable", [&] { PX$ENABLEWINDOW(&empty, -1); }, 1000, location(op::EnableWindow, 2)},
        {"text of a list", [&] { Str t("x"); PX$SETWINDOWTEXT(&list, t.get()); }, 1002, location(op::SetWindowText, 3)},
        {"items of an edit", [&] { PX$GETCOUNT(&edit); }, 1002, location(op::GetCount, 3)},
        {"selection of an edit", [&] { PX$SETCURSEL(&edit, 0); }, 27, location(op::SetCurSel, 3)},
        {"check of a push button", [&] { PX$GETCHECK(&button); }, 1002, location(op::GetCheck, 3)},
        {"client size of a button", [&] { PX$GETCLIENTWIDTH(&button); }, 1002, location(op::GetClientWidth, 3)},
        {"control of a destroyed form", [&] { PX$SHOWWINDOW(&gone, -1); }, 1000, location(op::ShowWindow, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.error);
        EXPECT_EQ(where, c.location);
    }
}

TEST_F(Controls, TruthValuesAreExactlyMinusOneOrZero_AndAFailedCallChangesNothing) {
    struct Case {
        std::int16_t flag;
        int error;
        bool visible;
    };
    for (const Case& c : {Case{0, 0, false}, Case{1, 5, false}, Case{-2, 5, false}, Case{-1, 0, true},
                          Case{1, 5, true}}) {
        SCOPED_TRACE(c.flag);
        EXPECT_EQ(raisedNumber([&] { PX$SHOWWINDOW(&button, c.flag); }), c.error);
        EXPECT_EQ(w(button).visible, c.visible);
        EXPECT_EQ(PX$ISWINDOWVISIBLE(&button), c.visible ? -1 : 0);
    }
    EXPECT_EQ(raisedNumber([&] { PX$ENABLEWINDOW(&edit, 1); }), 5);
    EXPECT_TRUE(w(edit).enabled);
    PX$ENABLEWINDOW(&edit, 0);
    EXPECT_EQ(PX$ISWINDOWENABLED(&edit), 0);
}

TEST_F(Controls, AControlOfAHiddenFormIsNotVisible) {
    PX$SHOWWINDOW(&form, 0);
    EXPECT_EQ(PX$ISWINDOWVISIBLE(&label), 0);
    EXPECT_TRUE(w(label).visible) << "its own flag is kept for when the form shows again";
    PX$SHOWWINDOW(&form, -1);
    EXPECT_EQ(PX$ISWINDOWVISIBLE(&label), -1);
}

TEST_F(Controls, ProgrammaticChangesRaiseNoEvents) {
    Str t("USD");
    PX$SETWINDOWTEXT(&edit, t.get());
    PX$SETCURSEL(&list, 1);
    PX$SETCURSEL(&combo, 2);
    PX$SETCHECK(&check, 1);
    PX$SETSCROLLPOS(&scroll, 40);
    PX$SETSEL(&multi, 2, -1);
    PX$MOVEWINDOW(&form, 10, 10);
    PX$SETWINDOWSIZE(&form, 300, 200);
    runtime::collectNotifications();
    EXPECT_FALSE(model.hasNotifications());
    EXPECT_FALSE(runtime::eventsPending());
}

// --- texts, position and size -------------------------------------------------------------

TEST_F(Controls, WindowText_SetAndGetOnEachKindThatHasOne) {
    const std::string yen = platform::utf8ToCp932("ドル円");
    for (ObjectVar* v : {&form, &button, &edit, &label, &check, &editCombo}) {
        Str t(yen);
        PX$SETWINDOWTEXT(v, t.get());
        EXPECT_EQ(text(PX$GETWINDOWTEXT(v)), yen);
    }
    // A drop-down list shows its selected item, not a text of its own.
    Str t(yen);
    PX$SETWINDOWTEXT(&combo, t.get());
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&combo)), "");
}

TEST_F(Controls, MoveWindow_PlacesAControlAtExactPixelOffsetsInTheClientArea) {
    const platform::Rect before = w(button).rect;
    PX$MOVEWINDOW(&button, 33.0f, 47.4f);
    EXPECT_EQ(w(button).rect, (platform::Rect{33, 47, before.w, before.h}));
    EXPECT_EQ(PX$GETLEFT(&button), 33.0f);
    EXPECT_EQ(PX$GETTOP(&button), 47.0f);
    EXPECT_EQ(PX$GETWIDTH(&button), static_cast<float>(before.w));
    // A form moves in screen pixels.
    PX$MOVEWINDOW(&form, 120, 90);
    EXPECT_EQ(w(form).rect.x, 120);
    EXPECT_EQ(w(form).rect.y, 90);
    EXPECT_EQ(w(button).rect.x, 33) << "controls keep their place in the form";
}

TEST_F(Controls, Coordinates_OverflowIs1005AndLeavesTheWindowAlone) {
    const platform::Rect before = w(button).rect;
    for (float bad : {3.0e9f, -3.0e9f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(raisedNumber([&] { PX$MOVEWINDOW(&button, bad, 0); }), 1005);
        EXPECT_EQ(raisedNumber([&] { PX$SETWINDOWSIZE(&button, 10, bad); }), 1005);
        EXPECT_EQ(w(button).rect, before);
    }
}

TEST_F(Controls, SetWindowSize_PictureKeepsTheTopLeftPartOfItsDrawing) {
    platform::Window* p = model.change(windowOf(&picture));
    const int oldW = p->redraw.width(), oldH = p->redraw.height();
    ASSERT_GT(oldW, 20);
    p->redraw.setPixel(0, 0, 0x0000FF);
    p->redraw.setPixel(10, 12, 0x00FF00);
    p->redraw.setPixel(oldW - 1, oldH - 1, 0xFF0000);

    PX$SETWINDOWSIZE(&picture, 100, 60);
    const platform::PixelBuffer& small = w(picture).redraw;
    EXPECT_EQ(w(picture).rect.w, 100);
    EXPECT_EQ(small.width(), static_cast<int>(PX$GETCLIENTWIDTH(&picture)));
    EXPECT_EQ(small.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(small.pixel(10, 12), 0x00FF00u);

    PX$SETWINDOWSIZE(&picture, 400, 300);
    const platform::PixelBuffer& large = w(picture).redraw;
    EXPECT_EQ(large.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(large.pixel(10, 12), 0x00FF00u);
    EXPECT_EQ(large.pixel(oldW - 1, oldH - 1), w(picture).back) << "cut off by the smaller size";
    EXPECT_EQ(large.pixel(350, 250), w(picture).back);
}

TEST_F(Controls, SetClientSize_GivesTheClientAreaThatSize) {
    PX$SETCLIENTSIZE(&form, 321, 123);
    EXPECT_EQ(PX$GETCLIENTWIDTH(&form), 321.0f);
    EXPECT_EQ(PX$GETCLIENTHEIGHT(&form), 123.0f);
    EXPECT_GT(PX$GETWIDTH(&form), 321.0f) << "the frame lies outside the client area";
    PX$SETCLIENTSIZE(&picture, 50, 40);
    EXPECT_EQ(PX$GETCLIENTWIDTH(&picture), 50.0f);
}

// --- lists and combo boxes ----------------------------------------------------------------

TEST_F(Controls, GetText_OutsideTheItemsIsEmptyWithoutError) {
    ASSERT_EQ(PX$GETCOUNT(&list), 3);
    for (int index : {-1, 3, 5}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(text(PX$GETTEXT(&list, index)), "");
    }
    EXPECT_EQ(text(PX$GETTEXT(&list, 2)), "NZD/JPY");
    EXPECT_EQ(text(PX$GETTEXT(&combo, 0)), "SHORT");
}

TEST_F(Controls, SetCurSel_MinusOneClears_AnIndexOutsideFailsByKind) {
    PX$SETCURSEL(&list, 1);
    EXPECT_EQ(PX$GETCURSEL(&list), 1);
    EXPECT_EQ(raisedNumber([&] { PX$SETCURSEL(&list, -1); }), 0);
    EXPECT_EQ(PX$GETCURSEL(&list), -1);
    PX$SETCURSEL(&combo, 2);
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&combo)), "LONG");

    EXPECT_EQ(raisedNumber([&] { PX$SETCURSEL(&list, 3); }), 1016);
    EXPECT_EQ(raisedNumber([&] { PX$SETCURSEL(&combo, 3); }), 1017);
    EXPECT_EQ(PX$GETCURSEL(&combo), 2) << "a failed selection keeps the old one";
    EXPECT_EQ(raisedNumber([&] { PX$SETCURSEL(&multi, 0); }), 1016) << "several-item lists select item by item";
    EXPECT_EQ(raisedNumber([&] { PX$SETCURSEL(&multi, -1); }), 0);
}

TEST_F(Controls, Items_AddInsertDeleteReset) {
    Str a("EUR/JPY"), b("GBP/JPY");
    PX$ADDSTRING(&list, a.get());
    PX$INSERTSTRING(&list, 0, b.get());
    PX$SETCURSEL(&list, 1);  // USD/JPY
    PX$DELETESTRING(&list, 0);
    EXPECT_EQ(PX$GETCURSEL(&list), 0) << "the selection follows its item";
    std::vector<std::string> items;
    for (int i = 0; i < PX$GETCOUNT(&list); ++i) items.push_back(text(PX$GETTEXT(&list, i)));
    EXPECT_EQ(items, (std::vector<std::string>{"USD/JPY", "AUD/JPY", "NZD/JPY", "EUR/JPY"}));

    EXPECT_EQ(raisedNumber([&] { PX$INSERTSTRING(&list, 5, a.get()); }), 1016);
    EXPECT_EQ(raisedNumber([&] { PX$DELETESTRING(&combo, 3); }), 1017);
    EXPECT_EQ(raisedNumber([&] { PX$DELETESTRING(&list, -1); }), 1016);
    PX$INSERTSTRING(&combo, -1, a.get());
    EXPECT_EQ(text(PX$GETTEXT(&combo, 3)), "EUR/JPY") << "-1 appends";

    PX$RESETCONTENT(&list);
    EXPECT_EQ(PX$GETCOUNT(&list), 0);
    EXPECT_EQ(PX$GETCURSEL(&list), -1);
}

TEST_F(Controls, AddString_AFullListIsError4) {
    Str item("x");
    for (int i = PX$GETCOUNT(&combo); i < 32767; ++i) PX$ADDSTRING(&combo, item.get());
    EXPECT_EQ(raisedNumber([&] { PX$ADDSTRING(&combo, item.get()); }), 4);
    EXPECT_EQ(raisedNumber([&] { PX$INSERTSTRING(&combo, 0, item.get()); }), 4);
    EXPECT_EQ(PX$GETCOUNT(&combo), 32767);
}

TEST_F(Controls, FindStringExact_IgnoresCaseAndWrapsAfterStart) {
    Str usd("usd/jpy"), none("USD"), nzd("NZD/JPY");
    struct Case {
        std::int32_t start;
        const Str* what;
        std::int32_t found;
    };
    for (const Case& c : {Case{-1, &usd, 0}, Case{0, &usd, 0}, Case{2, &usd, 0}, Case{-1, &none, -1},
                          Case{2, &nzd, 2}, Case{1, &nzd, 2}}) {
        SCOPED_TRACE(c.start);
        EXPECT_EQ(PX$FINDSTRINGEXACT(&list, c.start, c.what->get()), c.found);
    }
}

// Only single-byte ASCII letters match without regard to case: two-byte characters whose
// trail bytes differ by 0x20 (0x41..0x5A against 0x61..0x7A) are different items.
TEST_F(Controls, FindStringExact_TrailBytesOfTwoByteCharactersNeverFold) {
    const struct {
        const char *item, *other;
    } pairs[] = {{"ア", "ヂ"}, {"窟", "径"}, {"雨", "泳"}, {"燾", "硤"}, {"ＭＳ ゴシック", "ＭＳ ピシック"}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.item);
        PX$RESETCONTENT(&list);
        const std::string item = platform::utf8ToCp932(p.item), other = platform::utf8ToCp932(p.other);
        for (const std::string& s : {"usd" + item, item})
            PX$ADDSTRING(&list, Str(s).get());
        EXPECT_EQ(PX$FINDSTRINGEXACT(&list, -1, Str(other).get()), -1);
        EXPECT_EQ(PX$FINDSTRINGEXACT(&list, -1, Str("USD" + other).get()), -1);
        EXPECT_EQ(PX$FINDSTRINGEXACT(&list, -1, Str(item).get()), 1);
        EXPECT_EQ(PX$FINDSTRINGEXACT(&list, -1, Str("USD" + item).get()), 0) << "the ASCII letters still fold";
    }
}

TEST_F(Controls, MultipleSelection_ItemByItem) {
    EXPECT_EQ(PX$GETSELCOUNT(&list), -1) << "a single-selection list has no count";
    PX$SETSEL(&multi, 1, -1);
    PX$SETSEL(&multi, 3, -1);
    EXPECT_EQ(PX$GETSELCOUNT(&multi), 2);
    EXPECT_EQ(PX$GETSEL(&multi, 1), -1);
    EXPECT_EQ(PX$GETSEL(&multi, 2), 0);
    PX$SETSEL(&multi, -1, 0);
    EXPECT_EQ(PX$GETSELCOUNT(&multi), 0);
    EXPECT_EQ(raisedNumber([&] { PX$SETSEL(&multi, 1, 1); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$SETSEL(&list, 0, -1); }), 1016);
    EXPECT_EQ(raisedNumber([&] { PX$GETSEL(&multi, 4); }), 1016);
    EXPECT_EQ(raisedNumber([&] { PX$GETSEL(&combo, 0); }), 1002);
}

TEST_F(Controls, TopIndex) {
    PX$SETTOPINDEX(&list, 2);
    EXPECT_EQ(PX$GETTOPINDEX(&list), 2);
    EXPECT_EQ(raisedNumber([&] { PX$SETTOPINDEX(&list, 3); }), 1016);
    EXPECT_EQ(PX$GETTOPINDEX(&list), 2);
}

// --- check boxes and scroll bars ----------------------------------------------------------

TEST_F(Controls, Check_StatesZeroToTwo) {
    struct Case {
        std::int32_t state;
        int error;
        int after;
    };
    for (const Case& c : {Case{1, 0, 1}, Case{2, 0, 2}, Case{3, 5, 2}, Case{-1, 5, 2}, Case{0, 0, 0}}) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(raisedNumber([&] { PX$SETCHECK(&check, c.state); }), c.error);
        EXPECT_EQ(PX$GETCHECK(&check), c.after);
        EXPECT_EQ(PX$GETSTATE(&check), c.after);
    }
    PX$SETSTATE(&option, 1);
    EXPECT_EQ(PX$GETCHECK(&option), 1);
}

TEST_F(Controls, ScrollBar_PositionRangeAndSteps) {
    EXPECT_EQ(PX$GETSCROLLRANGE(&scroll, 1), 100);
    EXPECT_EQ(PX$GETSCROLLSTEP(&scroll, 0), 2);
    EXPECT_EQ(PX$GETSCROLLSTEP(&scroll, 1), 20);
    PX$SETSCROLLPOS(&scroll, 150);
    EXPECT_EQ(PX$GETSCROLLPOS(&scroll), 100) << "kept within the range";
    PX$SETSCROLLRANGE(&scroll, 10, 50);
    EXPECT_EQ(PX$GETSCROLLRANGE(&scroll, 0), 10);
    EXPECT_EQ(PX$GETSCROLLPOS(&scroll), 50);
    PX$SETSCROLLSTEP(&scroll, 5, 25);
    EXPECT_EQ(PX$GETSCROLLSTEP(&scroll, 1), 25);
    EXPECT_EQ(raisedNumber([&] { PX$GETSCROLLRANGE(&scroll, 2); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$GETSCROLLSTEP(&scroll, -1); }), 5);
    // The user's arrow click moves by the step the program set.
    model.userScroll(windowOf(&scroll), 30);
    EXPECT_EQ(PX$GETSCROLLPOS(&scroll), 30);
}

// --- edits ---------------------------------------------------------------------------------

TEST_F(Controls, GetLine_FromOne_LineZeroIsError5) {
    EXPECT_EQ(raisedNumber([&] { PX$GETLINE(&memo, 0); }), 5);
    EXPECT_EQ(text(PX$GETLINE(&memo, 1)), "") << "an empty edit has one empty line";
    EXPECT_EQ(PX$GETLINECOUNT(&memo), 1);
    Str t(platform::utf8ToCp932("一行目\r\nsecond\r\n"));
    PX$SETWINDOWTEXT(&memo, t.get());
    EXPECT_EQ(PX$GETLINECOUNT(&memo), 3);
    EXPECT_EQ(text(PX$GETLINE(&memo, 2)), "second");
    EXPECT_EQ(text(PX$GETLINE(&memo, 3)), "");
    EXPECT_EQ(text(PX$GETLINE(&memo, 4)), "");
    Str one("a\r\nb");
    PX$SETWINDOWTEXT(&edit, one.get());
    EXPECT_EQ(PX$GETLINECOUNT(&edit), 1) << "a single-line edit has one line";
    PX$LINESCROLL(&memo, 0, 5);
    EXPECT_EQ(PX$GETFIRSTVISIBLELINE(&memo), 2);
    PX$LINESCROLL(&memo, 0, -9);
    EXPECT_EQ(PX$GETFIRSTVISIBLELINE(&memo), 0);
}

// The scroll position moves by the columns and lines given and stays between the first
// line and column and the last line and the end of the longest line (bytes: 一 is two).
TEST_F(Controls, LineScroll_MovesColumnsAndLinesWithinTheText) {
    Str t(platform::utf8ToCp932("short\r\n一二三四五六\r\nmid"));  // the longest line is 12 bytes
    PX$SETWINDOWTEXT(&memo, t.get());
    struct Case {
        std::int32_t columns, lines;
        int column, line;  // where it is after the call
    };
    const Case cases[] = {
        {4, 0, 4, 0},      // columns alone leave the line
        {0, 1, 4, 1},      // lines alone leave the column
        {7, 0, 11, 1},
        {5, 0, 12, 1},     // past the longest line: its end
        {-3, 5, 9, 2},     // past the last line: the last line
        {-100, -100, 0, 0},
        {0x7FFFFFFF, 0x7FFFFFFF, 12, 2},
        {-0x7FFFFFFF - 1, 0, 0, 2},
    };
    for (const Case& c : cases) {
        PX$LINESCROLL(&memo, c.columns, c.lines);
        EXPECT_EQ(w(memo).edit.firstVisibleColumn, c.column) << c.columns << ", " << c.lines;
        EXPECT_EQ(PX$GETFIRSTVISIBLELINE(&memo), c.line) << c.columns << ", " << c.lines;
    }
    // A new text is shown from its start; a single-line edit does not scroll.
    PX$SETWINDOWTEXT(&memo, t.get());
    EXPECT_EQ(w(memo).edit.firstVisibleColumn, 0);
    EXPECT_EQ(PX$GETFIRSTVISIBLELINE(&memo), 0);
    Str long_(std::string(40, 'x'));
    PX$SETWINDOWTEXT(&edit, long_.get());
    PX$LINESCROLL(&edit, 5, 0);
    EXPECT_EQ(w(edit).edit.firstVisibleColumn, 0);
    EXPECT_EQ(raisedNumber([&] { PX$LINESCROLL(&combo, 1, 0); }), 1002);
}

TEST_F(Controls, SetSelText_BoundsAndTheDropDownList) {
    Str t("ABCDEF");
    PX$SETWINDOWTEXT(&edit, t.get());
    struct Case {
        std::int32_t start, end;
        int error;
        std::int32_t selStart, selEnd;
    };
    for (const Case& c : {Case{1, 3, 0, 1, 3}, Case{0, -1, 0, 0, 6}, Case{-1, 0, 0, 6, 6}, Case{4, 2, 0, 2, 4},
                          Case{2, 99, 0, 2, 6}, Case{-2, 0, 5, 2, 6}, Case{0, -2, 5, 2, 6}}) {
        SCOPED_TRACE(testing::Message() << c.start << "," << c.end);
        EXPECT_EQ(raisedNumber([&] { PX$SETSELTEXT(&edit, c.start, c.end, 0); }), c.error);
        EXPECT_EQ(PX$GETSELTEXTSTART(&edit), c.selStart);
        EXPECT_EQ(PX$GETSELTEXTEND(&edit), c.selEnd);
    }
    EXPECT_EQ(text(PX$GETSELTEXT(&edit)), "CDEF");
    EXPECT_EQ(raisedNumber([&] { PX$SETSELTEXT(&combo, 0, -1, 0); }), 1002);
    Str two("two");
    PX$SETWINDOWTEXT(&editCombo, two.get());
    PX$SETSELTEXT(&editCombo, 1, -1, -1);
    EXPECT_EQ(text(PX$GETSELTEXT(&editCombo)), "wo");
}

TEST_F(Controls, ReplaceSel_ModifiedFlagAndUndo) {
    Str t("100"), r("25");
    PX$SETWINDOWTEXT(&edit, t.get());
    EXPECT_EQ(PX$GETMODIFY(&edit), 0);
    EXPECT_EQ(PX$CANUNDO(&edit), 0);
    PX$SETSELTEXT(&edit, 1, 2, 0);
    PX$REPLACESEL(&edit, r.get());
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "1250");
    EXPECT_EQ(PX$GETMODIFY(&edit), -1);
    EXPECT_EQ(PX$CANUNDO(&edit), -1);
    PX$UNDO(&edit);
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "100");
    PX$SETMODIFY(&edit, 0);
    EXPECT_EQ(PX$GETMODIFY(&edit), 0);
    EXPECT_EQ(raisedNumber([&] { PX$SETMODIFY(&edit, 1); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$GETMODIFY(&editCombo); }), 1002);
}

TEST_F(Controls, LimitAndReadOnly_BindTheTypist) {
    PX$SETLIMITTEXT(&edit, 4);
    model.userType(windowOf(&edit), "123456");
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "1234");
    EXPECT_EQ(raisedNumber([&] { PX$SETLIMITTEXT(&edit, -1); }), 5);
    PX$SETREADONLY(&edit, -1);
    EXPECT_EQ(model.userType(windowOf(&edit), "9"), platform::InputResult::ReadOnly);
    EXPECT_EQ(raisedNumber([&] { PX$SETREADONLY(&edit, 2); }), 5);
}

TEST_F(Controls, CutCopyClear_GoThroughTheClipboard) {
    Str t("ABCDEF");
    PX$SETWINDOWTEXT(&edit, t.get());
    PX$SETSELTEXT(&edit, 0, 2, 0);
    PX$COPY(&edit);
    EXPECT_EQ(text(PV$GETCBTEXT()), "AB");
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "ABCDEF");
    PX$SETSELTEXT(&edit, 2, 4, 0);
    PX$CUT(&edit);
    EXPECT_EQ(text(PV$GETCBTEXT()), "CD");
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "ABEF");
    PX$SETSELTEXT(&edit, 0, 1, 0);
    PX$CLEAR(&edit);
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "BEF");
    EXPECT_EQ(text(PV$GETCBTEXT()), "CD") << "clearing leaves the clipboard alone";
    EXPECT_EQ(PX$GETMODIFY(&edit), -1);

    PX$SETREADONLY(&edit, -1);
    PX$SETSELTEXT(&edit, 0, -1, 0);
    PX$CUT(&edit);
    EXPECT_EQ(text(PX$GETWINDOWTEXT(&edit)), "BEF") << "a read-only edit keeps its text";
    EXPECT_EQ(raisedNumber([&] { PX$COPY(&combo); }), 1002);
    EXPECT_EQ(raisedNumber([&] { PX$PASTE(&edit); }), 1002) << "only text windows take a paste";
    EXPECT_EQ(raisedNumber([&] { PX$COPY(&form); }), 0);
}

TEST_F(Controls, Clipboard_SetGetCheckClear) {
    PV$CLEARCB();
    EXPECT_EQ(PV$CHECKCBTEXT(), 0);
    EXPECT_EQ(PX$CANPASTE(&edit), 0);
    Str t(platform::utf8ToCp932("売り"));
    PV$SETCBTEXT(t.get());
    EXPECT_EQ(PV$CHECKCBTEXT(), -1);
    EXPECT_EQ(PX$CANPASTE(&editCombo), -1);
    EXPECT_EQ(text(PV$GETCBTEXT()), text(t.get()));
    EXPECT_EQ(backend->clipboardText(), text(t.get())) << "the backend's clipboard";
    PV$CLEARCB();
    EXPECT_EQ(text(PV$GETCBTEXT()), "");
}

// --- display state, focus, input-method modes, dropped files ----------------------------

TEST_F(Controls, ImeMode_ZeroToSeven_NoThreeOnAForm) {
    struct Case {
        ObjectVar* object;
        std::int32_t mode;
        int error;
    };
    for (const Case& c : {Case{&edit, 4, 0}, Case{&edit, 3, 0}, Case{&editCombo, 7, 0}, Case{&form, 2, 0},
                          Case{&form, 3, 5}, Case{&form, 8, 5}, Case{&edit, 8, 5}, Case{&edit, -1, 5},
                          Case{&button, 1, 1002}}) {
        SCOPED_TRACE(testing::Message() << c.mode);
        const std::int32_t before = c.error == 1002 ? 0 : PX$GETIMEMODE(c.object);
        EXPECT_EQ(raisedNumber([&] { PX$SETIMEMODE(c.object, c.mode); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(PX$GETIMEMODE(c.object), c.mode);
        } else if (c.error == 5) {
            EXPECT_EQ(PX$GETIMEMODE(c.object), before) << "a refused mode leaves the old one";
        }
    }
}

TEST_F(Controls, DropFiles_OnlyWhereAcceptedAndReadBackByIndex) {
    const platform::Handle e = windowOf(&edit);
    EXPECT_NE(model.userDropFiles(e, {"/a.jpg"}), platform::InputResult::Done);
    PX$SETDROPFILES(&edit, -1);
    EXPECT_EQ(model.userDropFiles(e, {"/charts/a.jpg", "/charts/b.bmp"}), platform::InputResult::Done);
    EXPECT_EQ(PV$GETDROPFILECOUNT(), 2);
    EXPECT_EQ(text(PV$GETDROPFILENAME(1)), "/charts/b.bmp");
    EXPECT_EQ(text(PV$GETDROPFILENAME(2)), "");
    EXPECT_EQ(raisedNumber([&] { PX$SETDROPFILES(&button, -1); }), 1002);
    EXPECT_EQ(raisedNumber([&] { PX$SETDROPFILES(&edit, 1); }), 5);
}

TEST_F(Controls, ShowStates_MaximiseMinimiseRestore) {
    const platform::Rect before = w(form).rect;
    PX$MAXIMIZEWINDOW(&form);
    EXPECT_EQ(PX$ISMAXIMIZED(&form), -1);
    EXPECT_EQ(PX$WINWN(&form, 4), 1);
    PX$MINIMIZEWINDOW(&form);
    EXPECT_EQ(PX$ISMINIMIZED(&form), -1);
    EXPECT_EQ(PX$WINWN(&form, 4), 0);
    PX$RESTOREWINDOW(&form);
    EXPECT_EQ(PX$WINWN(&form, 4), 2);
    EXPECT_EQ(w(form).rect, before);
    EXPECT_EQ(raisedNumber([&] { PX$MAXIMIZEWINDOW(&button); }), 1002);
    runtime::collectNotifications();
    EXPECT_FALSE(runtime::eventsPending()) << "no RESIZE for a program's own change";
}

TEST_F(Controls, FocusActivationAndTopmost) {
    PX$SETFOCUS(&edit);
    EXPECT_EQ(PV$GETFOCUS(), windowOf(&edit));
    ObjectVar other = create("NESTFORM");
    PX$SETFOREGROUNDWINDOW(&other);
    EXPECT_EQ(model.forms().front(), windowOf(&other));
    EXPECT_EQ(PX$WINWN(&form, 5), 0);
    PX$WINWNACTV(&other, 0);  // the next window in the order becomes active
    EXPECT_EQ(PX$WINWN(&form, 5), 1);
    EXPECT_EQ(raisedNumber([&] { PX$WINWNACTV(&form, -1); }), 5);

    EXPECT_EQ(raisedNumber([&] { PX$SETTOPMOSTWINDOW(&other, 1); }), 5);
    PX$SETTOPMOSTWINDOW(&other, -1);
    EXPECT_TRUE(w(other).exStyle & platform::style::ExTopmost);
    PX$SETFOREGROUNDWINDOW(&form);
    EXPECT_EQ(model.forms().front(), windowOf(&other)) << "a topmost form stays in front";
    PX$SETTOPMOSTWINDOW(&other, 0);
    EXPECT_FALSE(w(other).exStyle & platform::style::ExTopmost);
}

TEST_F(Controls, RefreshRedrawsFormsAndPictures_HotKeyIsKept) {
    model.takeChanges();
    PX$REFRESH(&picture);
    const auto changes = model.takeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].handle, windowOf(&picture));
    EXPECT_EQ(changes[0].what, platform::ModelChange::Changed);
    EXPECT_EQ(raisedNumber([&] { PX$REFRESH(&edit); }), 1002);
    PX$SETHOTKEY(&form, 0x0241);
    EXPECT_EQ(w(form).hotKey, 0x0241);
    EXPECT_EQ(raisedNumber([&] { PX$SETHOTKEY(&button, 1); }), 1002);
}

TEST_F(Controls, SetOrigin_BoundsZeroTo65535_AFailedCallKeepsTheOrigin) {
    PX$SETORIGIN(&form, 65535, 0);
    EXPECT_EQ(w(form).originX, 65535);
    EXPECT_EQ(w(form).originY, 0);
    PX$SETORIGIN(&form, 12, 65535);
    EXPECT_EQ(w(form).originX, 12);
    EXPECT_EQ(w(form).originY, 65535);
    struct Case {
        std::int32_t x, y;
        std::uint32_t check;
    };
    for (const Case c : {Case{-1, 0, 5}, Case{65536, 0, 5}, Case{0, -1, 6}, Case{0, 65536, 6}}) {
        const auto [number, where] = raised([&] { PX$SETORIGIN(&form, c.x, c.y); });
        EXPECT_EQ(number, 5) << c.x << "," << c.y;
        EXPECT_EQ(where, location(op::SetOrigin, c.check)) << c.x << "," << c.y;
    }
    EXPECT_EQ(w(form).originX, 12);
    EXPECT_EQ(w(form).originY, 65535);
    EXPECT_EQ(raisedNumber([&] { PX$SETORIGIN(&picture, 0, 0); }), 1002);
    EXPECT_EQ(w(picture).originX, 0);
}

TEST_F(Controls, WinMembers_ScreenPixelsAndTheirBounds) {
    PX$WINWNPOS(&form, 0, 32767);
    EXPECT_EQ(PX$WINWN(&form, 0), 0);
    EXPECT_EQ(PX$WINWN(&form, 1), 32767);
    EXPECT_EQ(raisedNumber([&] { PX$WINWNPOS(&form, -1, 0); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$WINWNPOS(&form, 0, 32768); }), 5);
    PX$WINWNSIZ(&form, 3, 333, 222);
    EXPECT_EQ(PX$WINWN(&form, 2), 333);
    EXPECT_EQ(PX$WINWN(&form, 3), 222);
    EXPECT_EQ(raisedNumber([&] { PX$WINWNSIZ(&form, 4, 1, 1); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$WINWNSIZ(&form, 3, -1, 1); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$WINWN(&form, 6); }), 5);
    Str title64(std::string(64, 't')), title65(std::string(65, 't'));
    PX$WINTITLE(&form, title64.get());
    EXPECT_EQ(raisedNumber([&] { PX$WINTITLE(&form, title65.get()); }), 5);
    EXPECT_EQ(w(form).text, std::string(64, 't'));
}

TEST_F(Controls, ByName_TheSameOperationsWithoutAVariable) {
    Str labelName("LABEL1"), checkName("CHECK1"), listName("LIST1"), none("NOSUCH"), t("新");
    PX$SETDLGITEMTEXT(&form, labelName.get(), t.get());
    EXPECT_EQ(text(PX$GETDLGITEMTEXT(&form, labelName.get())), text(t.get()));
    PX$SETDLGCHECK(&form, checkName.get(), 1);
    EXPECT_EQ(PX$GETCHECK(&check), 1);
    EXPECT_EQ(PX$GETDLGCHECK(&form, checkName.get()), 1);
    EXPECT_EQ(raisedNumber([&] { PX$SETDLGCHECK(&form, checkName.get(), 3); }), 5);
    PX$SETCURSEL(&list, 2);
    EXPECT_EQ(PX$GETDLGSELECT(&form, listName.get()), 2);
    EXPECT_EQ(raisedNumber([&] { PX$GETDLGITEMTEXT(&form, none.get()); }), 1013);
    EXPECT_EQ(raisedNumber([&] { PX$GETDLGCHECK(&button, checkName.get()); }), 1002);
}

// --- fonts and map modes ------------------------------------------------------------------

TEST_F(Controls, FontName_31BytesPass_32AreError5) {
    Str ok31(std::string(31, 'f')), bad32(std::string(32, 'f'));
    PX$SETFONTNAME(&label, ok31.get());
    EXPECT_EQ(text(PX$GETFONTNAME(&label)), std::string(31, 'f'));
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTNAME(&label, bad32.get()); }), 5);
    EXPECT_EQ(text(PX$GETFONTNAME(&label)), std::string(31, 'f'));
}

TEST_F(Controls, FontAttributes_OneAtATimeKeepTheOthers) {
    Str face("IPAGothic");
    PX$SETFONTNAME(&edit, face.get());
    PX$SETFONTSIZE(&edit, 12.4f);
    PX$SETFONTBOLD(&edit, -1);
    PX$SETFONTUNDERLINE(&edit, -1);
    EXPECT_EQ(text(PX$GETFONTNAME(&edit)), "IPAGothic");
    EXPECT_EQ(PX$GETFONTSIZE(&edit), 12);
    EXPECT_EQ(PX$GETFONTBOLD(&edit), -1);
    EXPECT_EQ(PX$GETFONTITALIC(&edit), 0);
    EXPECT_EQ(PX$GETFONTUNDERLINE(&edit), -1);
    EXPECT_EQ(PX$GETFONTSTRIKEOUT(&edit), 0);
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTITALIC(&edit, 1); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTSIZE(&edit, 0.0f); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTSIZE(&edit, 1.0e9f); }), 1005);
    EXPECT_EQ(PX$GETFONTSIZE(&edit), 12);
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTSIZE(&scroll, 10.0f); }), 1002) << "scroll bars have no font";
}

TEST_F(Controls, SetFont_TheWholeRecordAtOnce) {
    FontRecord record{};
    record.size = 16.0f;
    record.bold = 0;
    record.italic = -1;
    record.underline = 0;
    record.strikeout = -1;
    std::memset(record.face, ' ', sizeof record.face);
    std::memcpy(record.face, "IPAPGothic", 10);
    PX$SETFONT(&button, &record);
    EXPECT_EQ(w(button).font, (platform::Font{"IPAPGothic", 16, false, true, false, true}));
    record.bold = 1;
    EXPECT_EQ(raisedNumber([&] { PX$SETFONT(&button, &record); }), 1005);
    EXPECT_FALSE(w(button).font.bold);
}

TEST_F(Controls, MapModes_ControlsTakeTheirFormsScale_YGrowsDownwards) {
    PX$SETMAPMODE(&form, 2);  // 0.1 mm: 254 units are 96 pixels
    EXPECT_EQ(PX$GETMAPMODE(&form), 2);
    PX$MOVEWINDOW(&button, 254.0f, 127.0f);
    EXPECT_EQ(w(button).rect.x, 96);
    EXPECT_EQ(w(button).rect.y, 48);
    EXPECT_FLOAT_EQ(PX$GETLEFT(&button), 254.0f);
    PX$SETMAPMODE(&form, 6);  // twips: 15 per pixel
    EXPECT_FLOAT_EQ(PX$GETTOP(&button), 48.0f * 15);
    Str abcd("ABCD");
    const float twips = PX$GETTEXTWIDTH(&label, abcd.get());
    PX$SETMAPMODE(&form, 1);
    EXPECT_FLOAT_EQ(twips, PX$GETTEXTWIDTH(&label, abcd.get()) * 15);
    EXPECT_FLOAT_EQ(PX$GETTEXTWIDTH(&label, abcd.get()), static_cast<float>(backend->textExtent(w(label).font, "ABCD").w));

    EXPECT_EQ(raisedNumber([&] { PX$SETMAPMODE(&picture, 0); }), 1006);
    EXPECT_EQ(raisedNumber([&] { PX$SETMAPMODE(&form, 7); }), 5);
    EXPECT_EQ(raisedNumber([&] { PX$SETMAPMODE(&button, 1); }), 1002);
    PX$SETMAPMODE(&form, 0);
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTSIZE(&form, 10.0f); }), 1006) << "no font changes on a form in mode 0";
    EXPECT_EQ(raisedNumber([&] { PX$SETFONTSIZE(&label, 10.0f); }), 0);
}

TEST_F(Controls, EnumFontNames_SortedWithoutRegardToCaseNoDuplicates) {
    std::vector<std::string> names;
    for (std::string name;;) {
        Str after(name);
        name = text(PX$ENUMFONTNAMES(&form, after.get()));
        if (name.empty()) break;
        ASSERT_LT(names.size(), 1000u) << "the iterator must end";
        names.push_back(name);
    }
    ASSERT_FALSE(names.empty());
    EXPECT_NE(std::ranges::find(names, "IPAGothic"), names.end());
    EXPECT_NE(std::ranges::find(names, platform::utf8ToCp932("ＭＳ ゴシック")), names.end());
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(platform::compareIgnoringCase(names[i - 1], names[i]), 0) << "in order and each once";
    Str tooLong(std::string(32, 'f'));
    EXPECT_EQ(raisedNumber([&] { PX$ENUMFONTNAMES(&form, tooLong.get()); }), 5);
}

TEST_F(Controls, MouseEventsArriveInThePicturesMapMode) {
    ObjectVar demo = create("DEMOFORM");
    ObjectVar pic = attach(&demo, "PICTURE1");
    PX$SETMAPMODE(&pic, 4);  // 0.01 inch: 96 pixels are 100 units
    model.userMouse(platform::NotificationKind::MouseDown, windowOf(&pic), platform::mouse::Left, 0, 96, 48);
    PX$WAITEVENT(&demo);
    EXPECT_FLOAT_EQ(seen.mouseX, 100.0f);
    EXPECT_FLOAT_EQ(seen.mouseY, 50.0f) << "downwards is positive";
}

// --- timers -------------------------------------------------------------------------------

TEST_F(Controls, Timer_IntervalAndStateRoundTrip_ItRunsOnlyEnabledWithAnInterval) {
    ObjectVar timer = 0;
    Str name("TIMER1");
    PX$CREATETIMER(&timer, &form, name.get());
    const platform::Handle formWindow = windowOf(&form);
    EXPECT_EQ(PX$GETINTERVAL(&timer), 0);
    EXPECT_EQ(PX$ISENABLED(&timer), 0);
    PX$ENABLE(&timer, -1);
    EXPECT_EQ(PX$ISENABLED(&timer), -1);
    EXPECT_FALSE(model.nextTimerDue()) << "interval 0: not running";
    PX$SETINTERVAL(&timer, 250);
    EXPECT_EQ(PX$GETINTERVAL(&timer), 250);
    EXPECT_TRUE(model.nextTimerDue());
    PX$ENABLE(&timer, 0);
    EXPECT_EQ(PX$ISENABLED(&timer), 0);
    EXPECT_FALSE(model.nextTimerDue()) << "disabled: not running";
    EXPECT_EQ(PX$GETINTERVAL(&timer), 250) << "disabling keeps the interval";
    const auto record = runtime::getRecord(&timer);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->kind, runtime::kind::Timer);
    EXPECT_EQ(record->window, formWindow);
}

TEST_F(Controls, Timer_Errors_CommonStepsAndArguments_AFailedCallChangesNothing) {
    ObjectVar timer = 0;
    Str name("TIMER1");
    PX$CREATETIMER(&timer, &form, name.get());
    PX$SETINTERVAL(&timer, 100);
    ObjectVar empty = 0;
    ObjectVar goneTimer = 0;
    {
        ObjectVar other = create("NESTFORM");
        PX$CREATETIMER(&goneTimer, &other, name.get());
        PX$DESTROYWINDOW(&other);
    }
    struct Case {
        const char* what;
        std::function<void()> call;
        int number;
        std::uint32_t where;
    };
    const Case cases[] = {
        {"null address", [] { PX$GETINTERVAL(nullptr); }, 1003, location(op::GetInterval, 1)},
        {"empty variable", [&] { PX$ISENABLED(&empty); }, 1000, location(op::IsEnabled, 2)},
        {"a form is no timer", [&] { PX$SETINTERVAL(&form, 10); }, 1002, location(op::SetInterval, 3)},
        {"a button is no timer", [&] { PX$ENABLE(&button, -1); }, 1002, location(op::Enable, 3)},
        {"its form is gone", [&] { PX$GETINTERVAL(&goneTimer); }, 1000, location(op::GetInterval, 4)},
        {"negative interval", [&] { PX$SETINTERVAL(&timer, -1); }, 5, location(op::SetInterval, 5)},
        {"flag 1", [&] { PX$ENABLE(&timer, 1); }, 5, location(op::Enable, 5)},
        {"create: null timer", [&] { PX$CREATETIMER(nullptr, &form, name.get()); }, 1003,
         location(op::CreateTimer, 5)},
        {"create: on a button", [&] { PX$CREATETIMER(&empty, &button, name.get()); }, 1002,
         location(op::CreateTimer, 3)},
        {"create: empty name",
         [&] {
             Str none("");
             PX$CREATETIMER(&empty, &form, none.get());
         },
         5, location(op::CreateTimer, 6)},
        {"create: 22-byte name",
         [&] {
             Str longName(std::string(22, 'T'));
             PX$CREATETIMER(&empty, &form, longName.get());
         },
         5, location(op::CreateTimer, 6)},
        {"create: the variable holds a live timer", [&] { PX$CREATETIMER(&timer, &form, name.get()); }, 1001,
         location(op::CreateTimer, 7)},
    };
    for (const Case& c : cases) {
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.number) << c.what;
        EXPECT_EQ(where, c.where) << c.what;
    }
    EXPECT_EQ(PX$GETINTERVAL(&timer), 100);
    EXPECT_EQ(PX$ISENABLED(&timer), 0);
    EXPECT_EQ(empty, 0u) << "no failed create filled the variable";
}

TEST_F(Controls, Timer_ItsEventReachesItsHandlerThroughWaitEvent_AtTheDueTimeOnly) {
    ObjectVar timer = 0;
    Str name("TIMER1");
    PX$CREATETIMER(&timer, &form, name.get());
    PX$SETINTERVAL(&timer, 500);
    PX$ENABLE(&timer, -1);
    const auto due = model.nextTimerDue();
    ASSERT_TRUE(due);
    model.fireDueTimers(*due - std::chrono::milliseconds(1));
    EXPECT_FALSE(model.hasNotifications()) << "not due yet";
    model.fireDueTimers(*due);
    ASSERT_TRUE(model.hasNotifications());
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.calls, std::vector<std::string>{"TIMER1_TIMER"});
    EXPECT_EQ(*model.nextTimerDue(), *due + std::chrono::milliseconds(500)) << "it runs on";

    // A timer without an exported handler raises nothing.
    ObjectVar quiet = 0;
    Str other("TIMER2");
    PX$CREATETIMER(&quiet, &form, other.get());
    PX$ENABLE(&timer, 0);
    PX$SETINTERVAL(&quiet, 10);
    PX$ENABLE(&quiet, -1);
    model.fireDueTimers(*model.nextTimerDue());
    EXPECT_EQ(PV$CHECKEVENT(), 0);
}

// --- directory lists ----------------------------------------------------------------------

class DirLists : public Controls {
protected:
    void SetUp() override {
        Controls::SetUp();
        char pattern[] = "/tmp/dirlist_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
        for (const char* dir : {"/Sub", "/aDir"}) ASSERT_EQ(::mkdir((folder + dir).c_str(), 0700), 0);
        for (const char* file : {"/b.TXT", "/a.txt", "/c.log"}) std::ofstream(folder + file) << "x";
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        Controls::TearDown();
    }
    std::vector<std::string> items(ObjectVar& v) { return w(v).list.items; }
    std::string folder;
};

TEST_F(DirLists, FoldersDriveAndFilesOfAPathAndPattern_CaseIgnored_InNameOrder) {
    using Items = std::vector<std::string>;
    const std::string all = folder + "/";
    struct Case {
        const char* what;
        void (*fill)(ObjectVar*, const PvString*, std::int16_t);
        std::string path;
        Items expected;
    };
    const Case cases[] = {
        {"folders", PX$SETDIR, all, {"[aDir]", "[Sub]"}},
        {"folders by pattern", PX$SETDIR, all + "s*", {"[Sub]"}},
        {"files by pattern", PX$SETFILE, all + "*.txt", {"a.txt", "b.TXT"}},
        {"every file", PX$SETFILE, all, {"a.txt", "b.TXT", "c.log"}},
        {"the drive", PX$SETDRIVE, all, {"/"}},
        {"folders with the path", PX$SETDIREX, all + "*", {"[" + all + "aDir]", "[" + all + "Sub]"}},
        {"files with the path", PX$SETFILEEX, all + "?.LOG", {all + "c.log"}},
        {"the drive, EX", PX$SETDRIVEEX, all, {"/"}},
        {"a missing folder", PX$SETFILE, all + "none/*", {}},
    };
    for (const Case& c : cases) {
        PX$ADDSTRING(&list, Str("old").get());
        Str path(c.path);
        c.fill(&list, path.get(), 0);
        EXPECT_EQ(items(list), c.expected) << c.what;
    }
    Str files(all + "*.txt");
    PX$SETFILE(&combo, files.get(), 0);
    PX$SETDIR(&combo, Str(all).get(), -1);
    EXPECT_EQ(items(combo), (Items{"a.txt", "b.TXT", "[aDir]", "[Sub]"})) << "-1 keeps the items";
}

// Names CP932 cannot hold ("jürgen", an emoji) would come back with "?" for their
// characters, a wildcard to the existence tests (error 55): the lists leave them out.
TEST_F(DirLists, NamesCp932CannotHoldAreLeftOut) {
    ASSERT_EQ(::mkdir((folder + "/j\xC3\xBCrgen").c_str(), 0700), 0);
    std::ofstream(folder + "/\xF0\x9F\x98\x80.bmp") << "x";
    std::ofstream(folder + "/chart.bmp") << "x";
    const std::string all = folder + "/";
    using Items = std::vector<std::string>;
    const struct {
        void (*fill)(ObjectVar*, const PvString*, std::int16_t);
        std::string path;
        Items expected;
    } cases[] = {
        {PX$SETDIR, all, {"[aDir]", "[Sub]"}},
        {PX$SETDIR, all + "j*", {}},
        {PX$SETFILE, all, {"a.txt", "b.TXT", "c.log", "chart.bmp"}},
        {PX$SETFILE, all + "*.BMP", {"chart.bmp"}},
        {PX$SETFILE, all + "?.bmp", {}},
        {PX$SETFILEEX, all + "*.bmp", {all + "chart.bmp"}},
        {PX$SETDIREX, all + "*", {"[" + all + "aDir]", "[" + all + "Sub]"}},
    };
    for (const auto& c : cases) {
        c.fill(&list, Str(c.path).get(), 0);
        EXPECT_EQ(items(list), c.expected) << c.path;
    }
}

TEST_F(DirLists, ByControlName_AndTheErrors) {
    const std::string all = folder + "/";
    Str path(all + "*.txt");
    Str listName("LIST1"), comboName("COMBO1"), editName("EDIT1"), missing("NOSUCH");
    PX$SETDLGFILE(&form, listName.get(), path.get(), 0);
    EXPECT_EQ(items(list), (std::vector<std::string>{"a.txt", "b.TXT"}));
    PX$SETDLGDIR(&form, comboName.get(), Str(all).get(), 0);
    EXPECT_EQ(items(combo), (std::vector<std::string>{"[aDir]", "[Sub]"}));
    PX$SETDLGDRIVE(&form, comboName.get(), path.get(), -1);
    EXPECT_EQ(items(combo), (std::vector<std::string>{"[aDir]", "[Sub]", "/"}));

    Str tooLong(std::string(261, 'a'));
    struct Case {
        const char* what;
        std::function<void()> call;
        int number;
        std::uint32_t where;
    };
    const Case cases[] = {
        {"an edit", [&] { PX$SETFILE(&edit, path.get(), 0); }, 1002, location(op::SetFile, 3)},
        {"261-byte path", [&] { PX$SETDIR(&list, tooLong.get(), 0); }, 5, location(op::SetDir, 5)},
        {"keep 1", [&] { PX$SETFILEEX(&list, path.get(), 1); }, 5, location(op::SetFileEx, 6)},
        {"unknown name", [&] { PX$SETDLGFILE(&form, missing.get(), path.get(), 0); }, 1013,
         location(op::SetDlgFile, 5)},
        {"named edit", [&] { PX$SETDLGDIR(&form, editName.get(), path.get(), 0); }, 1002,
         location(op::SetDlgDir, 6)},
        {"by name, keep 1", [&] { PX$SETDLGDRIVE(&form, listName.get(), path.get(), 1); }, 5,
         location(op::SetDlgDrive, 8)},
        {"by name on a list", [&] { PX$SETDLGFILE(&list, listName.get(), path.get(), 0); }, 1002,
         location(op::SetDlgFile, 3)},
    };
    for (const Case& c : cases) {
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.number) << c.what;
        EXPECT_EQ(where, c.where) << c.what;
    }
    EXPECT_EQ(items(list), (std::vector<std::string>{"a.txt", "b.TXT"})) << "failed calls leave the list";
}

}  // namespace
}  // namespace toolkit::test
