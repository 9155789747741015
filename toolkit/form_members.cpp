// A window's display state, activation, focus and z-order; input-method modes; accepting
// dropped files; the by-name dialog-item members and the older PX$WIN... form members.

#include <algorithm>
#include <string>

#include "platform/model.hpp"
#include "runtime/forms.hpp"
#include "runtime/pv_string.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

constexpr Kinds stateKinds = {kind::Form, kind::PictureBox, kind::TextWindow};

void setShow(ObjectVar* object, std::uint32_t operation, platform::ShowState state) {
    const Target t = checkedTarget(object, operation, stateKinds);
    // Only a form has a frame to minimise or maximise: a picture box keeps its place and
    // only records the state it was given.
    if (t.window->isForm()) runtime::model().setShowState(t.handle, state);
    else runtime::model().change(t.handle)->show = state;
}

std::int16_t isShow(ObjectVar* object, std::uint32_t operation, platform::ShowState state) {
    return checkedTarget(object, operation, stateKinds).window->show == state ? True : False;
}

// The control of that name in the form; 1013 when there is none.
platform::Handle namedItem(ObjectVar* form, const PvString* name, std::uint32_t operation) {
    const Target t = checkedTarget(form, operation, {kind::Form});
    const platform::Handle item = runtime::findControl(t.handle, runtime::view(name));
    if (!item) fail(runtime::err::ControlNotFound, operation, 5);
    return item;
}

}  // namespace

extern "C" void PX$MAXIMIZEWINDOW(ObjectVar* object) { setShow(object, op::MaximizeWindow, platform::ShowState::Maximized); }
extern "C" void PX$MINIMIZEWINDOW(ObjectVar* object) { setShow(object, op::MinimizeWindow, platform::ShowState::Minimized); }

extern "C" void PX$RESTOREWINDOW(ObjectVar* object) {
    const Target t = checkedTarget(object, op::RestoreWindow, {anyWindow});
    if (t.window->isForm()) runtime::model().setShowState(t.handle, platform::ShowState::Normal);
    else runtime::model().change(t.handle)->show = platform::ShowState::Normal;
}

extern "C" std::int16_t PX$ISMAXIMIZED(ObjectVar* object) { return isShow(object, op::IsMaximized, platform::ShowState::Maximized); }
extern "C" std::int16_t PX$ISMINIMIZED(ObjectVar* object) { return isShow(object, op::IsMinimized, platform::ShowState::Minimized); }

extern "C" void PX$SETFOREGROUNDWINDOW(ObjectVar* object) {
    const Target t = checkedTarget(object, op::SetForegroundWindow, {kind::Form});
    runtime::model().bringToFront(t.handle);
    runtime::model().setFocus(t.handle);
}

extern "C" void PX$SETACTIVEWINDOW(ObjectVar* object) {
    const Target t = checkedTarget(object, op::SetActiveWindow, {anyWindow});
    const platform::Handle form = runtime::model().formOf(t.handle);
    runtime::model().bringToFront(form);
    runtime::model().setFocus(form);
}

extern "C" void PX$SETFOCUS(ObjectVar* object) {
    runtime::model().setFocus(checkedTarget(object, op::SetFocus, {anyWindow}).handle);
}

extern "C" std::uint32_t PV$GETFOCUS() { return runtime::model().focus(); }

extern "C" void PX$SETTOPMOSTWINDOW(ObjectVar* object, std::int16_t flag) {
    const Target t = checkedTarget(object, op::SetTopmostWindow, {kind::Form});
    const bool topmost = checkedFlag(flag, op::SetTopmostWindow, 5);
    // Clearing touches only a form that is topmost.
    if (topmost || t.window->topmost) runtime::model().setTopmost(t.handle, topmost);
}

extern "C" void PX$SETIMEMODE(ObjectVar* object, std::int32_t mode) {
    const Target t = checkedTarget(object, op::SetImeMode, {kind::Form, kind::Edit, kind::ComboBox});
    if (mode < 0 || mode > 7) fail(runtime::err::IllegalArgument, op::SetImeMode, 5);
    // A form cannot lose its input context: its controls would lose theirs with it.
    if (mode == 3 && t.window->isForm()) fail(runtime::err::IllegalArgument, op::SetImeMode, 6);
    runtime::model().change(t.handle)->imeMode = mode;
}

