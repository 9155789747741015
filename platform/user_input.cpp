// What the user does to the model: clicks, typing, picks, mouse, window moves and the
// keyboard rules of the forms. Every action first checks that its target takes input.

#include <algorithm>
#include <utility>

#include "platform/cp932_bytes.hpp"
#include "platform/model.hpp"

namespace platform {

namespace {

// What of the typed text an edit of this kind takes: a single line keeps no line breaks,
// a multi-line edit gets CR LF for each break, a numeric field only digits.
std::string acceptedText(const Window& w, std::string_view typed) {
    std::string out;
    const bool numeric = w.kind == Kind::Edit && (w.style & style::EditNumber);
    const bool multi = w.kind == Kind::Edit && w.edit.multiLine;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (charLength(typed, i) == 2) {
            if (!numeric) out.append(typed.substr(i, 2));
            ++i;
            continue;
        }
        if (c == '\r') continue;
        if (c == '\n') {
            if (multi) out += "\r\n";
            continue;
        }
        if (numeric && (c < '0' || c > '9')) continue;
        out += c;
    }
    return out;
}

bool takesFocus(Kind k) {
    return k != Kind::Label && k != Kind::GroupBox && k != Kind::PictureBox;
}

}  // namespace

void Model::notify(NotificationKind kind, Handle h, int value) {
    Notification n;
    n.kind = kind;
    n.window = h;
    n.value = value;
    if (const Window* w = find(h)) n.name = w->name;
    notifications_.push_back(std::move(n));
}

void Model::notifyMouse(NotificationKind kind, Handle h, int button, int shift, int x, int y) {
    notify(kind, h);
    Notification& n = notifications_.back();
    n.button = button;
    n.shift = shift;
    n.x = x;
    n.y = y;
}

InputResult Model::acceptsInput(Handle h) const {
    const Window* w = find(h);
    if (!w) return InputResult::NoWindow;
    const Window* form = find(formOf(h));
    if (!w->visible || !form->visible) return InputResult::Hidden;
    if (!w->enabled || !form->enabled) return InputResult::Disabled;
    return InputResult::Done;
}

void Model::moveFocusByUser(Handle to) {
    if (to == focus_ || !exists(to)) return;
    const Handle old = focus_;
    if (exists(old)) notify(NotificationKind::LostFocus, old);
    setFocus(to);
    notify(NotificationKind::GotFocus, to);
}

InputResult Model::userFocus(Handle h) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    moveFocusByUser(h);
    return InputResult::Done;
}

void Model::clickButton(Window& w) {
    if (w.kind == Kind::CheckBox) {
        // Auto three-state boxes go round 0, 1, 2; the others between 0 and 1.
        const bool threeState = (w.style & 0xF) == 6;
        w.check = threeState ? (w.check + 1) % 3 : (w.check == 0 ? 1 : 0);
    } else if (w.kind == Kind::OptionButton) {
        // An option button clears the other option buttons of its group: the run of
        // siblings between two controls with the group style.
        const Window& form = *find(w.parent);
        auto self = std::find(form.children.begin(), form.children.end(), w.handle);
        auto first = self;
        while (first != form.children.begin() && !(find(*first)->style & style::Group)) --first;
        for (auto it = first; it != form.children.end(); ++it) {
            if (it != first && (find(*it)->style & style::Group)) break;
            Window& other = *get(*it);
            if (other.kind == Kind::OptionButton && other.check) {
                other.check = 0;
                markChanged(other.handle);
            }
        }
        w.check = 1;
    }
    markChanged(w.handle);
    notify(NotificationKind::Click, w.handle);
}

InputResult Model::userClick(Handle h) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (w.kind == Kind::GroupBox) return InputResult::WrongKind;
    // A click on a form's empty area leaves the focus on its control.
    if (takesFocus(w.kind) && !(w.isForm() && formOf(focus_) == h)) moveFocusByUser(h);
    if (w.kind == Kind::Edit || w.kind == Kind::HScrollBar || w.kind == Kind::VScrollBar) return InputResult::Done;
    clickButton(w);
    return InputResult::Done;
}

InputResult Model::userDoubleClick(Handle h) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    notify(NotificationKind::DoubleClick, h);
    return InputResult::Done;
}

bool Model::insertTyped(Window& w, std::string_view typed) {
    const std::string text = acceptedText(w, typed);
    EditState& e = w.edit;
    const std::size_t s = std::min(e.selStart, w.text.size());
    const std::size_t end = std::clamp(e.selEnd, s, w.text.size());
    const std::size_t room = e.limit > w.text.size() - (end - s) ? e.limit - (w.text.size() - (end - s)) : 0;
    const std::size_t n = fitBytes(text, room);
    if (n == 0 && s == end) return false;
    e.undoText = w.text;
    e.canUndo = true;
    w.text.replace(s, end - s, text.substr(0, n));
    e.selStart = e.selEnd = s + n;
    e.modified = true;
    return true;
}

