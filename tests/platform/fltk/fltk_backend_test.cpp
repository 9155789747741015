// The FLTK backend on real windows (run under Xvfb by run_in_xvfb.sh): geometry as the
// model holds it, the IPA fixed-pitch face, CP932 on both sides of a widget, and input
// the model must refuse. User input comes from xdotool, as from a person.

// GoogleTest first: the X headers define macros (None, Bool) that its templates use as names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/cp932.hpp"
#include "platform/fltk/fltk_backend.hpp"
#include "platform/fltk/widgets.hpp"

namespace platform::test {
namespace {

std::string sj(const char* utf8) { return utf8ToCp932(utf8); }

class RealWindow : public testing::Test {
protected:
    Model model;
    Handle form = model.createForm("FORM1", "QuillTest", style::Visible | style::Caption, 0, {60, 60, 320, 240});
    Handle button = add(Kind::PushButton, "BUTTON1", {10, 10, 90, 26});
    Handle edit = add(Kind::Edit, "EDIT1", {10, 50, 150, 24});
    Handle list = add(Kind::ListBox, "LIST1", {170, 10, 120, 80});
    Handle pic = add(Kind::PictureBox, "PIC1", {10, 100, 100, 60}, style::Border);
    Handle memo = add(Kind::Edit, "MEMO", {170, 100, 140, 60}, style::EditMultiLine);
    Handle simple = add(Kind::ComboBox, "COMBO1", {10, 165, 150, 50}, style::ComboSimple);
    Handle label = add(Kind::Label, "LABEL1", {170, 165, 140, 24});
    Handle box = add(Kind::CheckBox, "CHECK1", {170, 192, 120, 22}, 3);
    std::unique_ptr<FltkBackend> backend;

    Handle add(Kind kind, const char* name, Rect r, std::uint32_t extra = 0) {
        return model.createControl(form, kind, name, style::Visible | style::TabStop | extra, 0, r);
    }

    void SetUp() override {
        backend = std::make_unique<FltkBackend>(model);
        // Shown, mapped and drawn: the form's grey is on the screen in an empty corner.
        ASSERT_TRUE(pumpUntil([&] {
            return window() && window()->shown() && pixelAt(window()->w() - 3, window()->h() - 3) == grey;
        })) << "the form never showed";
    }
    void TearDown() override {
        backend.reset();
        Fl::flush();
    }

