// The keyboard rules of the forms: Tab order, Enter and Space on buttons, Ctrl+Tab and
// Ctrl+A in an edit, and keys on disabled windows.

#include "form_fixture.hpp"

namespace platform::test {
namespace {

class TabOrder : public FormFixture {
protected:
    // Window order: A, B (hidden), C (disabled), D (no tab stop), E, F.
    Handle a = add(Kind::PushButton, "A");
    Handle b = add(Kind::Edit, "B", style::TabStop);
    Handle c = add(Kind::CheckBox, "C", Tabbed | style::Disabled);
    Handle d = add(Kind::Label, "D", Shown);
    Handle e = add(Kind::ListBox, "E");
    Handle f = add(Kind::ComboBox, "F");
};

TEST_F(TabOrder, TabSkipsHiddenDisabledAndNonTabStopControlsAndStopsAtTheForm) {
    struct Case {
        const char* from;
        int modifiers;
        const char* to;
    };
    const Case cases[] = {
        {"A", 0, "E"},      {"E", 0, "F"},      {"F", 0, "FORM1"}, {"FORM1", 0, "A"},
        {"A", modifier::Shift, "FORM1"}, {"FORM1", modifier::Shift, "F"}, {"E", modifier::Shift, "A"},
        // A focus on a control outside the tab order still moves on from its place.
        {"D", 0, "E"},      {"D", modifier::Shift, "A"},
    };
    for (const Case& k : cases) {
        model.setFocus(model.lookup(k.from).front());
        drain();
        EXPECT_TRUE(model.keyDown(key::Tab, k.modifiers)) << k.from;
        EXPECT_TRUE(model.keyUp(key::Tab, k.modifiers)) << k.from;
        EXPECT_EQ(nameOf(model.focus()), k.to) << "from " << k.from << " modifiers " << k.modifiers;
        EXPECT_EQ(drain(), (Words{std::string("focusout:") + k.from, std::string("focusin:") + k.to}));
    }
}

TEST_F(TabOrder, AHeldTabMovesOnlyOnceUntilReleased) {
    model.setFocus(a);
    model.keyDown(key::Tab, 0);
    model.keyDown(key::Tab, 0);  // auto-repeat
    model.keyUp(key::Tab, 0);
    EXPECT_EQ(model.focus(), e);
}

TEST_F(TabOrder, ShownAndEnabledControlsJoinTheOrder) {
    model.setVisible(b, true);
    model.setEnabled(c, true);
    model.setFocus(a);
    model.keyDown(key::Tab, 0);
    EXPECT_EQ(model.focus(), b);
    model.keyUp(key::Tab, 0);
    model.keyDown(key::Tab, 0);
    EXPECT_EQ(model.focus(), c);
}

TEST_F(FormFixture, TabPassesOnWhenNothingElseTakesTheFocus) {
    add(Kind::Label, "L", Shown);
    model.setFocus(form);
    EXPECT_FALSE(model.keyDown(key::Tab, 0));
    EXPECT_EQ(model.focus(), form);
}

TEST_F(FormFixture, AltTabIsNotTheFormsBusiness) {
    const Handle a = add(Kind::PushButton, "A");
    add(Kind::PushButton, "B");
    model.setFocus(a);
    EXPECT_FALSE(model.keyDown(key::Tab, modifier::Alt));
    EXPECT_EQ(model.focus(), a);
}

TEST_F(FormFixture, EnterAndSpacePressAButtonOnKeyDownAndClickItOnKeyUp) {
    const Handle button = add(Kind::PushButton, "OK");
    for (int k : {key::Enter, key::Space}) {
        model.setFocus(button);
        drain();
        EXPECT_TRUE(model.keyDown(k, 0));
        EXPECT_TRUE(model.find(button)->pressed);
        EXPECT_TRUE(model.keyDown(k, 0));  // auto-repeat: still one press
        EXPECT_TRUE(drain().empty()) << "no click before the key comes up";
        EXPECT_TRUE(model.keyUp(k, 0));
        EXPECT_FALSE(model.find(button)->pressed);
        EXPECT_EQ(drain(), Words{"click:OK"});
    }
}

TEST_F(FormFixture, SpaceTicksAFocusedCheckBox) {
    const Handle box = add(Kind::CheckBox, "CHECK1", Tabbed | 3);
    model.setFocus(box);
    model.keyDown(key::Space, 0);
    EXPECT_EQ(model.find(box)->check, 0);
    model.keyUp(key::Space, 0);
    EXPECT_EQ(model.find(box)->check, 1);
}

TEST_F(FormFixture, KeyUpOnAnotherButtonThanThePressedOneClicksNothing) {
    const Handle one = add(Kind::PushButton, "ONE");
    const Handle two = add(Kind::PushButton, "TWO");
    model.setFocus(one);
    model.keyDown(key::Enter, 0);
    model.setFocus(two);
    drain();
    EXPECT_TRUE(model.keyUp(key::Enter, 0));
    EXPECT_TRUE(drain().empty());
    EXPECT_FALSE(model.find(one)->pressed);
}

TEST_F(FormFixture, EnterOnAnEditPassesOnToTheEdit) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    model.setFocus(edit);
    drain();
    EXPECT_FALSE(model.keyDown(key::Enter, 0));
    EXPECT_EQ(drain(), Words{"keydown:EDIT1"});
}

TEST_F(FormFixture, CtrlTabInAnEditTypesATab) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    add(Kind::PushButton, "NEXT");
    model.setFocus(edit);
    EXPECT_TRUE(model.keyDown(key::Tab, modifier::Ctrl));
    EXPECT_TRUE(model.keyUp(key::Tab, modifier::Ctrl));
    EXPECT_EQ(model.focus(), edit);
    EXPECT_EQ(model.find(edit)->text, "\t");
}