extern "C" std::int32_t PX$GETIMEMODE(ObjectVar* object) {
    return checkedTarget(object, op::GetImeMode, {kind::Form, kind::Edit, kind::ComboBox}).window->imeMode;
}

extern "C" void PX$SETDROPFILES(ObjectVar* object, std::int16_t flag) {
    const Target t = checkedTarget(object, op::SetDropFiles,
                                   {kind::Form, kind::Edit, kind::Label, kind::ListBox, kind::ComboBox, kind::PictureBox});
    runtime::model().change(t.handle)->acceptsDrops = checkedFlag(flag, op::SetDropFiles, 5);
}

extern "C" std::int32_t PV$GETDROPFILECOUNT() {
    return static_cast<std::int32_t>(runtime::model().droppedFiles().size());
}

extern "C" const PvString* PV$GETDROPFILENAME(std::int32_t index) {
    const auto& files = runtime::model().droppedFiles();
    if (index < 0 || static_cast<std::size_t>(index) >= files.size()) return runtime::returnString({});
    return runtime::returnString(files[static_cast<std::size_t>(index)]);
}

// --- by name within a form ----------------------------------------------------------------

extern "C" const PvString* PX$GETDLGITEMTEXT(ObjectVar* form, const PvString* name) {
    return runtime::returnString(runtime::model().find(namedItem(form, name, op::GetDlgItemText))->text);
}

extern "C" void PX$SETDLGITEMTEXT(ObjectVar* form, const PvString* name, const PvString* text) {
    runtime::model().setText(namedItem(form, name, op::SetDlgItemText), std::string(runtime::view(text)));
}

extern "C" std::int32_t PX$GETDLGCHECK(ObjectVar* form, const PvString* name) {
    return runtime::model().find(namedItem(form, name, op::GetDlgCheck))->check;
}

extern "C" void PX$SETDLGCHECK(ObjectVar* form, const PvString* name, std::int32_t state) {
    const platform::Handle item = namedItem(form, name, op::SetDlgCheck);
    if (state < 0 || state > 2) fail(runtime::err::IllegalArgument, op::SetDlgCheck, 6);
    runtime::model().setCheck(item, state);
}

extern "C" std::int32_t PX$GETDLGSELECT(ObjectVar* form, const PvString* name) {
    return runtime::model().find(namedItem(form, name, op::GetDlgSelect))->list.selected;
}

// The option button of the form's group that is checked: the position, from 0, of the
// checked one among the form's option buttons from the named one on, up to the next
// group start; -1 when none is checked.
extern "C" std::int32_t PX$GETDLGRADIOSELECT(ObjectVar* form, const PvString* name) {
    platform::Model& m = runtime::model();
    const platform::Handle first = namedItem(form, name, op::GetDlgRadioSelect);
    const platform::Window* f = m.find(m.formOf(first));
    auto it = std::ranges::find(f->children, first);
    for (std::int32_t n = 0; it != f->children.end(); ++it, ++n) {
        const platform::Window* w = m.find(*it);
        if (w->kind != platform::Kind::OptionButton || (n > 0 && (w->style & platform::style::Group))) break;
        if (w->check == 1) return n;
    }
    return -1;
}

// --- the PX$WIN... form members -----------------------------------------------------------

extern "C" void PX$WINTITLE(ObjectVar* form, const PvString* title) {
    const Target t = checkedTarget(form, op::WinTitle, {kind::Form});
    const std::string_view text = runtime::view(title);
    if (text.size() > 64) fail(runtime::err::IllegalArgument, op::WinTitle, 5);
    runtime::model().setText(t.handle, std::string(text));
}