    Fl_Window* window() const { return static_cast<Fl_Window*>(backend->widget(form)); }
    // The colour on screen at (x, y) of the form's client area, once drawing is done.
    std::vector<int> pixelAt(int x, int y) {
        Fl::flush();
        window()->make_current();
        uchar rgb[3] = {};
        fl_read_image(rgb, x, y, 1, 1);
        return {rgb[0], rgb[1], rgb[2]};
    }
    const std::vector<int> grey{192, 192, 192};
    // Pumps events until `done` holds; false when it never did within a few seconds.
    bool pumpUntil(const std::function<bool()>& done) {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline) {
            backend->pumpEvents(std::chrono::milliseconds(20));
            if (done()) return true;
        }
        return false;
    }
    void xdotool(const std::string& args) {
        const std::string command = "xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void clickAt(int x, int y) {
        xdotool("mousemove --window " + std::to_string(fl_xid(window())) + " " + std::to_string(x) + " " +
                std::to_string(y) + " click 1");
    }
    // Acts on a dialog from the background once it shows: xdotool waits for its class,
    // puts the pointer on it (without a window manager keys go where the pointer is) and
    // runs `actions`. The dialog's own loop handles the input meanwhile.
    void actOnDialog(const std::string& cls, const std::string& actions) {
        const std::string command = "(w=$(timeout 20 xdotool search --sync --onlyvisible --classname " + cls +
                                    " | head -1); xdotool mousemove --window \"$w\" 5 5; " + actions + ") &";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    int count(NotificationKind kind, Handle h) {
        int n = 0;
        for (const Notification& x : model.notifications()) n += x.kind == kind && x.window == h;
        return n;
    }
};

TEST_F(RealWindow, WidgetsSitExactlyWhereTheModelPutsThem) {
    const Rect client = model.clientRect(form);
    EXPECT_EQ((Rect{window()->x(), window()->y(), window()->w(), window()->h()}), client);
    for (Handle h : {button, edit, list, pic}) {
        const Fl_Widget* w = backend->widget(h);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ((Rect{w->x(), w->y(), w->w(), w->h()}), model.find(h)->rect) << model.find(h)->name;
    }
    model.setRect(button, {30, 20, 60, 22});
    backend->pumpEvents(std::chrono::milliseconds(0));
    const Fl_Widget* b = backend->widget(button);
    EXPECT_EQ((Rect{b->x(), b->y(), b->w(), b->h()}), (Rect{30, 20, 60, 22}));
}

// A drawing into a redraw buffer: only the part drawn is damaged (the picture, or the
// form's background and the controls over it), and it shows on the screen.
TEST_F(RealWindow, ADrawingIntoARedrawBufferRedrawsOnlyThatPart) {
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(pic)->damage() == 0 && window()->damage() == 0; }));
    model.drawInto(pic, [](PixelBuffer& b) {
        b.fillRect({5, 5, 10, 10}, 0x0000FF);  // red
        return Rect{5, 5, 10, 10};
    });
    applyChanges(model, *backend);
    EXPECT_EQ(backend->widget(pic)->damage(), FL_DAMAGE_USER1);
    EXPECT_EQ(window()->damage(), FL_DAMAGE_CHILD);
    EXPECT_EQ(backend->widget(button)->damage(), 0);
    EXPECT_EQ(backend->widget(list)->damage(), 0);
    const Fl_Widget* p = backend->widget(pic);
    const int border = (p->w() - model.clientRect(pic).w) / 2;
    EXPECT_EQ(pixelAt(p->x() + border + 7, p->y() + border + 7), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixelAt(p->x() + border + 20, p->y() + border + 7), (std::vector<int>{255, 255, 255}));

    // The form's buffer under the button: the corner of the form turns blue, the button
    // is drawn again over it.
    model.drawInto(form, [](PixelBuffer& b) {
        b.fillRect({0, 0, 60, 60}, 0xFF0000);  // blue
        return Rect{0, 0, 60, 60};
    });
    applyChanges(model, *backend);
    EXPECT_EQ(window()->damage() & ~FL_DAMAGE_USER1, 0);
    EXPECT_EQ(backend->widget(list)->damage(), 0);
    EXPECT_EQ(pixelAt(3, 3), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(pixelAt(3, 80), grey);
    EXPECT_NE(pixelAt(40, 20), (std::vector<int>{0, 0, 255})) << "the button was not drawn over the background";
}

TEST_F(RealWindow, TheFixedFaceDrawsFullWidthAsExactlyTwoHalfWidthCells) {
    // The half-width cell of each size: 7 pixels at 10 points, the cell the diary's trade
    // list and its column headings are laid out for.
    const std::pair<int, double> cells[] = {{9, 6}, {10, 7}, {12, 8}, {14, 9}};
    for (const auto& [points, half] : cells) {
        const Font font{sj("ＭＳ ゴシック"), points};
        fl_font(fltk::fontFor(font), fltk::fontSizeFor(font));
        EXPECT_EQ(fl_width("a"), half) << points << " points";
        EXPECT_EQ(fl_width("あ"), 2 * half) << points << " points";
        EXPECT_EQ(fl_width("ドル円"), 6 * half) << points << " points";
    }
}

TEST_F(RealWindow, TextIsMeasuredInTheFaceThatDrawsIt) {
    const Font fixed{sj("ＭＳ ゴシック"), 12};
    const Size half = backend->textExtent(fixed, "a");
    EXPECT_GT(half.w, 0);
    EXPECT_EQ(backend->textExtent(fixed, sj("ドル円") + "ab"), (Size{8 * half.w, half.h}));
    const Font proportional{sj("ＭＳ Ｐゴシック"), 12};
    EXPECT_LT(backend->textExtent(proportional, "iiii").w, backend->textExtent(proportional, "MMMM").w);
}

