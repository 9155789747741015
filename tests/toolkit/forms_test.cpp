// Forms created from the program's resources, and the object operations on them.

#include <string>
#include <vector>

#include "platform/cp932.hpp"
#include "runtime/error.hpp"
#include "runtime/resources.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

// The run-time error an operation raises: number and location code; 0 when none.
template <typename F>
std::pair<int, std::uint32_t> errorOf(F&& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return {e.number(), e.location()};
    }
    return {0, 0};
}
template <typename F>
int errorNumberOf(F&& f) {
    return errorOf(std::forward<F>(f)).first;
}

using Forms = ToolkitTest;

TEST_F(Forms, CreateWindow_NameLengthAndResource) {
    struct Case {
        std::string name;
        int error;
    };
    const std::vector<Case> cases = {
        {"", 5},
        {"FORMNAMEOFTWENTYONE21X", 5},  // 22 bytes: rejected before any resource is read
        {"FORMNAMEOFTWENTYONE21", 0},   // 21 bytes
        {"NOSUCHFORM", runtime::err::ResourceNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ObjectVar form = 0;
        Str name(c.name);
        EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(&form, name.get(), -1); }), c.error);
        EXPECT_EQ(form != 0, c.error == 0) << "a failed creation leaves the variable as it was";
        if (form) {
            EXPECT_EQ(PV$CHECKOBJECT(&form), -1);
        }
    }
    ObjectVar form = 0;
    Str tooLong("FORMNAMEOFTWENTYONE21X");
    EXPECT_EQ(errorOf([&] { PX$CREATEWINDOW(&form, tooLong.get(), -1); }).second,
              location(op::CreateWindow, 5));
}

TEST_F(Forms, CreateWindow_VisibleIsATruthValue) {
    struct Case {
        std::int16_t visible;
        int error;
        bool shown;
    };
    for (const Case& c : {Case{-1, 0, true}, Case{0, 0, false}, Case{1, 5, false}, Case{2, 5, false}}) {
        SCOPED_TRACE(c.visible);
        ObjectVar form = 0;
        Str name("DEMOFORM");
        EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(&form, name.get(), c.visible); }), c.error);
        if (c.error) {
            EXPECT_EQ(form, 0u);
            continue;
        }
        EXPECT_EQ(model.find(PX$GETHWND(&form))->visible, c.shown);
        PX$DESTROYWINDOW(&form);
    }
}

TEST_F(Forms, CreateWindow_IntoOpenFormIs1001_AfterDestroyTheHandleIsReused) {
    ObjectVar form = create("DEMOFORM");
    const ObjectVar handle = form;
    const std::uint32_t window = PX$GETHWND(&form);
    Str name("DEMOFORM");
    EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(&form, name.get(), -1); }), runtime::err::ObjectHasWindow);
    EXPECT_EQ(PX$GETHWND(&form), window) << "the open form is untouched";
    EXPECT_TRUE(model.exists(window));

    PX$DESTROYWINDOW(&form);
    EXPECT_FALSE(model.exists(window));
    EXPECT_EQ(form, handle);
    EXPECT_EQ(PX$GETHWND(&form), 0u);
    EXPECT_EQ(runtime::getRecord(&form)->state, 0);

    PX$CREATEWINDOW(&form, name.get(), -1);
    EXPECT_EQ(form, handle);
    EXPECT_NE(PX$GETHWND(&form), window);
    EXPECT_EQ(runtime::getRecord(&form)->state, 1);
}

TEST_F(Forms, CreateWindow_IntoAnotherKindIs1002_NullIs1003) {
    ObjectVar form = create("DEMOFORM");
    ObjectVar button = attach(&form, "BUTTON1");
    Str name("NESTFORM");
    EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(&button, name.get(), -1); }), runtime::err::WrongObjectKind);
    EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(nullptr, name.get(), -1); }), runtime::err::NullVariable);
}

