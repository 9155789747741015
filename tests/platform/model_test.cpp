// The model's state rules: what the program changes quietly, what the user can and cannot
// do, lists, edits, buttons, closing, geometry and timers.

#include <functional>

#include "form_fixture.hpp"

namespace platform::test {
namespace {

TEST_F(FormFixture, ProgrammaticChangesRaiseNoNotifications) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    const Handle list = add(Kind::ListBox, "LIST1");
    const Handle combo = add(Kind::ComboBox, "COMBO1", Tabbed | style::ComboDropDownList);
    const Handle box = add(Kind::CheckBox, "CHECK1");
    const Handle bar = add(Kind::VScrollBar, "VS1");
    const Handle other = model.createForm("FORM2", "TestForm", style::Visible, 0, {0, 0, 100, 100});
    drain();
    const std::function<void()> changes[] = {
        [&] { model.setText(edit, "abc"); },
        [&] { model.setSelection(edit, 0, 2); },
        [&] { model.replaceSelection(edit, "x"); },
        [&] { model.undo(edit); },
        [&] { model.addItem(list, "one"); },
        [&] { model.select(list, 0); },
        [&] { model.addItem(combo, "SHORT"); },
        [&] { model.select(combo, 0); },
        [&] { model.setCheck(box, 1); },
        [&] { model.setScrollPos(bar, 50); },
        [&] { model.setFocus(edit); },
        [&] { model.setFocus(other); },
        [&] { model.setVisible(box, false); },
        [&] { model.setEnabled(list, false); },
        [&] { model.setRect(form, {0, 0, 500, 400}); },
        [&] { model.setShowState(form, ShowState::Maximized); },
        [&] { model.destroy(other); },
    };
    for (const auto& change : changes) change();
    EXPECT_TRUE(drain().empty());
    EXPECT_EQ(model.find(combo)->text, "SHORT");
    EXPECT_EQ(model.find(bar)->scroll.pos, 50);
}

// A target that is gone, hidden or disabled (itself or through its form) takes nothing.
TEST_F(FormFixture, BitmapsAndRedrawBuffers_DrawingReportsOnlyTheWindowsPartDrawn) {
    const Handle pic = add(Kind::PictureBox, "PIC1");
    const Handle bitmap = model.createBitmap(30, 20, 0x00FF00);
    EXPECT_NE(bitmap, 0u);
    EXPECT_FALSE(model.exists(bitmap));  // no window
    ASSERT_TRUE(model.pixels(bitmap));
    EXPECT_EQ(model.pixels(bitmap)->width(), 30);
    EXPECT_EQ(model.pixels(bitmap)->pixel(29, 19), 0x00FF00u);
    EXPECT_EQ(model.pixels(model.createControl(form, Kind::PushButton, "B", 0, 0, {0, 0, 9, 9})), nullptr);
    model.takeChanges();

    // Into a bitmap: no change for a backend. Into a window: the part drawn, one area for
    // drawings between two updates.
    model.drawInto(bitmap, [](PixelBuffer& b) {
        b.setPixel(0, 0, 0xFF);
        return Rect{0, 0, 1, 1};
    });
    EXPECT_EQ(model.pixels(bitmap)->pixel(0, 0), 0xFFu);
    EXPECT_TRUE(model.takeChanges().empty());
    model.drawInto(pic, [](PixelBuffer&) { return Rect{2, 3, 4, 5}; });
    model.drawInto(pic, [](PixelBuffer&) { return Rect{10, 1, 2, 2}; });
    model.drawInto(pic, [](PixelBuffer&) { return Rect{}; });
    auto changes = model.takeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].what, ModelChange::Pixels);
    EXPECT_EQ(changes[0].handle, pic);
    EXPECT_EQ(changes[0].area, (Rect{2, 1, 10, 7}));
    // A window that changed otherwise is shown whole: no separate area.
    model.setText(pic, "x");
    model.drawInto(pic, [](PixelBuffer&) { return Rect{0, 0, 1, 1}; });
    changes = model.takeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].what, ModelChange::Changed);

    model.destroyBitmap(bitmap);
    EXPECT_EQ(model.pixels(bitmap), nullptr);
    EXPECT_NE(model.createBitmap(1, 1, 0), bitmap);  // a handle is never issued again
}

