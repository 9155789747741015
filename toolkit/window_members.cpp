// Operations every window takes: its text, whether it is shown and enabled, where it is
// and how large. Positions and sizes are in the map mode of the form (pixels in mode 1): a
// form's in screen coordinates, a control's relative to its form's client area.
// Programmatic changes raise no events.

#include <algorithm>

#include "platform/model.hpp"
#include "runtime/pv_string.hpp"
#include "toolkit/checks.hpp"
#include "toolkit/map_mode.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

bool shownWithItsForm(const platform::Model& m, const platform::Window& w) {
    if (!w.visible) return false;
    if (w.isForm()) return true;
    const platform::Window* form = m.find(w.parent);
    return form && form->visible;
}

// Forms, picture boxes and text windows have a client area of their own.
constexpr Kinds clientKinds = {kind::Form, kind::PictureBox, kind::TextWindow};

}  // namespace

extern "C" void PX$SETWINDOWTEXT(ObjectVar* object, const PvString* text) {
    const Target t = checkedTarget(object, op::SetWindowText,
                                   {kind::Form, kind::PushButton, kind::OptionButton, kind::CheckBox, kind::GroupBox,
                                    kind::Edit, kind::Label, kind::ComboBox});
    runtime::model().setText(t.handle, std::string(runtime::view(text)));
}

extern "C" void PX$SHOWWINDOW(ObjectVar* object, std::int16_t flag) {
    const Target t = checkedTarget(object, op::ShowWindow, {anyWindow});
    runtime::model().setVisible(t.handle, checkedFlag(flag, op::ShowWindow, 5));
}

extern "C" void PX$ENABLEWINDOW(ObjectVar* object, std::int16_t flag) {
    const Target t = checkedTarget(object, op::EnableWindow, {anyWindow});
    runtime::model().setEnabled(t.handle, checkedFlag(flag, op::EnableWindow, 5));
}

extern "C" std::int16_t PX$ISWINDOWVISIBLE(ObjectVar* object) {
    const Target t = checkedTarget(object, op::IsWindowVisible, {anyWindow});
    return shownWithItsForm(runtime::model(), *t.window) ? True : False;
}

extern "C" std::int16_t PX$ISWINDOWENABLED(ObjectVar* object) {
    const Target t = checkedTarget(object, op::IsWindowEnabled, {anyWindow});
    // The window's own flag: a control of a disabled form still says it is enabled.
    return t.window->enabled ? True : False;
}

extern "C" void PX$MOVEWINDOW(ObjectVar* object, float left, float top) {
    const Target t = checkedTarget(object, op::MoveWindow, {anyWindow});
    platform::Rect r = t.window->rect;
    const int mode = positionMapMode(t.handle);
    r.x = toPixels(left, mode, op::MoveWindow, 5);
    r.y = toPixels(top, mode, op::MoveWindow, 6);
    runtime::model().setRect(t.handle, r);
}

extern "C" void PX$SETWINDOWSIZE(ObjectVar* object, float width, float height) {
    const Target t = checkedTarget(object, op::SetWindowSize, {anyWindow});
    platform::Rect r = t.window->rect;
    // A negative size is an empty window, as the window system takes it.
    const int mode = positionMapMode(t.handle);
    r.w = std::max(0, toPixels(width, mode, op::SetWindowSize, 5));
    r.h = std::max(0, toPixels(height, mode, op::SetWindowSize, 6));
    runtime::model().setRect(t.handle, r);
}

extern "C" void PX$SETCLIENTSIZE(ObjectVar* object, float width, float height) {
    const Target t = checkedTarget(object, op::SetClientSize, clientKinds);
    const int mode = positionMapMode(t.handle);
    const int w = std::max(0, toPixels(width, mode, op::SetClientSize, 5));
    const int h = std::max(0, toPixels(height, mode, op::SetClientSize, 6));
    runtime::model().setClientSize(t.handle, w, h);
}

extern "C" float PX$GETLEFT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetLeft, {anyWindow});
    return fromPixels(t.window->rect.x, positionMapMode(t.handle));
}

extern "C" float PX$GETTOP(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetTop, {anyWindow});
    return fromPixels(t.window->rect.y, positionMapMode(t.handle));
}

extern "C" float PX$GETWIDTH(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetWidth, {anyWindow});
    return fromPixels(t.window->rect.w, positionMapMode(t.handle));
}

extern "C" float PX$GETHEIGHT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetHeight, {anyWindow});
    return fromPixels(t.window->rect.h, positionMapMode(t.handle));
}

extern "C" float PX$GETCLIENTWIDTH(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetClientWidth, clientKinds);
    return fromPixels(runtime::model().clientRect(t.handle).w, positionMapMode(t.handle));
}

extern "C" float PX$GETCLIENTHEIGHT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetClientHeight, clientKinds);
    return fromPixels(runtime::model().clientRect(t.handle).h, positionMapMode(t.handle));
}