TEST_F(RealWindow, ModelTextIsShownInUtf8AndAtSignsStayText) {
    model.setText(button, sj("新規取引"));
    model.addItem(list, sj("@豪ドル円"));
    backend->pumpEvents(std::chrono::milliseconds(0));
    EXPECT_STREQ(backend->widget(button)->label(), "新規取引");
    auto* browser = static_cast<Fl_Browser*>(backend->widget(list));
    ASSERT_EQ(browser->size(), 1);
    EXPECT_STREQ(browser->text(1), "@豪ドル円");
    EXPECT_EQ(browser->format_char(), 0);
}

TEST_F(RealWindow, BytesThatAreNotCp932AreShownAsReplacementCharacters) {
    const std::string broken = "A\xFF" + sj("円") + "\x82";
    for (Handle h : {button, edit, label, memo}) model.setText(h, broken);
    model.addItem(list, broken);
    model.addItem(simple, broken);
    backend->pumpEvents(std::chrono::milliseconds(0));
    Fl::flush();
    EXPECT_STREQ(backend->widget(button)->label(), "A\uFFFD円\uFFFD");
    EXPECT_STREQ(static_cast<Fl_Input*>(backend->widget(edit))->value(), "A\uFFFD円\uFFFD");
    EXPECT_STREQ(static_cast<Fl_Browser*>(backend->widget(list))->text(1), "A\uFFFD円\uFFFD");
}

TEST_F(RealWindow, ADisabledFormSwallowsClicksThatXStillDelivers) {
    // A second form to click after the first: X delivers in order, so once its click is
    // in, the one on the disabled form has been handled.
    const Handle other = model.createForm("FORM2", "QuillTest", style::Visible, 0, {500, 60, 200, 100});
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(other) && backend->widget(other)->visible_r(); }));
    model.addItem(list, "USD/JPY");
    model.setEnabled(form, false);
    backend->pumpEvents(std::chrono::milliseconds(0));
    clickAt(50, 20);   // on BUTTON1
    clickAt(200, 16);  // on the first line of LIST1
    xdotool("mousemove --window " + std::to_string(fl_xid(static_cast<Fl_Window*>(backend->widget(other)))) +
            " 50 50 click 1");
    ASSERT_TRUE(pumpUntil([&] { return count(NotificationKind::MouseDown, other) > 0; }));
    EXPECT_EQ(count(NotificationKind::Click, button), 0);
    EXPECT_EQ(count(NotificationKind::MouseDown, form), 0);
    EXPECT_EQ(static_cast<Fl_Browser*>(backend->widget(list))->value(), 0) << "the list must not even look picked";
    EXPECT_EQ(model.find(list)->list.selected, -1);

    model.setEnabled(form, true);
    clickAt(50, 20);
    ASSERT_TRUE(pumpUntil([&] { return count(NotificationKind::Click, button) > 0; }));
    EXPECT_EQ(count(NotificationKind::Click, button), 1);
}

TEST_F(RealWindow, TypedJapaneseReachesTheModelInCp932) {
    clickAt(60, 60);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() == edit; }));
    // xdotool types a character the keyboard lacks by mapping it to a spare key for a
    // moment: the window must read each key while it is mapped, so xdotool runs in the
    // background while events are pumped, slowly. Tab comes last: when the focus has
    // left, every typed key has been handled.
    ASSERT_EQ(std::system("(xdotool type --delay 300 'ドル円'; xdotool key Tab) &"), 0);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() != edit; }));
    EXPECT_EQ(model.find(edit)->text, sj("ドル円"));
    EXPECT_TRUE(model.find(edit)->edit.modified);
}

TEST_F(RealWindow, KeysGoWhereTheProgramPutTheFocusWhenItShowedTheForm) {
    // A box used a second time, as the diary's input box for the second price: the program
    // clears its field, shows it and puts the focus in the field, so the field is brought
    // up to date before its window is shown. Without a window manager no one else focuses
    // it, and FLTK alone would not pick the field again.
    const Handle box = model.createForm("FORM2", "QuillTest", 0, 0, {420, 60, 200, 100});
    const Handle field = model.createControl(box, Kind::Edit, "EDIT2", style::Visible | style::TabStop, 0, {10, 10, 150, 24});
    model.setText(field, "110.50");
    model.setVisible(box, true);
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(box)->visible_r(); }));
    model.setVisible(box, false);
    clickAt(60, 60);  // into EDIT1 of the first form
    ASSERT_TRUE(pumpUntil([&] { return model.focus() == edit; }));
    model.setText(field, "");
    model.setVisible(box, true);
    model.setFocus(field);
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(box)->visible_r(); }));
    EXPECT_EQ(Fl::focus(), backend->widget(field));
    xdotool("mousemove --window " + std::to_string(fl_xid(static_cast<Fl_Window*>(backend->widget(box)))) + " 100 90");
    // Tab comes last: when the focus has left the field, every typed key has been handled.
    ASSERT_EQ(std::system("(xdotool type --delay 100 '111.25'; xdotool key Tab) &"), 0);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() != field; })) << "the keys went elsewhere";
    EXPECT_EQ(model.find(field)->text, "111.25");
}