TEST_F(FormFixture, HiddenAndDisabledTargetsTakeNoUserInput) {
    const Handle button = add(Kind::PushButton, "B");
    const Handle edit = add(Kind::Edit, "E");
    const Handle list = add(Kind::ListBox, "L");
    const Handle bar = add(Kind::HScrollBar, "S");
    model.addItem(list, "one");
    struct Setup {
        const char* what;
        std::function<void()> apply;
        InputResult expected;
    };
    const Setup setups[] = {
        {"control hidden", [&] { for (Handle h : {button, edit, list, bar}) model.setVisible(h, false); },
         InputResult::Hidden},
        {"control disabled", [&] { for (Handle h : {button, edit, list, bar}) model.setEnabled(h, false); },
         InputResult::Disabled},
        {"form hidden", [&] { model.setVisible(form, false); }, InputResult::Hidden},
        {"form disabled", [&] { model.setEnabled(form, false); }, InputResult::Disabled},
    };
    for (const Setup& s : setups) {
        for (Handle h : {form, button, edit, list, bar}) {
            model.setVisible(h, true);
            model.setEnabled(h, true);
        }
        s.apply();
        drain();
        EXPECT_EQ(model.userClick(button), s.expected) << s.what;
        EXPECT_EQ(model.userType(edit, "x"), s.expected) << s.what;
        EXPECT_EQ(model.userPick(list, 0), s.expected) << s.what;
        EXPECT_EQ(model.userScroll(bar, 5), s.expected) << s.what;
        EXPECT_EQ(model.userMouse(NotificationKind::MouseDown, button, 1, 0, 1, 1), s.expected) << s.what;
        EXPECT_TRUE(drain().empty()) << s.what;
        EXPECT_EQ(model.find(edit)->text, "") << s.what;
        EXPECT_EQ(model.find(list)->list.selected, -1) << s.what;
        EXPECT_EQ(model.find(bar)->scroll.pos, 0) << s.what;
    }
    EXPECT_EQ(model.userClick(0x7FFFFFFF), InputResult::NoWindow);
}