TEST_F(Forms, ControlsCarryTheirResourceState) {
    ObjectVar form = create("DEMOFORM");
    const platform::Window& f = *model.find(PX$GETHWND(&form));
    EXPECT_EQ(platform::cp932ToUtf8(f.text), "デモ");
    EXPECT_EQ(f.rect, (platform::Rect{40, 30, 420, 320}));
    EXPECT_EQ(f.className, "PLV0WCDEMOFORM");

    struct Case {
        const char* name;
        std::uint32_t kind;
    };
    const std::vector<Case> kinds = {{"BUTTON1", 0x1100}, {"CHECK1", 0x1102}, {"EDIT1", 0x1104},
                                     {"LABEL1", 0x1105},  {"LIST1", 0x1106},  {"COMBO1", 0x1109},
                                     {"PICTURE1", 0x110A}};
    for (const Case& c : kinds) {
        SCOPED_TRACE(c.name);
        ObjectVar v = attach(&form, c.name);
        EXPECT_EQ(runtime::getRecord(&v)->kind, c.kind);
        EXPECT_EQ(runtime::getRecord(&v)->state, 2);
        EXPECT_EQ(runtime::view(PX$GETCTRLID(&v, &form)), c.name);
    }

    auto w = [&](const char* name) { return *model.find(item(&form, name)); };
    EXPECT_EQ(w("COMBO1").list.items, (std::vector<std::string>{"SHORT", "MIDDLE", "LONG"}));
    EXPECT_EQ(w("LIST1").list.items, (std::vector<std::string>{"USD/JPY", "AUD/JPY"}));
    EXPECT_EQ(w("EDIT1").edit.limit, 8u);
    EXPECT_EQ(w("CHECK1").check, 1);
    EXPECT_FALSE(w("BUTTON2").enabled);
    EXPECT_TRUE(w("BUTTON1").enabled);
    EXPECT_FALSE(w("LABEL1").visible);
    EXPECT_TRUE(w("BUTTON1").tabStop);
    EXPECT_EQ(w("BUTTON1").rect, (platform::Rect{10, 10, 80, 24}));
    EXPECT_EQ(platform::cp932ToUtf8(w("BUTTON1").font.face), "ＭＳ Ｐゴシック");
    EXPECT_EQ(w("BUTTON1").font.size, 14);
}

TEST_F(Forms, Attach_KindsAndWindows) {
    ObjectVar form = create("DEMOFORM");
    ObjectVar check = attach(&form, "CHECK1");
    PX$DETACH(&check);
    check = 0;
    // A variable holding a check-box object without a window.
    runtime::ObjectRecord r;
    r.kind = runtime::kind::CheckBox;
    check = runtime::createObject(r);
    EXPECT_EQ(errorNumberOf([&] { PX$ATTACH(&check, item(&form, "LIST1")); }), runtime::err::WrongObjectKind);
    PX$ATTACH(&check, item(&form, "CHECK1"));
    EXPECT_EQ(runtime::getRecord(&check)->state, 2);
    EXPECT_EQ(errorNumberOf([&] { PX$ATTACH(&check, item(&form, "CHECK1")); }), runtime::err::ObjectHasWindow);

    ObjectVar fresh = 0;
    EXPECT_EQ(errorNumberOf([&] { PX$ATTACH(&fresh, 0x7FFFFFF0); }), runtime::err::NotAWindow);
    EXPECT_EQ(errorNumberOf([&] { PX$ATTACH(nullptr, item(&form, "LIST1")); }), runtime::err::NullVariable);
    // A window the runtime did not create from a form.
    const platform::Handle stranger = model.createForm("X", "X", 0, 0, {0, 0, 10, 10});
    EXPECT_EQ(errorNumberOf([&] { PX$ATTACH(&fresh, stranger); }), runtime::err::ControlNotFound);
    EXPECT_EQ(fresh, 0u);
}

TEST_F(Forms, Detach_LeavesTheWindowAndEmptiesTheVariable) {
    ObjectVar form = create("DEMOFORM");
    ObjectVar list = attach(&form, "LIST1");
    const ObjectVar handle = list;
    const std::uint32_t window = PX$GETHWND(&list);
    PX$DETACH(&list);
    EXPECT_EQ(list, 0u);
    EXPECT_TRUE(model.exists(window));
    EXPECT_TRUE(model.find(window)->visible);
    EXPECT_FALSE(runtime::getRecord(&handle)) << "the object was released";
    EXPECT_EQ(errorNumberOf([&] { PX$DETACH(&list); }), runtime::err::ObjectInvalid);
}

TEST_F(Forms, GetDlgItem_ByNameWithinTheFormOrAtTheApplicationLevel) {
    ObjectVar main = create("DEMOFORM");
    runtime::addStartForm(PX$GETHWND(&main));
    ObjectVar nest = create("NESTFORM");
    EXPECT_EQ(errorNumberOf([&] { item(&main, "NOSUCH"); }), runtime::err::ControlNotFound);
    EXPECT_EQ(errorNumberOf([&] { item(&main, "BUTTON9"); }), runtime::err::ControlNotFound)
        << "a control of another form";
    EXPECT_EQ(item(&nest, "BUTTON9"), model.lookup("NESTFORM.BUTTON9").at(0));
    EXPECT_EQ(item(nullptr, "DEMOFORM"), PX$GETHWND(&main));
    EXPECT_EQ(errorNumberOf([&] { item(nullptr, "NESTFORM"); }), runtime::err::ControlNotFound)
        << "only the forms created at start are at the application level";
    Str tooLong("BUTTON1BUTTON1BUTTON1X");
    EXPECT_EQ(errorNumberOf([&] { PX$GETDLGITEM(&main, tooLong.get()); }), runtime::err::IllegalArgument);
}

