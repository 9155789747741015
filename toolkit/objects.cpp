// Forms and their controls as the program holds them: creating forms from resources,
// modal dialogs, finding, attaching, detaching and destroying windows, and the object
// tests.

#include <map>
#include <string>

#include "runtime/error.hpp"
#include "runtime/events.hpp"
#include "runtime/forms.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace toolkit {

namespace {

using runtime::ObjectRecord;
namespace kind = runtime::kind;

[[noreturn]] void fail(int error, std::uint32_t operation, std::uint32_t check) {
    runtime::raiseError(error, location(operation, check));
}

bool windowExists(std::uint32_t window) { return window != 0 && runtime::model().exists(window); }

// A form or control name: 1 to 21 bytes.
std::string checkedName(const PvString* name, std::uint32_t operation, std::uint32_t check) {
    const std::string_view text = runtime::view(name);
    if (name == nullptr || text.empty() || text.size() > 21) fail(runtime::err::IllegalArgument, operation, check);
    return std::string(text);
}

// The record of a variable that must hold an object; 1000 when it does not.
ObjectRecord recordOf(const ObjectVar* variable, std::uint32_t operation, std::uint32_t check) {
    auto record = runtime::getRecord(variable);
    if (!record) fail(runtime::err::ObjectInvalid, operation, check);
    return *record;
}

// The first step of creating a form into a variable: the variable may be empty or hold a
// form without a window.
void checkFormVariable(const ObjectVar* form, std::uint32_t operation) {
    if (form == nullptr) fail(runtime::err::NullVariable, operation, 1);
    if (*form == 0) return;
    const auto record = runtime::getRecord(form);
    if (!record) fail(runtime::err::SystemFailure, operation, 2);
    if (record->kind != kind::Form) fail(runtime::err::WrongObjectKind, operation, 3);
    // A form the user closed no longer has a window, though the record still names it.
    if (windowExists(record->window)) fail(runtime::err::ObjectHasWindow, operation, 4);
}

// Binds a new form window to the variable: into its object, or into a new one.
void bindForm(ObjectVar* form, platform::Handle window, const std::string& name, std::uint32_t operation) {
    if (*form != 0) {
        ObjectRecord record = *runtime::getRecord(form);
        record.window = window;
        record.auxWindow = window;
        record.state = 1;
        runtime::setRecordName(record, name);
        runtime::storeRecord(form, record);
        return;
    }
    ObjectRecord record;
    record.kind = kind::Form;
    record.state = 1;
    record.window = window;
    record.auxWindow = window;
    record.owner = form;
    runtime::setRecordName(record, name);
    const ObjectVar handle = runtime::createObject(record);
    if (handle == 0) {
        runtime::destroyWindow(window);
        fail(runtime::err::ObjectNotCreated, operation, 8);
    }
    *form = handle;
}

// A dialog's system menu loses the items a fixed-size modal frame has no use for. Kept as
// the form's state: the window system draws no system menu.
void trimSystemMenu(platform::Handle form) {
    const platform::Window* w = runtime::model().find(form);
    if (!w) return;
    constexpr std::uint32_t minimizeBox = 0x00020000, maximizeBox = 0x00010000;
    if (!(w->exStyle & platform::style::ExDlgModalFrame) || !(w->style & platform::style::SysMenu)) return;
    const bool minBox = w->style & minimizeBox, maxBox = w->style & maximizeBox;
    runtime::trimSystemMenuItem(form, runtime::sysmenu::PositionSeven);
    if (!minBox && !maxBox) runtime::trimSystemMenuItem(form, runtime::sysmenu::Restore);
    runtime::trimSystemMenuItem(form, runtime::sysmenu::Size);
    if (!minBox) runtime::trimSystemMenuItem(form, runtime::sysmenu::Minimize);
    if (!maxBox) runtime::trimSystemMenuItem(form, runtime::sysmenu::Maximize);
    runtime::trimSystemMenuItem(form, runtime::sysmenu::TaskList);
}

// The values PX$ENDDIALOG left for the modal loops, by dialog window.
std::map<platform::Handle, std::int16_t>& dialogResults() {
    static std::map<platform::Handle, std::int16_t> results;
    return results;
}

bool isNonWindowObject(std::uint32_t k) {
    return k == kind::Bitmap || k == kind::Printer || k == kind::Metafile || k == kind::MediaDevice ||
           k == kind::Pointer || k == kind::RuntimeObject;
}

bool isKnownKind(std::uint32_t k) {
    return runtime::isWindowKind(k) || isNonWindowObject(k) || k == kind::Timer || k == kind::MediaControl ||
           k == kind::Menu;
}

}  // namespace

}  // namespace toolkit

using namespace toolkit;