// Ctrl+A in a real input: FLTK's own field and the model's rule select the same whole
// text, so what is typed next replaces it; the model sees the letter key by its capital.
TEST_F(RealWindow, CtrlAThenTypingReplacesTheWholeText) {
    model.setText(edit, sj("１０枚"));
    clickAt(20, 60);  // at the start of the text
    ASSERT_TRUE(pumpUntil([&] { return model.focus() == edit; }));
    ASSERT_EQ(std::system("(xdotool key ctrl+a; xdotool type 3; xdotool key Tab) &"), 0);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() != edit; }));
    EXPECT_EQ(model.find(edit)->text, "3");
    EXPECT_STREQ(static_cast<Fl_Input*>(backend->widget(edit))->value(), "3");
    const auto keyA = std::find_if(model.notifications().begin(), model.notifications().end(), [&](const Notification& n) {
        return n.kind == NotificationKind::KeyDown && n.window == edit && n.value == key::A;
    });
    EXPECT_NE(keyA, model.notifications().end());
}

TEST_F(RealWindow, APasteKeepsOnlyWhatFitsTheLimitInCp932Bytes) {
    model.change(edit)->edit.limit = 7;
    model.setText(edit, "1");
    backend->setClipboardText(sj("あいうえ"));
    clickAt(140, 60);  // after the text
    ASSERT_TRUE(pumpUntil([&] { return model.focus() == edit; }));
    ASSERT_EQ(std::system("(xdotool key ctrl+v; xdotool key Tab) &"), 0);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() != edit; }));
    EXPECT_EQ(model.find(edit)->text, "1" + sj("あいう"));  // 7 bytes; "え" would make 9
}

TEST_F(RealWindow, AMultiLineEditShowsLineFeedsAndHandsBackCrLf) {
    model.setText(memo, sj("一行目\r\n二"));
    model.setSelection(memo, 10, 10);  // the end, in CP932 bytes with CR LF
    backend->pumpEvents(std::chrono::milliseconds(0));
    auto* input = static_cast<Fl_Input*>(backend->widget(memo));
    EXPECT_STREQ(input->value(), "一行目\n二");
    EXPECT_EQ(input->position(), static_cast<int>(std::string("一行目\n二").size()));
    clickAt(300, 150);  // into MEMO, after the text
    ASSERT_TRUE(pumpUntil([&] { return model.focus() == memo; }));
    ASSERT_EQ(std::system("(xdotool key Return; xdotool type 'x'; xdotool key Tab) &"), 0);
    ASSERT_TRUE(pumpUntil([&] { return model.focus() != memo; }));
    EXPECT_EQ(model.find(memo)->text, sj("一行目\r\n二\r\nx"));
    EXPECT_EQ(model.find(memo)->edit.selStart, 13u);
}