extern "C" std::int32_t PX$WINWN(ObjectVar* form, std::int32_t item) {
    const Target t = checkedTarget(form, op::WinWn, {kind::Form});
    const platform::Rect& r = t.window->rect;
    switch (item) {
    case 0: return r.x;
    case 1: return r.y;
    case 2: return r.w;
    case 3: return r.h;
    case 4:
        return t.window->show == platform::ShowState::Minimized   ? 0
               : t.window->show == platform::ShowState::Maximized ? 1
                                                                  : 2;
    case 5: return runtime::model().activeForm() == t.handle ? 1 : 0;
    default: fail(runtime::err::IllegalArgument, op::WinWn, 5);
    }
}

extern "C" void PX$WINWNACTV(ObjectVar* form, std::int32_t flag) {
    const Target t = checkedTarget(form, op::WinWnActv, {kind::Form});
    if (flag != 0 && flag != 1) fail(runtime::err::IllegalArgument, op::WinWnActv, 5);
    platform::Model& m = runtime::model();
    if (flag == 1) {
        m.bringToFront(t.handle);
        m.setFocus(t.handle);
        return;
    }
    // 0: the window after this one in the window order becomes active.
    const auto& order = m.forms();
    const auto it = std::ranges::find(order, t.handle);
    if (it != order.end() && std::next(it) != order.end()) {
        const platform::Handle next = *std::next(it);
        m.bringToFront(next);
        m.setFocus(next);
    }
}

extern "C" void PX$WINWNPOS(ObjectVar* form, std::int32_t x, std::int32_t y) {
    const Target t = checkedTarget(form, op::WinWnPos, {kind::Form});
    if (x < 0 || x > 32767) fail(runtime::err::IllegalArgument, op::WinWnPos, 5);
    if (y < 0 || y > 32767) fail(runtime::err::IllegalArgument, op::WinWnPos, 6);
    platform::Rect r = t.window->rect;
    r.x = x;
    r.y = y;
    runtime::model().setRect(t.handle, r);
}

extern "C" void PX$WINWNSIZ(ObjectVar* form, std::int32_t mode, std::int32_t width, std::int32_t height) {
    const Target t = checkedTarget(form, op::WinWnSiz, {kind::Form});
    if (mode < 0 || mode > 3) fail(runtime::err::IllegalArgument, op::WinWnSiz, 5);
    if (width < 0 || height < 0) fail(runtime::err::IllegalArgument, op::WinWnSiz, 6);
    platform::Model& m = runtime::model();
    switch (mode) {
    case 0: m.setShowState(t.handle, platform::ShowState::Minimized); return;
    case 1: m.setShowState(t.handle, platform::ShowState::Maximized); return;
    case 2: m.setShowState(t.handle, platform::ShowState::Normal); return;
    default: break;
    }
    m.setShowState(t.handle, platform::ShowState::Normal);
    // A form is at most as large as the screen (its maximised size without the frame).
    platform::Rect r = m.find(t.handle)->rect;
    r.w = std::min(width, m.metrics.screenWidth);
    r.h = std::min(height, m.metrics.screenHeight);
    m.setRect(t.handle, r);
}

// --- repainting and the activation key ----------------------------------------------------

// The whole client area is drawn again from the model (a picture box from its redraw
// buffer).
extern "C" void PX$REFRESH(ObjectVar* object) {
    const Target t = checkedTarget(object, op::Refresh, {kind::Form, kind::PictureBox});
    runtime::model().change(t.handle);
}

// The key that activates the form, kept with it as the program set it.
// The form's scroll origin: x and y 0 to 65535.
extern "C" void PX$SETORIGIN(ObjectVar* form, std::int32_t x, std::int32_t y) {
    const Target t = checkedTarget(form, op::SetOrigin, {kind::Form});
    if (x < 0 || x > 65535) fail(runtime::err::IllegalArgument, op::SetOrigin, 5);
    if (y < 0 || y > 65535) fail(runtime::err::IllegalArgument, op::SetOrigin, 6);
    platform::Window* w = runtime::model().change(t.handle);
    w->originX = x;
    w->originY = y;
}

extern "C" void PX$SETHOTKEY(ObjectVar* form, std::int32_t key) {
    const Target t = checkedTarget(form, op::SetHotKey, {kind::Form});
    runtime::model().change(t.handle)->hotKey = key;
}