InputResult Model::userType(Handle h, std::string_view text) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (!w.hasEditText()) return InputResult::WrongKind;
    if (w.edit.readOnly) return InputResult::ReadOnly;
    moveFocusByUser(h);
    if (insertTyped(w, text)) {
        markChanged(h);
        notify(NotificationKind::Change, h);
    }
    return InputResult::Done;
}

InputResult Model::userSetText(Handle h, std::string text) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (!w.hasEditText()) return InputResult::WrongKind;
    if (w.edit.readOnly) return InputResult::ReadOnly;
    if (w.text == text) return InputResult::Done;
    w.edit.undoText = std::exchange(w.text, std::move(text));
    w.edit.canUndo = true;
    w.edit.modified = true;
    w.edit.selStart = std::min(w.edit.selStart, w.text.size());
    w.edit.selEnd = std::min(w.edit.selEnd, w.text.size());
    markChanged(h);
    notify(NotificationKind::Change, h);
    return InputResult::Done;
}

InputResult Model::userSelectText(Handle h, std::size_t start, std::size_t end) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (start > end) std::swap(start, end);
    w.edit.selStart = std::min(start, w.text.size());
    w.edit.selEnd = std::min(end, w.text.size());
    return InputResult::Done;
}

InputResult Model::userPick(Handle h, int index) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (!w.hasList()) return InputResult::WrongKind;
    ListState& l = w.list;
    if (index < 0 || index >= static_cast<int>(l.items.size())) return InputResult::OutOfRange;
    moveFocusByUser(h);
    bool changed = true;
    if (w.multipleSelection()) {
        l.marked[static_cast<std::size_t>(index)] = !l.marked[static_cast<std::size_t>(index)];
        l.selected = index;
    } else {
        changed = l.selected != index;
        l.selected = index;
        if (w.kind == Kind::ComboBox) w.text = l.items[static_cast<std::size_t>(index)];
    }
    markChanged(h);
    if (changed) notify(NotificationKind::Change, h);
    notify(NotificationKind::Click, h);
    return InputResult::Done;
}

InputResult Model::userScroll(Handle h, int pos) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    Window& w = *get(h);
    if (w.kind != Kind::HScrollBar && w.kind != Kind::VScrollBar) return InputResult::WrongKind;
    ScrollState& s = w.scroll;
    if (pos < std::min(s.min, s.max) || pos > std::max(s.min, s.max)) return InputResult::OutOfRange;
    if (s.pos == pos) return InputResult::Done;
    s.pos = pos;
    markChanged(h);
    notify(NotificationKind::Scroll, h, pos);
    return InputResult::Done;
}

InputResult Model::userMouse(NotificationKind kind, Handle h, int button, int shift, int x, int y) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    notifyMouse(kind, h, button, shift, x, y);
    return InputResult::Done;
}

InputResult Model::userWheel(Handle h, int steps) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    notify(NotificationKind::MouseWheel, h, steps);
    return InputResult::Done;
}

InputResult Model::acceptsFormInput(Handle h) const {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    return find(h)->isForm() ? InputResult::Done : InputResult::WrongKind;
}

InputResult Model::userResize(Handle h, int width, int height) {
    const InputResult r = acceptsFormInput(h);
    if (r != InputResult::Done) return r;
    const Window& w = *find(h);
    if (width < 0 || height < 0) return InputResult::OutOfRange;
    setRect(h, {w.rect.x, w.rect.y, width, height});
    notify(NotificationKind::Resize, h, static_cast<int>(w.show));
    return InputResult::Done;
}

InputResult Model::userMove(Handle h, int x, int y) {
    const InputResult r = acceptsFormInput(h);
    if (r != InputResult::Done) return r;
    const Window& w = *find(h);
    setRect(h, {x, y, w.rect.w, w.rect.h});
    notify(NotificationKind::Move, h);
    return InputResult::Done;
}

InputResult Model::userShowState(Handle h, ShowState s) {
    const InputResult r = acceptsFormInput(h);
    if (r != InputResult::Done) return r;
    if (find(h)->show == s) return InputResult::Done;
    setShowState(h, s);
    notify(NotificationKind::Resize, h, static_cast<int>(s));
    return InputResult::Done;
}