TEST_F(RealWindow, AMultiLineEditWithScrollBarsScrollsTheModelByWheelAndBar) {
    // The closed-trade window's record text: display-only, both bars, more lines than fit.
    const Handle text = add(Kind::Edit, "EDIT9", {10, 10, 150, 80},
                            style::EditMultiLine | style::EditReadOnly | style::VScroll | style::HScroll);
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "line " + std::to_string(i) + "\r\n";
    model.setText(text, lines + "the last line, wider than the edit");
    backend->pumpEvents(std::chrono::milliseconds(0));
    auto* group = dynamic_cast<Fl_Group*>(backend->widget(text));
    ASSERT_NE(group, nullptr) << "the edit has no scroll bars";
    ASSERT_EQ(group->children(), 3);
    auto* vertical = dynamic_cast<Fl_Scrollbar*>(group->child(1));
    auto* horizontal = dynamic_cast<Fl_Scrollbar*>(group->child(2));
    ASSERT_TRUE(vertical && horizontal);
    EXPECT_EQ(vertical->x() + vertical->w(), 10 + 150 - 2) << "the bar stands inside the sunken edge";
    EXPECT_EQ(horizontal->y() + horizontal->h(), 10 + 80 - 2);
    // The wheel scrolls three lines a notch, up to the last line shown at the bottom.
    xdotool("mousemove --window " + std::to_string(fl_xid(window())) + " 60 40 click 5");
    ASSERT_TRUE(pumpUntil([&] { return model.find(text)->edit.firstVisibleLine == 3; }));
    xdotool("click --repeat 10 5");
    ASSERT_TRUE(pumpUntil([&] { return vertical->value() == vertical->maximum(); }));
    const int lastFirst = model.find(text)->edit.firstVisibleLine;
    EXPECT_GT(lastFirst, 3);
    EXPECT_LT(lastFirst, 20) << "the last line stays in view";
    // The program's scroll moves the bars; the horizontal bar's arrow moves the columns.
    model.scrollText(text, 0, -lastFirst);
    backend->pumpEvents(std::chrono::milliseconds(0));
    EXPECT_EQ(vertical->value(), 0);
    clickAt(horizontal->x() + horizontal->w() - 4, horizontal->y() + horizontal->h() / 2);
    ASSERT_TRUE(pumpUntil([&] { return model.find(text)->edit.firstVisibleColumn == 1; }));
    EXPECT_EQ(model.find(text)->edit.firstVisibleLine, 0);
}

// A click in the trough pages by the program's large step, an arrow moves by its small
// one, in either direction of either bar.
TEST_F(RealWindow, AScrollBarsTroughPagesByTheLargeStepAndItsArrowByTheSmallOne) {
    const Handle horizontal = add(Kind::HScrollBar, "HSCROLL1", {10, 10, 200, 16});
    const Handle vertical = add(Kind::VScrollBar, "VSCROLL1", {290, 10, 16, 200});
    struct Case {
        Handle bar;
        int largeStep;
    };
    for (const Case c : {Case{horizontal, 10}, Case{vertical, 7}}) {
        model.setScrollRange(c.bar, 0, 100);
        Window* w = model.change(c.bar);
        w->scroll.smallStep = 2;
        w->scroll.largeStep = c.largeStep;
        backend->pumpEvents(std::chrono::milliseconds(0));
        const Fl_Widget* widget = backend->widget(c.bar);
        ASSERT_NE(widget, nullptr);
        const bool across = c.bar == horizontal;
        const int along = across ? widget->w() : widget->h();
        // A point on the bar `offset` pixels from its start, in the middle of its thickness.
        const auto clickAlong = [&](int offset) {
            clickAt(across ? widget->x() + offset : widget->x() + widget->w() / 2,
                    across ? widget->y() + widget->h() / 2 : widget->y() + offset);
        };
        const auto position = [&] { return model.find(c.bar)->scroll.pos; };
        // Clicks and the position each one leaves.
        const struct {
            int offset;  // from the bar's start
            int position;
        } clicks[] = {
            {along - 16 - 6, c.largeStep},      // the trough near the far end, past the thumb
            {along - 16 - 6, 2 * c.largeStep},  // again
            {16 + 3, c.largeStep},              // the trough just after the near arrow
            {along - 4, c.largeStep + 2},       // the far arrow: the small step
        };
        int before = 0;
        for (const auto& click : clicks) {
            clickAlong(click.offset);
            ASSERT_TRUE(pumpUntil([&] { return position() != before; })) << model.find(c.bar)->name;
            EXPECT_EQ(position(), click.position) << model.find(c.bar)->name << " after a click at " << click.offset;
            before = position();
        }
    }
}

