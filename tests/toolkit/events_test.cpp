// Events of the forms' objects: user actions in the model become handler calls through
// the toolkit's waits, in order, with their arguments; unexported handlers are dropped.

#include <functional>
#include <string>
#include <vector>

#include "runtime/error.hpp"
#include "tests/runtime/error_number.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

using Events = ToolkitTest;

TEST_F(Events, WaitEvent_ReturnsAfterOnePressOnceItsHandlerRan) {
    ObjectVar form = create("DEMOFORM");
    model.userClick(item(&form, "BUTTON1"));
    EXPECT_EQ(seen.button1, 0) << "nothing runs before the program waits";
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.button1, 1);
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, WaitEvent_ReturnsWhenTheFormIsClosedWithoutAnyHandler) {
    ObjectVar form = create("NESTFORM");
    const std::uint32_t window = PX$GETHWND(&form);
    const auto before = runtime::handlersRun();
    model.userClose(window);
    EXPECT_TRUE(model.exists(window)) << "the runtime closes its forms from the event queue";
    PX$WAITEVENT(&form);
    EXPECT_FALSE(model.exists(window));
    EXPECT_EQ(runtime::handlersRun(), before);
}

TEST_F(Events, WaitEvent_ChecksItsForm) {
    ObjectVar form = create("DEMOFORM");
    ObjectVar button = attach(&form, "BUTTON1");
    ObjectVar empty = 0;
    EXPECT_RUNTIME_ERROR(PX$WAITEVENT(&button), runtime::err::WrongObjectKind);
    EXPECT_RUNTIME_ERROR(PX$WAITEVENT(&empty), runtime::err::ObjectInvalid);
    EXPECT_RUNTIME_ERROR(PX$WAITEVENT(nullptr), runtime::err::NullVariable);  // no main window yet
}

TEST_F(Events, ClosingTheMainWindowDuringANestedWaitEndsTheProgram) {
    ObjectVar main = create("DEMOFORM");
    runtime::setMainWindow(PX$GETHWND(&main));
    seen.demoForm = &main;
    ObjectVar nest = create("NESTFORM");
    seen.nestedWaitForm = &nest;  // BUTTON1_ON closes the main window and waits on NESTFORM
    model.userClick(item(&main, "BUTTON1"));
    EXPECT_THROW(PX$WAITEVENT(&main), runtime::ProgramEnd);
    EXPECT_EQ(seen.button1, 1);
    EXPECT_EQ(seen.demoEnd, 1) << "the main form's END ran as it went";
    EXPECT_TRUE(seen.endSawWindow) << "END runs while the form still exists";
    EXPECT_FALSE(model.exists(runtime::mainWindow()));
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, AnEndAskedForInAHandlerFinishesInTheNextWait) {
    ObjectVar main = create("DEMOFORM");
    runtime::setMainWindow(PX$GETHWND(&main));
    seen.demoForm = &main;
    ObjectVar nest = create("NESTFORM");
    seen.endStatus = 3;
    model.userClick(item(&nest, "BUTTON9"));
    PX$WAITEVENT(&nest);  // the handler asks for the end and the wait returns
    EXPECT_EQ(seen.button9, 1);
    EXPECT_TRUE(model.exists(PX$GETHWND(&main)));
    try {
        PX$WAITEVENT(&main);
        ADD_FAILURE() << "the wait returned";
    } catch (const runtime::ProgramEnd& end) {
        EXPECT_EQ(end.status, 3);
    }
    EXPECT_TRUE(model.forms().empty()) << "every form went";
    EXPECT_EQ(seen.demoEnd, 1);
    EXPECT_TRUE(seen.endSawWindow);
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, AnErrorFromAHandlerLeavesTheWait) {
    ObjectVar nest = create("NESTFORM");
    seen.raiseNumber = runtime::err::Overflow;
    model.userClick(item(&nest, "BUTTON9"));
    EXPECT_RUNTIME_ERROR(PX$WAITEVENT(&nest), runtime::err::Overflow);
    EXPECT_FALSE(runtime::inEventWait());
    model.userClick(item(&nest, "BUTTON9"));
    EXPECT_RUNTIME_ERROR(PV$CALLEVENT(), runtime::err::Overflow);
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, CheckEventWhileQueued_CallEventRunsThem) {
    ObjectVar form = create("DEMOFORM");
    EXPECT_EQ(PV$CHECKEVENT(), 0);
    model.userClick(item(&form, "BUTTON1"));
    model.userType(item(&form, "EDIT1"), "12");
    EXPECT_EQ(PV$CHECKEVENT(), -1);
    EXPECT_EQ(seen.button1 + seen.edit1, 0) << "checking runs nothing";
    PV$CALLEVENT();
    EXPECT_EQ(seen.button1, 1);
    EXPECT_EQ(seen.edit1, 1);
    EXPECT_EQ(PV$CHECKEVENT(), 0);
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, CallEventWithNothingPendingReturnsAndRunsNothing) {
    create("DEMOFORM");
    const auto before = runtime::handlersRun();
    PV$CALLEVENT();
    EXPECT_EQ(runtime::handlersRun(), before);
    EXPECT_FALSE(runtime::inEventWait());
}