TEST_F(FormFixture, KeysOnADisabledControlOrFormAreSwallowed) {
    const Handle button = add(Kind::PushButton, "OK");
    add(Kind::PushButton, "OTHER");
    struct Case {
        const char* what;
        Handle disabled;
    };
    for (const Case& k : {Case{"control", button}, Case{"form", form}}) {
        model.setEnabled(button, true);
        model.setEnabled(form, true);
        model.setFocus(button);
        model.setEnabled(k.disabled, false);
        drain();
        for (int key : {key::Tab, key::Enter, key::Space}) {
            EXPECT_TRUE(model.keyDown(key, 0)) << k.what;
            EXPECT_TRUE(model.keyUp(key, 0)) << k.what;
        }
        EXPECT_EQ(model.focus(), button) << k.what;
        EXPECT_FALSE(model.find(button)->pressed) << k.what;
        EXPECT_TRUE(drain().empty()) << k.what;
    }
}

// Ctrl+A selects the whole text (CR LF and two-byte characters counted in bytes) so that
// typing replaces it; Ctrl+Alt+A, Shift+A and a plain A leave the caret where it was.
TEST_F(FormFixture, CtrlASelectsTheWholeTextOfTheFocusedEdit) {
    const Handle memo = add(Kind::Edit, "MEMO", Tabbed | style::EditMultiLine);
    model.change(memo)->edit.multiLine = true;
    struct Case {
        int modifiers;
        bool selects;
    };
    for (const Case& k : {Case{modifier::Ctrl, true}, Case{modifier::Ctrl | modifier::Shift, true},
                          Case{modifier::Ctrl | modifier::Alt, false}, Case{modifier::Shift, false}, Case{0, false}}) {
        model.setText(memo, sj("一行目\r\n10"));
        model.setSelection(memo, 3, 3);
        model.setFocus(memo);
        drain();
        EXPECT_FALSE(model.keyDown(key::A, k.modifiers)) << k.modifiers;
        EXPECT_FALSE(model.keyUp(key::A, k.modifiers)) << k.modifiers;
        EXPECT_EQ(drain(), (Words{"keydown:MEMO", "keyup:MEMO"})) << "the key still reaches the edit";
        const EditState& e = model.find(memo)->edit;
        EXPECT_EQ(e.selStart, k.selects ? 0u : 3u) << k.modifiers;
        EXPECT_EQ(e.selEnd, k.selects ? 10u : 3u) << k.modifiers;
    }
    model.keyDown(key::A, modifier::Ctrl);
    model.keyUp(key::A, modifier::Ctrl);
    ASSERT_EQ(model.userType(memo, "3"), InputResult::Done);
    EXPECT_EQ(model.find(memo)->text, "3");
}

TEST_F(FormFixture, CtrlAOnADisabledEditOrAButtonSelectsNothing) {
    const Handle edit = add(Kind::Edit, "EDIT1");
    const Handle button = add(Kind::PushButton, "OK");
    model.setText(edit, "110.50");
    model.setText(button, "OK");
    model.setFocus(edit);
    model.setEnabled(edit, false);
    model.keyDown(key::A, modifier::Ctrl);
    EXPECT_EQ(model.find(edit)->edit.selEnd, 0u);
    model.setEnabled(edit, true);
    model.setFocus(button);
    model.keyDown(key::A, modifier::Ctrl);
    EXPECT_EQ(model.find(button)->edit.selEnd, 0u);
    EXPECT_EQ(model.find(edit)->edit.selEnd, 0u);
}

}  // namespace
}  // namespace platform::test