TEST_F(RealWindow, ASimpleComboKeepsItsListOpenBelowItsEdit) {
    for (const char* item : {"SHORT", "MIDDLE", "LONG"}) model.addItem(simple, item);
    backend->pumpEvents(std::chrono::milliseconds(0));
    auto* group = static_cast<Fl_Group*>(backend->widget(simple));
    ASSERT_EQ(group->children(), 2);
    const Fl_Widget* input = group->child(0);
    const Fl_Widget* list = group->child(1);
    EXPECT_EQ(input->y() + input->h(), list->y()) << "the list starts right under the edit";
    EXPECT_EQ(list->y() + list->h(), 165 + 50) << "and ends with the control";
    clickAt(60, list->y() + 6);  // the first item
    ASSERT_TRUE(pumpUntil([&] { return model.find(simple)->list.selected == 0; }));
    EXPECT_EQ(model.find(simple)->text, "SHORT");
    backend->pumpEvents(std::chrono::milliseconds(0));
    EXPECT_STREQ(static_cast<const Fl_Input*>(input)->value(), "SHORT");
}

TEST_F(RealWindow, AClosedDropDownListShowsItsItemUpToAnArrowButtonAsWideAsAScrollBar) {
    // The trade window's pair box: 96 wide at 14 points. A row of box-drawing lines inks
    // one unbroken line, so the item's ink runs on until the text is cut.
    const Handle combo = add(Kind::ComboBox, "COMBO2", {10, 200, 96, 198}, style::ComboDropDownList);
    model.change(combo)->font = Font{sj("ＭＳ Ｐゴシック"), 14};
    model.addItem(combo, sj("━━━━━━━━"));
    model.select(combo, 0);
    const std::vector<int> black{0, 0, 0}, white{255, 255, 255};
    int row = -1;  // the line's row: black in the text, white in the field left of it
    ASSERT_TRUE(pumpUntil([&] {
        for (int y = 203; y < 223 && row < 0; ++y)
            if (pixelAt(30, y) == black && pixelAt(12, y) == white) row = y;
        return row >= 0;
    })) << "the item is drawn";
    const int button = 10 + 96 - 2 - 16;  // inside the sunken edge, 16 wide
    int last = 30;
    while (last < button && pixelAt(last + 1, row) == black) ++last;
    EXPECT_EQ(last, button - 2) << "the item is cut one pixel before the arrow button";
    EXPECT_EQ(pixelAt(button + 2, 200 + 4), grey) << "the arrow button's face";
}

TEST_F(RealWindow, AnUnderlinedLabelHasALineUnderItsText) {
    model.setText(label, "ABC");  // no descenders: below the baseline is empty unless underlined
    Font font = model.find(label)->font;
    fl_font(fltk::fontFor(font), fltk::fontSizeFor(font));
    const int width = static_cast<int>(fl_width("ABC"));
    const int baseline = 165 + fl_height() - fl_descent();
    auto darkPixelsOnRow = [&](int y) {
        Fl::flush();
        window()->make_current();
        std::vector<uchar> rgb(static_cast<std::size_t>(width) * 3);
        fl_read_image(rgb.data(), 170, y, width, 1);
        int dark = 0;
        for (int i = 0; i < width; ++i) dark += rgb[static_cast<std::size_t>(i) * 3] < 100;
        return dark;
    };
    ASSERT_TRUE(pumpUntil([&] { return darkPixelsOnRow(baseline - 3) > 0; })) << "the text is drawn";
    EXPECT_EQ(darkPixelsOnRow(baseline + 1), 0);
    font.underline = true;
    model.change(label)->font = font;
    EXPECT_TRUE(pumpUntil([&] { return darkPixelsOnRow(baseline + 1) == width; }));
}

TEST_F(RealWindow, AMessageBoxAnswersTheButtonThatWasPressed) {
    struct Case {
        int buttons;
        const char* keys;
        int result;
        bool cancelled;
    };
    const Case cases[] = {
        {4, "Return", 5, false},      // Yes, the default
        {4, "Tab Return", 6, false},  // No
        {3, "Escape", 1, true},       // Yes/No/Cancel: Escape is Cancel
        {0, "Escape", 0, false},      // a lone OK: Escape is OK
    };
    for (const Case& c : cases) {
        DialogRequest request;
        request.caption = sj("確認");
        request.text = sj("本当に新規に取引を開始しますか？") + "\r\n" + sj("二行目");
        request.buttons = c.buttons;
        actOnDialog("QuillMessageBox", std::string("xdotool key ") + c.keys);
        const DialogAnswer answer = backend->runDialog(request);
        EXPECT_FALSE(answer.unanswerable) << c.keys;
        EXPECT_EQ(answer.result, c.result) << c.buttons << " " << c.keys;
        EXPECT_EQ(answer.cancelled, c.cancelled) << c.buttons << " " << c.keys;
    }
}