TEST_F(FormFixture, ListSelectionFollowsInsertAndDelete) {
    const Handle list = add(Kind::ListBox, "LIST1");
    for (const char* s : {"a", "b", "c"}) model.addItem(list, s);
    ASSERT_TRUE(model.select(list, 1));
    EXPECT_TRUE(model.insertItem(list, 0, "z"));   // before the selection: it moves down
    EXPECT_EQ(model.find(list)->list.selected, 2);
    EXPECT_TRUE(model.deleteItem(list, 0));        // and back up
    EXPECT_EQ(model.find(list)->list.selected, 1);
    EXPECT_TRUE(model.deleteItem(list, 1));        // the selected item itself: no selection
    EXPECT_EQ(model.find(list)->list.selected, -1);
    EXPECT_EQ(model.find(list)->list.items, (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(model.select(list, 2));
    EXPECT_FALSE(model.deleteItem(list, 2));
    EXPECT_FALSE(model.insertItem(list, 3, "x"));
    EXPECT_TRUE(model.select(list, -1));
}

TEST_F(FormFixture, ADropDownListComboShowsItsSelectedItem) {
    const Handle combo = add(Kind::ComboBox, "COMBO1", Tabbed | style::ComboDropDownList);
    for (const char* s : {"SHORT", "MIDDLE", "LONG"}) model.addItem(combo, s);
    model.setText(combo, "ignored");  // the text of a drop-down list is its selection
    EXPECT_EQ(model.find(combo)->text, "");
    model.select(combo, 2);
    EXPECT_EQ(model.find(combo)->text, "LONG");
    EXPECT_EQ(model.userPick(combo, 1), InputResult::Done);
    EXPECT_EQ(model.find(combo)->text, "MIDDLE");
    model.deleteItem(combo, 1);
    EXPECT_EQ(model.find(combo)->text, "");
    drain();
    model.select(combo, 0);
    model.clearItems(combo);
    EXPECT_EQ(model.find(combo)->list.selected, -1);
    EXPECT_EQ(model.find(combo)->text, "");
}

TEST_F(FormFixture, PickingRaisesChangeOnlyWhenTheSelectionChanges) {
    const Handle list = add(Kind::ListBox, "LIST1");
    for (const char* s : {"a", "b"}) model.addItem(list, s);
    model.setFocus(list);
    drain();
    model.userPick(list, 1);
    EXPECT_EQ(drain(), (Words{"change:LIST1", "click:LIST1"}));
    model.userPick(list, 1);
    EXPECT_EQ(drain(), Words{"click:LIST1"});
    EXPECT_EQ(model.userPick(list, 2), InputResult::OutOfRange);
}

TEST_F(FormFixture, AMultipleSelectionListTogglesItemsAndRefusesASingleSelection) {
    const Handle list = add(Kind::ListBox, "LIST1", Tabbed | style::ListMultipleSel);
    for (const char* s : {"a", "b", "c"}) model.addItem(list, s);
    model.userPick(list, 0);
    model.userPick(list, 2);
    model.userPick(list, 0);
    EXPECT_EQ(model.find(list)->list.marked, (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(model.select(list, 1));
    EXPECT_TRUE(model.setMarked(list, -1, true));
    EXPECT_EQ(model.find(list)->list.marked, (std::vector<bool>{true, true, true}));
}

TEST_F(FormFixture, TypingKeepsTheLimitWithoutSplittingADoubleByteCharacter) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    model.change(edit)->edit.limit = 5;
    model.userType(edit, sj("あいう"));  // 6 bytes; only two characters fit
    EXPECT_EQ(model.find(edit)->text, sj("あい"));
    EXPECT_TRUE(model.find(edit)->edit.modified);
    drain();
    model.userType(edit, sj("え"));  // full: nothing changes, nothing is raised
    EXPECT_EQ(model.find(edit)->text, sj("あい"));
    EXPECT_TRUE(drain().empty());
    model.userType(edit, "x");
    EXPECT_EQ(model.find(edit)->text, sj("あい") + "x");
}

TEST_F(FormFixture, TypingReplacesTheSelectionAndUndoSwapsBack) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    model.setText(edit, "hello world");
    EXPECT_FALSE(model.find(edit)->edit.modified) << "a program's text is not a user's change";
    model.setSelection(edit, 6, 11);
    EXPECT_EQ(model.selectedText(edit), "world");
    model.userType(edit, "there");
    EXPECT_EQ(model.find(edit)->text, "hello there");
    EXPECT_EQ(model.find(edit)->edit.selStart, 11u);
    EXPECT_TRUE(model.undo(edit));
    EXPECT_EQ(model.find(edit)->text, "hello world");
    EXPECT_TRUE(model.undo(edit));
    EXPECT_EQ(model.find(edit)->text, "hello there");
    model.setText(edit, "new");
    EXPECT_FALSE(model.undo(edit)) << "a new text leaves nothing to undo";
}

TEST_F(FormFixture, WhatAnEditTakesDependsOnItsStyle) {
    struct Case {
        std::uint32_t style;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {0, "a\nb", "ab"},
        {style::EditMultiLine, "a\nb", "a\r\nb"},
        {style::EditNumber, "1a2-3", "123"},
    };
    int i = 0;
    for (const Case& c : cases) {
        const Handle edit = add(Kind::Edit, "E" + std::to_string(i++), Tabbed | c.style);
        model.userType(edit, c.typed);
        EXPECT_EQ(model.find(edit)->text, c.kept) << c.typed;
    }
    const Handle ro = add(Kind::Edit, "RO", Tabbed | style::EditReadOnly);
    EXPECT_EQ(model.userType(ro, "x"), InputResult::ReadOnly);
    EXPECT_EQ(model.find(ro)->text, "");
}

TEST_F(FormFixture, CheckBoxesAndOptionButtonsFollowClicks) {
    const Handle two = add(Kind::CheckBox, "TWO", Tabbed | 3);
    const Handle three = add(Kind::CheckBox, "THREE", Tabbed | 6);
    std::vector<int> seen2, seen3;
    for (int i = 0; i < 3; ++i) {
        model.userClick(two);
        model.userClick(three);
        seen2.push_back(model.find(two)->check);
        seen3.push_back(model.find(three)->check);
    }
    EXPECT_EQ(seen2, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(seen3, (std::vector<int>{1, 2, 0}));

    // Two groups of option buttons: choosing one clears only its own group.
    const Handle a1 = add(Kind::OptionButton, "A1", Tabbed | style::Group);
    const Handle a2 = add(Kind::OptionButton, "A2");
    const Handle b1 = add(Kind::OptionButton, "B1", Tabbed | style::Group);
    const Handle b2 = add(Kind::OptionButton, "B2");
    model.userClick(a1);
    model.userClick(b2);
    model.userClick(a2);
    EXPECT_EQ((std::vector<int>{model.find(a1)->check, model.find(a2)->check, model.find(b1)->check,
                                model.find(b2)->check}),
              (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(FormFixture, ClosingByTheUserRemovesTheFormItsControlsAndTheFormsItOwns) {
    const Handle button = add(Kind::PushButton, "B");
    const Handle dialog = model.createForm("DLG", "TestForm", style::Visible, 0, {0, 0, 50, 50}, form);
    const Handle other = model.createForm("OTHER", "TestForm", style::Visible, 0, {0, 0, 50, 50});
    model.setFocus(button);
    drain();
    EXPECT_EQ(model.userClose(form), InputResult::Done);
    EXPECT_FALSE(model.exists(form));
    EXPECT_FALSE(model.exists(button));
    EXPECT_FALSE(model.exists(dialog));
    EXPECT_TRUE(model.exists(other));
    EXPECT_EQ(model.focus(), other);
    EXPECT_EQ(drain(), (Words{"closerequest:FORM1", "closed:FORM1"}));
    const Handle again = model.createForm("FORM1", "TestForm", style::Visible, 0, {0, 0, 50, 50});
    EXPECT_NE(again, form) << "a closed window's handle is never issued again";
    EXPECT_NE(again, 0u);
}

TEST_F(FormFixture, OnlyAWindowThatAcceptsFilesTakesADrop) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    EXPECT_EQ(model.userDropFiles(edit, {"a.bmp"}), InputResult::WrongKind);
    EXPECT_TRUE(drain().empty());
    model.change(edit)->acceptsDrops = true;
    EXPECT_EQ(model.userDropFiles(edit, {"a.bmp", sj("チャート.jpg")}), InputResult::Done);
    EXPECT_EQ(drain(), Words{"dropfiles:EDIT1"});
    EXPECT_EQ(model.droppedFiles(), (std::vector<std::string>{"a.bmp", sj("チャート.jpg")}));
}

TEST_F(FormFixture, AClickOnTheFormLeavesTheFocusOnItsControl) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    model.setFocus(edit);
    drain();
    model.userClick(form);
    EXPECT_EQ(model.focus(), edit);
    EXPECT_EQ(drain(), Words{"click:FORM1"});
    const Handle other = model.createForm("FORM2", "TestForm", style::Visible, 0, {0, 0, 50, 50});
    model.userClick(other);  // another form's click activates it
    EXPECT_EQ(model.focus(), other);
}

TEST_F(FormFixture, AProgramCanRefuseToClose) {
    model.closeHook = [&](Handle h) { return h != form; };
    model.userClose(form);
    EXPECT_TRUE(model.exists(form));
    EXPECT_EQ(drain(), Words{"closerequest:FORM1"});
}

TEST_F(FormFixture, APictureKeepsTheTopLeftOfItsDrawingWhenResized) {
    const Handle pic = add(Kind::PictureBox, "PIC1", Shown | style::Border, {0, 0, 22, 12});
    ASSERT_EQ(model.find(pic)->redraw.width(), 20);  // inside a one-pixel border
    ASSERT_EQ(model.find(pic)->redraw.height(), 10);
    model.change(pic)->redraw.setPixel(3, 4, 0x0000FF);
    model.change(pic)->redraw.setPixel(19, 9, 0x00FF00);
    model.setRect(pic, {0, 0, 12, 42});
    const PixelBuffer& buf = model.find(pic)->redraw;
    EXPECT_EQ(buf.width(), 10);
    EXPECT_EQ(buf.height(), 40);
    EXPECT_EQ(buf.pixel(3, 4), 0x0000FFu);
    EXPECT_EQ(buf.pixel(9, 39), 0xFFFFFFu) << "new area takes the background colour";
}

TEST_F(FormFixture, ClientAreaIsTheOuterRectangleLessFrameAndCaption) {
    // Sizing frame 4 on each side, caption 19.
    EXPECT_EQ(model.clientRect(form), (Rect{104, 123, 392, 273}));
    model.setClientSize(form, 200, 100);
    EXPECT_EQ(model.find(form)->rect, (Rect{100, 100, 208, 127}));
    EXPECT_EQ(model.clientRect(form).w, 200);
    const Handle dlg = model.createForm("D", "TestForm", style::Caption, style::ExDlgModalFrame, {0, 0, 100, 100});
    EXPECT_EQ(model.clientRect(dlg), (Rect{3, 22, 94, 75}));
}

TEST_F(FormFixture, MaximiseCoversTheScreenAndRestoreGoesBack) {
    model.setShowState(form, ShowState::Maximized);
    EXPECT_EQ(model.find(form)->rect, (Rect{-4, -4, 1032, 776}));
    model.setShowState(form, ShowState::Normal);
    EXPECT_EQ(model.find(form)->rect, (Rect{100, 100, 400, 300}));
}

TEST_F(FormFixture, AddressesNameAFormsControlOrAUniqueName) {
    const Handle b1 = add(Kind::PushButton, "BUTTON1");
    const Handle f2 = model.createForm("FORM2", "TestForm", style::Visible, 0, {0, 0, 10, 10});
    const Handle b2 = model.createControl(f2, Kind::PushButton, "BUTTON1", Tabbed, 0, {0, 0, 5, 5});
    const Handle edit = add(Kind::Edit, "EDIT1");
    EXPECT_EQ(model.lookup("FORM1.BUTTON1"), std::vector<Handle>{b1});
    EXPECT_EQ(model.lookup("FORM2.BUTTON1"), std::vector<Handle>{b2});
    EXPECT_EQ(model.lookup("BUTTON1").size(), 2u);
    EXPECT_EQ(model.lookup("EDIT1"), std::vector<Handle>{edit});
    EXPECT_EQ(model.lookup("FORM2"), std::vector<Handle>{f2});
    EXPECT_TRUE(model.lookup("FORM2.EDIT1").empty());
    EXPECT_EQ(model.address(b2), "FORM2.BUTTON1");
}

TEST_F(FormFixture, TopmostFormsStayInFront) {
    const Handle tool = model.createForm("TOOL", "TestForm", style::Visible, style::ExTopmost, {0, 0, 10, 10});
    const Handle f3 = model.createForm("FORM3", "TestForm", style::Visible, 0, {0, 0, 10, 10});
    EXPECT_EQ(model.forms(), (std::vector<Handle>{tool, f3, form}));
    model.bringToFront(form);
    EXPECT_EQ(model.forms(), (std::vector<Handle>{tool, form, f3}));
    model.setTopmost(tool, false);
    model.bringToFront(form);
    EXPECT_EQ(model.forms().front(), form);
}

TEST_F(FormFixture, ATimerFiresOncePerDueTimeAndStopsWithItsWindow) {
    using namespace std::chrono_literals;
    const Clock::time_point t0{};
    model.setTimer(form, 7, 100ms, t0);
    model.fireDueTimers(t0 + 99ms);
    EXPECT_TRUE(drain().empty());
    model.fireDueTimers(t0 + 350ms);  // several intervals late: one timer notification
    ASSERT_EQ(model.notifications().size(), 1u);
    EXPECT_EQ(model.notifications().front().value, 7);
    drain();
    EXPECT_EQ(model.nextTimerDue(), t0 + 450ms);
    model.destroy(form);
    EXPECT_FALSE(model.nextTimerDue().has_value());
}

TEST_F(FormFixture, TheBackendIsToldWhatChangedOnce) {
    const Handle button = add(Kind::PushButton, "B");
    model.takeChanges();
    model.setText(button, "x");
    model.setEnabled(button, false);
    model.destroy(button);
    const auto changes = model.takeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].what, ModelChange::Changed);
    EXPECT_EQ(changes[1].what, ModelChange::Destroyed);
    EXPECT_EQ(changes[1].parent, form);
}

}  // namespace
}  // namespace platform::test