TEST_F(Forms, ClosedFormFailsValidation_CheckAndEqualObject) {
    ObjectVar form = create("NESTFORM");
    ObjectVar a = attach(&form, "BUTTON9"), b = attach(&form, "BUTTON9");
    ObjectVar empty = 0;
    EXPECT_EQ(PV$EQUALOBJECT(&a, &b), -1) << "the same window in two objects";
    EXPECT_EQ(PV$EQUALOBJECT(&a, &a), -1);
    EXPECT_EQ(PV$EQUALOBJECT(&a, &form), 0);
    EXPECT_EQ(PV$EQUALOBJECT(&a, &empty), 0);
    EXPECT_EQ(PV$EQUALOBJECT(nullptr, &a), 0);
    EXPECT_EQ(PV$CHECKOBJECT(&empty), 0);
    EXPECT_EQ(PV$CHECKOBJECT(nullptr), 0);

    model.userClose(PX$GETHWND(&form));
    PX$WAITEVENT(&form);  // the close runs; no handler, the form is gone
    EXPECT_EQ(PV$CHECKOBJECT(&form), 0);
    EXPECT_EQ(PV$CHECKOBJECT(&a), 0);
    EXPECT_EQ(errorNumberOf([&] { PX$WAITEVENT(&form); }), runtime::err::ObjectInvalid);
    EXPECT_EQ(errorNumberOf([&] { PX$DESTROYWINDOW(&a); }), runtime::err::ObjectInvalid);
    EXPECT_EQ(errorNumberOf([&] { PX$GETCTRLID(&a, nullptr); }), runtime::err::ObjectInvalid);
}

TEST_F(Forms, DisplayStateMaximised_ExactlyOneExtraResize) {
    ObjectVar form = create("MAXFORM");
    EXPECT_EQ(model.find(PX$GETHWND(&form))->show, platform::ShowState::Maximized);
    PV$CALLEVENT();
    PV$CALLEVENT();
    EXPECT_EQ(seen.maxResize, 1);

    ObjectVar hidden = create("MAXFORM", 0);
    EXPECT_EQ(model.find(PX$GETHWND(&hidden))->show, platform::ShowState::Normal);
    PV$CALLEVENT();
    EXPECT_EQ(seen.maxResize, 1) << "a form created hidden is not maximised";
}

TEST_F(Forms, CreateDialog_TrimsTheSystemMenuOfAModalFrameOnly) {
    ObjectVar main = create("NESTFORM");
    runtime::setMainWindow(PX$GETHWND(&main));
    ObjectVar dialog = 0, plain = 0;
    Str demo("DEMOFORM"), query("QUERYFORM");
    PX$CREATEDIALOG(&dialog, nullptr, demo.get());
    PX$CREATEDIALOG(&plain, &main, query.get());
    EXPECT_EQ(model.find(PX$GETHWND(&dialog))->owner, PX$GETHWND(&main));
    EXPECT_TRUE(model.find(PX$GETHWND(&dialog))->visible);
    namespace m = runtime::sysmenu;
    for (std::uint32_t trimmed : {m::PositionSeven, m::Restore, m::Size, m::Minimize, m::Maximize, m::TaskList}) {
        EXPECT_TRUE(runtime::systemMenuItemTrimmed(PX$GETHWND(&dialog), trimmed)) << trimmed;
        EXPECT_FALSE(runtime::systemMenuItemTrimmed(PX$GETHWND(&plain), trimmed)) << trimmed;
    }
    ObjectVar button = attach(&main, "BUTTON9");
    ObjectVar third = 0;
    EXPECT_EQ(errorNumberOf([&] { PX$CREATEDIALOG(&third, &button, demo.get()); }), runtime::err::ObjectHasWindow)
        << "an owner that is not a form";
}

TEST_F(Forms, MalformedResourceIs27) {
    static const std::uint8_t bad[] = {'P', 'V', 1, 0, 1, 0, 9, 0, 'B', 'A', 'D', 0, 0, 0x70};
    static const runtime::EmbeddedResource table[] = {{"BADFORM", bad, sizeof bad}};
    runtime::registerResources(table);
    ObjectVar form = 0;
    Str name("BADFORM");
    EXPECT_EQ(errorNumberOf([&] { PX$CREATEWINDOW(&form, name.get(), -1); }), runtime::err::SystemFailure);
    EXPECT_EQ(form, 0u);
    EXPECT_TRUE(model.forms().empty());
}

}  // namespace
}  // namespace toolkit::test