InputResult Model::userClose(Handle h) {
    const InputResult r = acceptsFormInput(h);
    if (r != InputResult::Done) return r;
    notify(NotificationKind::CloseRequest, h);
    if (closeHook && !closeHook(h)) return InputResult::Done;
    if (!exists(h)) return InputResult::Done;  // the hook closed it itself
    const std::string name = find(h)->name;
    destroy(h);
    notify(NotificationKind::Closed, h);
    notifications_.back().name = name;
    return InputResult::Done;
}

InputResult Model::userDropFiles(Handle h, std::vector<std::string> paths) {
    const InputResult r = acceptsInput(h);
    if (r != InputResult::Done) return r;
    if (!find(h)->acceptsDrops) return InputResult::WrongKind;
    droppedFiles_ = std::move(paths);
    notify(NotificationKind::DropFiles, h, static_cast<int>(droppedFiles_.size()));
    return InputResult::Done;
}

Handle Model::tabTarget(Handle form, Handle from, bool backward) const {
    const Window* f = find(form);
    if (!f) return from;
    // The cycle is the children in window order with the form itself after the last.
    const auto& kids = f->children;
    const int n = static_cast<int>(kids.size());
    int at = n;
    if (from != form) {
        auto it = std::find(kids.begin(), kids.end(), from);
        if (it == kids.end()) return from;
        at = static_cast<int>(it - kids.begin());
    }
    for (int step = 1; step <= n + 1; ++step) {
        const int i = ((backward ? at - step : at + step) % (n + 1) + (n + 1)) % (n + 1);
        if (i == n) return form;
        const Window& c = *find(kids[static_cast<std::size_t>(i)]);
        if (c.visible && c.enabled && c.tabStop) return c.handle;
    }
    return from;
}

bool Model::keyDown(int key, int modifiers) {
    const bool fresh = keysDown_.insert(key).second;
    const Handle form = activeForm();
    const Handle focused = focus_;
    const bool hookKey = key == key::Tab || key == key::Enter || key == key::Space;
    if (hookKey && !(modifiers & modifier::Alt) && form) {
        const Window& f = *find(form);
        const Window& w = *find(focused);
        if (!f.enabled || !w.enabled) return true;
        if (key == key::Tab) {
            if ((modifiers & modifier::Ctrl) && w.kind == Kind::Edit) {
                // Ctrl+Tab in an edit types a tab character.
                if (fresh && !w.edit.readOnly) userType(focused, "\t");
                return true;
            }
            const Handle next = tabTarget(form, focused, (modifiers & modifier::Shift) != 0);
            if (next != focused) {
                if (fresh) moveFocusByUser(next);
                return true;
            }
        } else if (w.isButtonClass()) {
            // A button goes down on a fresh key-down and is clicked on the key-up.
            if (fresh) {
                pressedButton_ = focused;
                get(focused)->pressed = true;
                markChanged(focused);
            }
            return true;
        }
    }
    if (exists(focused) && acceptsInput(focused) == InputResult::Done) {
        // Ctrl+A selects the edit's whole text, so that what is typed next replaces it.
        // The key still belongs to the edit: a native field that does the same itself
        // ends with the same selection.
        Window& w = *get(focused);
        if (key == key::A && (modifiers & (modifier::Ctrl | modifier::Alt)) == modifier::Ctrl && w.hasEditText()) {
            w.edit.selStart = 0;
            w.edit.selEnd = w.text.size();
            markChanged(focused);
        }
        notify(NotificationKind::KeyDown, focused, key);
    }
    return false;
}

bool Model::keyUp(int key, int modifiers) {
    keysDown_.erase(key);
    const Handle form = activeForm();
    const Handle focused = focus_;
    const bool hookKey = key == key::Tab || key == key::Enter || key == key::Space;
    if (hookKey && !(modifiers & modifier::Alt) && form) {
        const Window& f = *find(form);
        const Window& w = *find(focused);
        if (!f.enabled || !w.enabled) return true;
        if (key == key::Tab) {
            if ((modifiers & modifier::Ctrl) && w.kind == Kind::Edit) return true;
            if (tabTarget(form, focused, (modifiers & modifier::Shift) != 0) != focused) return true;
        } else if (w.isButtonClass()) {
            const Handle remembered = std::exchange(pressedButton_, 0);
            if (Window* p = get(remembered)) {
                p->pressed = false;
                markChanged(remembered);
            }
            if (remembered == focused) clickButton(*get(focused));
            return true;
        }
    }
    if (exists(focused) && acceptsInput(focused) == InputResult::Done)
        notify(NotificationKind::KeyUp, focused, key);
    return false;
}

}  // namespace platform