extern "C" void PX$CREATEWINDOW(ObjectVar* form, const PvString* name, std::int16_t visible) {
    checkFormVariable(form, op::CreateWindow);
    const std::string resource = checkedName(name, op::CreateWindow, 5);
    if (visible != True && visible != False) fail(runtime::err::IllegalArgument, op::CreateWindow, 6);
    const int showCommand = visible == True ? runtime::show::Normal : runtime::show::Hidden;
    const auto created = runtime::createForm(resource, 0, showCommand);
    if (created.window == 0) fail(created.error, op::CreateWindow, 7);
    bindForm(form, created.window, resource, op::CreateWindow);
    runtime::showForm(created.window, created.showCommand);
}

extern "C" void PX$CREATEDIALOG(ObjectVar* form, ObjectVar* owner, const PvString* name) {
    checkFormVariable(form, op::CreateDialog);
    platform::Handle ownerWindow = 0;
    if (owner == nullptr || *owner == 0) {
        ownerWindow = runtime::mainWindow();
        if (!windowExists(ownerWindow)) fail(runtime::err::NullVariable, op::CreateDialog, 5);
    } else {
        const ObjectRecord record = recordOf(owner, op::CreateDialog, 6);
        if (record.kind != kind::Form) fail(runtime::err::ObjectHasWindow, op::CreateDialog, 7);
        if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::CreateDialog, 8);
        ownerWindow = record.window;
    }
    const std::string resource = checkedName(name, op::CreateDialog, 9);
    const auto created = runtime::createForm(resource, ownerWindow, runtime::show::Normal);
    if (created.window == 0) fail(created.error, op::CreateDialog, 10);
    trimSystemMenu(created.window);
    bindForm(form, created.window, resource, op::CreateDialog);
    runtime::showForm(created.window, created.showCommand);
}

extern "C" std::int16_t PX$DIALOGBOX(ObjectVar* owner, const PvString* name) {
    platform::Handle ownerWindow = 0;
    if (owner != nullptr && *owner != 0) {
        const ObjectRecord record = recordOf(owner, op::DialogBox, 1);
        if (record.kind != kind::Form) fail(runtime::err::WrongObjectKind, op::DialogBox, 2);
        if (windowExists(record.window)) ownerWindow = record.window;
    }
    const std::string resource = checkedName(name, op::DialogBox, 3);
    const auto created = runtime::createForm(resource, ownerWindow, runtime::show::Normal);
    if (created.window == 0) fail(created.error, op::DialogBox, 4);
    const platform::Handle dialog = created.window;

    platform::Model& m = runtime::model();
    if (ownerWindow) m.setEnabled(ownerWindow, false);
    trimSystemMenu(dialog);
    dialogResults().erase(dialog);
    runtime::showForm(dialog, created.showCommand);
    m.setFocus(dialog);

    // The modal loop: events until the dialog is gone (PX$ENDDIALOG, or the user closed
    // it). The owner is enabled again however the loop is left.
    struct OwnerBack {
        platform::Model& m;
        platform::Handle owner;
        ~OwnerBack() {
            if (!owner || !m.exists(owner)) return;
            m.setEnabled(owner, true);
            m.setFocus(owner);
        }
    } ownerBack{m, ownerWindow};
    {
        const runtime::EventWaitScope wait;
        while (m.exists(dialog)) {
            runtime::pumpWindowSystem(std::chrono::milliseconds(50));
            runtime::checkEnding();
            if (runtime::eventsPending()) runtime::runPendingEvents();
        }
    }
    const auto it = dialogResults().find(dialog);
    const std::int16_t result = it == dialogResults().end() ? 0 : it->second;
    dialogResults().erase(dialog);
    return result;
}

extern "C" void PX$ENDDIALOG(ObjectVar* form, std::int16_t value) {
    if (form == nullptr) fail(runtime::err::NullVariable, op::EndDialog, 1);
    ObjectRecord record = recordOf(form, op::EndDialog, 2);
    if (record.kind != kind::Form) fail(runtime::err::WrongObjectKind, op::EndDialog, 3);
    if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::EndDialog, 4);
    dialogResults()[record.window] = value;
    runtime::destroyWindow(record.window);
    record = *runtime::getRecord(form);
    record.window = 0;
    record.state = 0;
    runtime::storeRecord(form, record);
}

extern "C" void PX$DESTROYWINDOW(ObjectVar* object) {
    if (object == nullptr) fail(runtime::err::NullVariable, op::DestroyWindow, 1);
    const ObjectRecord record = recordOf(object, op::DestroyWindow, 2);
    if (!runtime::isWindowKind(record.kind)) fail(runtime::err::WrongObjectKind, op::DestroyWindow, 3);
    if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::DestroyWindow, 4);
    // A form's END handler runs first and may itself destroy or change this object.
    runtime::destroyWindow(record.window);
    if (auto after = runtime::getRecord(object)) {
        after->window = 0;
        after->state = 0;
        runtime::storeRecord(object, *after);
    }
}