TEST_F(RealWindow, AnInputBoxReturnsTypedJapaneseInCp932OrACancel) {
    DialogRequest request;
    request.kind = DialogRequest::InputBox;
    request.caption = sj("価格入力");
    request.text = sj("価格を入力してください");
    actOnDialog("QuillInputBox", "xdotool type --delay 300 'ドル円'; xdotool key Return");
    DialogAnswer answer = backend->runDialog(request);
    EXPECT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.text, sj("ドル円"));

    request.initial = "105";
    actOnDialog("QuillInputBox", "xdotool key Escape");
    answer = backend->runDialog(request);
    EXPECT_TRUE(answer.cancelled);
}

TEST_F(RealWindow, AFileDialogRefusesAMissingFileEntersAFolderAndTakesANameInIt) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quill_fltk_file_dialog_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "sub");
    std::ofstream(folder / "sub" / "chart.JPG") << "x";
    DialogRequest request;
    request.kind = DialogRequest::OpenFile;
    request.caption = sj("チャートを開く");
    request.folder = folder.string();
    request.filters = {{"Charts(*.jpg)", "*.jpg"}};
    request.mode = 0;
    // The missing file is refused and the dialog stays; "sub" is a folder and is entered;
    // the file is then taken in it.
    actOnDialog("QuillFileDialog",
                "xdotool type --delay 100 missing.jpg; xdotool key Return; sleep 0.3; xdotool key ctrl+a BackSpace; "
                "xdotool type --delay 100 sub; xdotool key Return; xdotool type --delay 100 chart.JPG; "
                "xdotool key Return");
    DialogAnswer answer = backend->runDialog(request);
    EXPECT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.text, (folder / "sub" / "chart.JPG").string());

    actOnDialog("QuillFileDialog", "xdotool key Escape");
    answer = backend->runDialog(request);
    EXPECT_TRUE(answer.cancelled);
    std::filesystem::remove_all(folder);
}

// The chooser starts at the request's colour with its custom colours; "作成した色に追加"
// stores the colour in the first slot, kept through a cancel; a click on a custom colour
// chooses it.
TEST_F(RealWindow, TheColourChooserStoresAndOffersCustomColours) {
    DialogRequest request;
    request.kind = DialogRequest::ChooseColor;
    request.colour = 0x0000FF;
    request.customColours.fill(0xFFFFFF);
    request.customColours[3] = 0x00FF00;
    actOnDialog("QuillColorChooser", "xdotool key shift+Tab space Escape");  // from OK to the store button
    DialogAnswer answer = backend->runDialog(request);
    EXPECT_TRUE(answer.cancelled);
    CustomColours expected = request.customColours;
    expected[0] = 0x0000FF;
    EXPECT_EQ(answer.customColours, expected);

    // The fourth custom colour sits at 14 + 3 * 34, 214 in the chooser, 26 x 22.
    actOnDialog("QuillColorChooser", "xdotool mousemove --window \"$w\" 129 225 click 1; xdotool key Return");
    answer = backend->runDialog(request);
    EXPECT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.result, 0x00FF00);
    EXPECT_EQ(answer.customColours, request.customColours);
}

// The font dialog starts at the request's font with the face list focused. OK refuses an
// empty size and then takes the face, size and styles as the user left them.
TEST_F(RealWindow, TheFontDialogGivesTheFaceSizeAndStylesChosen) {
    DialogRequest request;
    request.kind = DialogRequest::ChooseFont;
    request.faces = {"FixedSys", "IPAGothic", "IPAPGothic"};
    request.font = Font{"IPAGothic", 10, false, false, true, false};
    actOnDialog("QuillFontDialog",
                "xdotool key Down Tab ctrl+a BackSpace Return; sleep 0.3; xdotool type 14; "
                "xdotool key Tab Tab space Return");
    DialogAnswer answer = backend->runDialog(request);
    EXPECT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.font, (Font{"IPAPGothic", 14, true, false, true, false}));

    actOnDialog("QuillFontDialog", "xdotool key Escape");
    answer = backend->runDialog(request);
    EXPECT_FALSE(answer.unanswerable);
    EXPECT_TRUE(answer.cancelled);
}