TEST_F(Events, OnlyExportedHandlersQueueEvents) {
    ObjectVar form = create("DEMOFORM");
    struct Case {
        const char* what;
        std::function<void()> act;
        bool queued;
    };
    const std::vector<Case> cases = {
        {"LIST1 pick: no LIST1 handler exported", [&] { model.userPick(item(&form, "LIST1"), 1); }, false},
        {"COMBO1 pick: no COMBO1 handler exported", [&] { model.userPick(item(&form, "COMBO1"), 2); }, false},
        {"CHECK1 tick: no CHECK1_ON exported", [&] { model.userClick(item(&form, "CHECK1")); }, false},
        {"EDIT1 typed: EDIT1_CHANGE exported", [&] { model.userType(item(&form, "EDIT1"), "5"); }, true},
        {"PICTURE1 mouse down: exported", [&] {
             model.userMouse(platform::NotificationKind::MouseDown, item(&form, "PICTURE1"), 1, 0, 3, 4);
         }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_EQ(PV$CHECKEVENT(), c.queued ? -1 : 0);
        PV$CALLEVENT();
    }
}

// Which handler a user action reaches depends on the kind of the window it was done to.
TEST_F(Events, UserActionsReachTheHandlerOfTheirKind) {
    using N = platform::NotificationKind;
    using Calls = std::vector<std::string>;
    struct Case {
        const char* what;
        std::function<void(ObjectVar*)> act;
        Calls calls;
    };
    auto h = [](ObjectVar* form, const char* name) { return item(form, name); };
    const std::vector<Case> cases = {
        {"button click", [&](ObjectVar* f) { model.userClick(h(f, "BUTTON1")); }, {"BUTTON1_ON"}},
        {"picture click", [&](ObjectVar* f) { model.userClick(h(f, "PICTURE1")); }, {"PICTURE1_CLICK"}},
        {"picture double click", [&](ObjectVar* f) { model.userDoubleClick(h(f, "PICTURE1")); }, {"PICTURE1_DBLCLICK"}},
        {"label click", [&](ObjectVar* f) { model.userClick(h(f, "LABEL2")); }, {"LABEL2_CLICK"}},
        {"typing", [&](ObjectVar* f) { model.userType(h(f, "EDIT1"), "7"); }, {"EDIT1_SETFOCUS", "EDIT1_CHANGE"}},
        {"typing, then a button",
         [&](ObjectVar* f) {
             model.userType(h(f, "EDIT1"), "7");
             model.userClick(h(f, "BUTTON1"));
         },
         {"EDIT1_SETFOCUS", "EDIT1_CHANGE", "EDIT1_KILLFOCUS", "BUTTON1_ON"}},
        {"scroll bar moved", [&](ObjectVar* f) { model.userScroll(h(f, "HSCROLL1"), 5); }, {"HSCROLL1_CHANGE"}},
        {"mouse down, move, up",
         [&](ObjectVar* f) {
             model.userMouse(N::MouseDown, h(f, "PICTURE1"), 1, 0, 1, 1);
             model.userMouse(N::MouseMove, h(f, "PICTURE1"), 1, 0, 2, 2);
             model.userMouse(N::MouseUp, h(f, "PICTURE1"), 1, 0, 2, 2);
         },
         {"PICTURE1_MOUSEDOWN", "PICTURE1_MOUSEMOVE", "PICTURE1_MOUSEUP"}},
        {"wheel", [&](ObjectVar* f) { model.userWheel(h(f, "PICTURE1"), -2); }, {"PICTURE1_MOUSEWHEEL -2"}},
        {"form resized", [&](ObjectVar* f) { model.userResize(PX$GETHWND(f), 500, 400); }, {"DEMOFORM_RESIZE"}},
        {"list pick: no handler", [&](ObjectVar* f) { model.userPick(h(f, "LIST1"), 1); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ObjectVar form = create("DEMOFORM");
        seen.calls.clear();
        c.act(&form);
        PV$CALLEVENT();
        EXPECT_EQ(seen.calls, c.calls);
        PX$DESTROYWINDOW(&form);
    }
}

TEST_F(Events, MouseDownCarriesButtonAndPosition) {
    ObjectVar form = create("DEMOFORM");
    model.userMouse(platform::NotificationKind::MouseDown, item(&form, "PICTURE1"), platform::mouse::Left, 0, 30, 45);
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.mouseButton, 1);
    EXPECT_FLOAT_EQ(seen.mouseX, 30.0f);
    EXPECT_FLOAT_EQ(seen.mouseY, 45.0f);
}

TEST_F(Events, OneWaitRunsEveryEventQueuedTogether) {
    ObjectVar form = create("DEMOFORM");
    model.userType(item(&form, "EDIT1"), "1");
    model.userResize(PX$GETHWND(&form), 500, 400);
    model.userClick(item(&form, "BUTTON1"));
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.edit1, 1);
    EXPECT_EQ(seen.demoResize, 1);
    EXPECT_EQ(seen.button1, 1);
}

TEST_F(Events, QueryCloseMayKeepTheForm) {
    ObjectVar form = create("QUERYFORM");
    const std::uint32_t window = PX$GETHWND(&form);
    seen.queryAnswer = -1;
    model.userClose(window);
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.query, 1);
    EXPECT_TRUE(model.exists(window));

    seen.queryAnswer = 0;
    model.userClose(window);
    PX$WAITEVENT(&form);
    EXPECT_EQ(seen.query, 2);
    EXPECT_FALSE(model.exists(window));
}

TEST_F(Events, DialogBox_ModalUntilEndDialogGivesItsValue) {
    ObjectVar main = create("DEMOFORM");
    const std::uint32_t owner = PX$GETHWND(&main);
    // The user clicks the dialog's button when the modal loop waits; its handler ends the
    // dialog with 42.
    backend->idleHook = [&] {
        const auto found = model.lookup("NESTFORM.BUTTON9");
        if (found.empty() || seen.button9) return false;
        seen.dialogToEnd = model.formOf(found[0]);
        model.userClick(found[0]);
        return true;
    };
    Str name("NESTFORM");
    EXPECT_EQ(PX$DIALOGBOX(&main, name.get()), 42);
    EXPECT_EQ(seen.button9, 1);
    EXPECT_TRUE(seen.ownerDisabledInDialog);
    EXPECT_TRUE(model.find(owner)->enabled) << "the owner is enabled again";
    EXPECT_FALSE(model.exists(seen.dialogToEnd));
    EXPECT_FALSE(runtime::inEventWait());
}

}  // namespace
}  // namespace toolkit::test