extern "C" std::uint32_t PX$GETDLGITEM(ObjectVar* form, const PvString* name) {
    platform::Handle found = 0;
    if (form == nullptr) {
        // The application level: the forms the runtime created at start.
        found = runtime::findStartForm(checkedName(name, op::GetDlgItem, 1));
    } else {
        const ObjectRecord record = recordOf(form, op::GetDlgItem, 2);
        if (record.kind != kind::Form) fail(runtime::err::WrongObjectKind, op::GetDlgItem, 3);
        if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::GetDlgItem, 4);
        found = runtime::findControl(record.window, checkedName(name, op::GetDlgItem, 5));
    }
    if (found == 0) fail(runtime::err::ControlNotFound, op::GetDlgItem, 6);
    return found;
}

extern "C" void PX$ATTACH(ObjectVar* object, std::uint32_t window) {
    if (object == nullptr) fail(runtime::err::NullVariable, op::Attach, 1);
    if (!windowExists(window)) fail(runtime::err::NotAWindow, op::Attach, 2);
    const auto cls = runtime::classifyWindow(window);
    if (!cls) fail(runtime::err::ControlNotFound, op::Attach, 3);
    if (*object == 0) {
        ObjectRecord record;
        record.kind = cls->objectKind;
        record.state = 2;
        record.window = window;
        record.owner = object;
        runtime::setRecordName(record, cls->name);
        const ObjectVar handle = runtime::createObject(record);
        if (handle == 0) fail(runtime::err::ObjectNotCreated, op::Attach, 4);
        *object = handle;
        return;
    }
    ObjectRecord record = recordOf(object, op::Attach, 5);
    if (record.kind != cls->objectKind) fail(runtime::err::WrongObjectKind, op::Attach, 6);
    if (windowExists(record.window)) fail(runtime::err::ObjectHasWindow, op::Attach, 7);
    record.window = window;
    record.state = 2;
    runtime::setRecordName(record, cls->name);
    runtime::storeRecord(object, record);
}

extern "C" void PX$DETACH(ObjectVar* object) {
    if (object == nullptr) fail(runtime::err::NullVariable, op::Detach, 1);
    ObjectRecord record = recordOf(object, op::Detach, 2);
    if (!runtime::isWindowKind(record.kind)) fail(runtime::err::WrongObjectKind, op::Detach, 3);
    record.window = 0;
    record.state = 0;
    runtime::storeRecord(object, record);
    if (!runtime::releaseObject(*object)) fail(runtime::err::SystemFailure, op::Detach, 4);
    *object = 0;
}

extern "C" std::uint32_t PX$GETHWND(ObjectVar* object) {
    if (object == nullptr) fail(runtime::err::NullVariable, op::GetHwnd, 1);
    const ObjectRecord record = recordOf(object, op::GetHwnd, 2);
    if (isNonWindowObject(record.kind)) fail(runtime::err::WrongObjectKind, op::GetHwnd, 3);
    return record.window;
}

extern "C" const PvString* PX$GETCTRLID(ObjectVar* object, ObjectVar* form) {
    if (object == nullptr) fail(runtime::err::NullVariable, op::GetCtrlId, 1);
    const ObjectRecord record = recordOf(object, op::GetCtrlId, 2);
    if (!runtime::isWindowKind(record.kind)) fail(runtime::err::WrongObjectKind, op::GetCtrlId, 3);
    if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::GetCtrlId, 4);
    // The form argument only has to be a form when given; names are the runtime's record.
    if (form != nullptr && *form != 0) {
        const ObjectRecord owner = recordOf(form, op::GetCtrlId, 5);
        if (owner.kind != kind::Form) fail(runtime::err::WrongObjectKind, op::GetCtrlId, 6);
    }
    const auto cls = runtime::classifyWindow(record.window);
    if (!cls) fail(runtime::err::ControlNotFound, op::GetCtrlId, 7);
    return runtime::returnString(cls->name);
}

extern "C" std::int16_t PV$CHECKOBJECT(ObjectVar* object) {
    const auto record = runtime::getRecord(object);
    if (!record) return False;
    if (runtime::isWindowKind(record->kind)) return windowExists(record->window) ? True : False;
    return record->window != 0 ? True : False;
}

extern "C" std::int16_t PV$EQUALOBJECT(ObjectVar* a, ObjectVar* b) {
    if (a == nullptr || b == nullptr || *a == 0 || *b == 0) return False;
    if (*a == *b) return True;
    const auto ra = runtime::getRecord(a), rb = runtime::getRecord(b);
    if (!ra || !rb || ra->kind != rb->kind || !isKnownKind(ra->kind)) return False;
    return ra->window != 0 && ra->window == rb->window ? True : False;
}

extern "C" const PvString* PX$GETWINDOWTEXT(ObjectVar* object) {
    const ObjectRecord record = recordOf(object, op::GetWindowText, 1);
    if (!runtime::isWindowKind(record.kind) || record.kind == kind::PictureBox || record.kind == kind::BitmapButton)
        fail(runtime::err::WrongObjectKind, op::GetWindowText, 2);
    if (!windowExists(record.window)) fail(runtime::err::ObjectInvalid, op::GetWindowText, 3);
    return runtime::returnString(runtime::model().find(record.window)->text);
}