// An edit without the focus shows its text from the model's first line and column: the
// square at line 2, column 5 comes to the top left corner.
TEST_F(RealWindow, AMultiLineEditShowsTheModelsScrollPosition) {
    model.setText(memo, "first\r\n    " + sj("■") + "\r\nthird");
    const Rect r = model.find(memo)->rect;
    auto darkInFirstCell = [&] {
        Fl::flush();
        window()->make_current();
        std::vector<uchar> rgb(6 * 6 * 3);
        fl_read_image(rgb.data(), r.x + 5, r.y + 5, 6, 6);
        int dark = 0;
        for (std::size_t i = 0; i < rgb.size(); i += 3) dark += rgb[i] < 100;
        return dark;
    };
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(memo) && backend->widget(memo)->visible_r(); }));
    backend->pumpEvents(std::chrono::milliseconds(0));
    const int unscrolled = darkInFirstCell();
    model.scrollText(memo, 4, 1);
    ASSERT_TRUE(pumpUntil([&] { return darkInFirstCell() == 36; })) << "the square fills the corner";
    EXPECT_LT(unscrolled, 36) << "the corner showed the f of the first line";
    model.scrollText(memo, -4, -1);
    EXPECT_TRUE(pumpUntil([&] { return darkInFirstCell() == unscrolled; }));
}

TEST_F(RealWindow, TheFontFamiliesAreFontconfigs) {
    const std::vector<std::string> families = backend->fontFamilies();
    EXPECT_NE(std::find(families.begin(), families.end(), "IPAGothic"), families.end());
    EXPECT_NE(std::find(families.begin(), families.end(), "IPAPGothic"), families.end());
}

TEST_F(RealWindow, SpaceOnACheckBoxTicksItOnceThroughTheFormRules) {
    model.setText(box, sj("確認する"));
    model.setFocus(box);
    backend->pumpEvents(std::chrono::milliseconds(0));
    // The pointer on the form, so that keys go to it.
    xdotool("mousemove --window " + std::to_string(fl_xid(window())) + " 300 5");
    ASSERT_EQ(std::system("xdotool key space"), 0);
    ASSERT_TRUE(pumpUntil([&] { return count(NotificationKind::Click, box) > 0; }));
    backend->pumpEvents(std::chrono::milliseconds(0));
    EXPECT_EQ(model.find(box)->check, 1) << "FLTK must not tick it a second time";
    EXPECT_EQ(static_cast<Fl_Button*>(backend->widget(box))->value(), 1);
    EXPECT_EQ(model.focus(), box);
}

TEST_F(RealWindow, TheClipboardCarriesJapaneseThroughX) {
    backend->setClipboardText(sj("ドル円 105.25"));
    EXPECT_EQ(backend->clipboardText(), sj("ドル円 105.25"));
}

TEST_F(RealWindow, TheCloseBoxRemovesTheForm) {
    window()->do_callback();  // what FLTK does when the window manager's close box is pressed
    ASSERT_TRUE(pumpUntil([&] { return backend->widget(form) == nullptr; }));
    EXPECT_FALSE(model.exists(form));
    EXPECT_EQ(model.notifications().back().kind, NotificationKind::Closed);
}

TEST_F(RealWindow, APictureShowsItsRedrawBuffer) {
    model.change(pic)->redraw.fillRect({10, 10, 20, 20}, 0x0000FF);  // red, as 0x00BBGGRR
    const Rect r = model.find(pic)->rect;
    const std::vector<int> red{255, 0, 0}, white{255, 255, 255};
    EXPECT_TRUE(pumpUntil([&] { return pixelAt(r.x + 15, r.y + 15) == red; }));
    EXPECT_EQ(pixelAt(r.x + 50, r.y + 40), white);
    EXPECT_EQ(pixelAt(r.x, r.y), (std::vector<int>{0, 0, 0})) << "the border";
}

}  // namespace
}  // namespace platform::test
