#include "platform/model.hpp"

#include <algorithm>
#include <utility>

namespace platform {

const char* className(Kind kind) {
    switch (kind) {
    case Kind::Form: return "FORM";
    case Kind::PushButton:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::GroupBox: return "BUTTON";
    case Kind::Edit: return "EDIT";
    case Kind::Label: return "STATIC";
    case Kind::ListBox: return "LISTBOX";
    case Kind::HScrollBar:
    case Kind::VScrollBar: return "SCROLLBAR";
    case Kind::ComboBox: return "COMBOBOX";
    case Kind::PictureBox: return "PICTURE";
    }
    return "";
}

const char* kindWord(Kind kind) {
    switch (kind) {
    case Kind::Form: return "form";
    case Kind::PushButton: return "button";
    case Kind::OptionButton: return "option";
    case Kind::CheckBox: return "check";
    case Kind::GroupBox: return "group";
    case Kind::Edit: return "edit";
    case Kind::Label: return "label";
    case Kind::ListBox: return "list";
    case Kind::HScrollBar: return "hscroll";
    case Kind::VScrollBar: return "vscroll";
    case Kind::ComboBox: return "combo";
    case Kind::PictureBox: return "picture";
    }
    return "";
}

const char* inputResultText(InputResult r) {
    switch (r) {
    case InputResult::Done: return "done";
    case InputResult::NoWindow: return "no such window";
    case InputResult::Hidden: return "is hidden";
    case InputResult::Disabled: return "is disabled";
    case InputResult::ReadOnly: return "is read-only";
    case InputResult::WrongKind: return "does not take this action";
    case InputResult::OutOfRange: return "value out of range";
    }
    return "";
}

const char* notificationWord(NotificationKind kind) {
    switch (kind) {
    case NotificationKind::Click: return "click";
    case NotificationKind::DoubleClick: return "dblclick";
    case NotificationKind::Change: return "change";
    case NotificationKind::Scroll: return "scroll";
    case NotificationKind::GotFocus: return "focusin";
    case NotificationKind::LostFocus: return "focusout";
    case NotificationKind::KeyDown: return "keydown";
    case NotificationKind::KeyUp: return "keyup";
    case NotificationKind::MouseDown: return "mousedown";
    case NotificationKind::MouseMove: return "mousemove";
    case NotificationKind::MouseUp: return "mouseup";
    case NotificationKind::MouseWheel: return "wheel";
    case NotificationKind::Resize: return "resize";
    case NotificationKind::Move: return "move";
    case NotificationKind::CloseRequest: return "closerequest";
    case NotificationKind::Closed: return "closed";
    case NotificationKind::Timer: return "timer";
    case NotificationKind::DropFiles: return "dropfiles";
    }
    return "";
}

namespace {

bool whiteBackground(Kind k) {
    return k == Kind::Edit || k == Kind::ListBox || k == Kind::ComboBox || k == Kind::PictureBox;
}

// Border of a control: the sunken client edge, or a thin border.
int controlBorder(const Metrics& m, const Window& w) {
    if (w.exStyle & style::ExClientEdge) return m.clientEdge;
    if (w.style & style::Border) return m.borderWidth;
    return 0;
}

void fitComboText(Window& w) {
    if (w.kind != Kind::ComboBox || w.comboStyle != ComboStyle::DropDownList) return;
    w.text = w.list.selected >= 0 ? w.list.items[static_cast<std::size_t>(w.list.selected)] : std::string();
}

void clampTopIndex(ListState& l) {
    const int count = static_cast<int>(l.items.size());
    l.topIndex = std::clamp(l.topIndex, 0, std::max(count - 1, 0));
}

}  // namespace

Window* Model::get(Handle h) {
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : &it->second;
}

const Window* Model::find(Handle h) const {
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : &it->second;
}

Window* Model::change(Handle h) {
    Window* w = get(h);
    if (w) markChanged(h);
    return w;
}

void Model::markChanged(Handle h) {
    if (changedPending_.insert(h).second) changes_.push_back({ModelChange::Changed, h, 0});
}

std::vector<ModelChange> Model::takeChanges() {
    changedPending_.clear();
    return std::exchange(changes_, {});
}

std::optional<Notification> Model::takeNotification() {
    if (notifications_.empty()) return std::nullopt;
    Notification n = std::move(notifications_.front());
    notifications_.pop_front();
    return n;
}

Handle Model::createForm(std::string name, std::string cls, std::uint32_t st, std::uint32_t exSt, Rect outer,
                         Handle owner) {
    const Handle h = nextHandle_++;
    Window& w = windows_[h];
    w.handle = h;
    w.kind = Kind::Form;
    w.owner = exists(owner) ? owner : 0;
    w.name = std::move(name);
    w.className = std::move(cls);
    w.style = st;
    w.exStyle = exSt;
    w.rect = outer;
    w.normalRect = outer;
    w.visible = (st & style::Visible) != 0;
    w.enabled = (st & style::Disabled) == 0;
    w.topmost = (exSt & style::ExTopmost) != 0;
    fitRedrawBuffer(w);
    zOrder_.insert(zOrder_.begin(), h);
    sortZOrder();
    changes_.push_back({ModelChange::Created, h, 0});
    if (w.visible && !focus_) focus_ = h;
    return h;
}

Handle Model::createControl(Handle form, Kind kind, std::string name, std::uint32_t st, std::uint32_t exSt,
                            Rect rect) {
    Window* parent = get(form);
    if (!parent || !parent->isForm() || kind == Kind::Form) return 0;
    const Handle h = nextHandle_++;
    parent->children.push_back(h);
    Window& w = windows_[h];
    w.handle = h;
    w.kind = kind;
    w.parent = form;
    w.name = std::move(name);
    w.className = className(kind);
    w.style = st;
    w.exStyle = exSt;
    w.rect = rect;
    w.normalRect = rect;
    w.visible = (st & style::Visible) != 0;
    w.enabled = (st & style::Disabled) == 0;
    w.tabStop = (st & style::TabStop) != 0;
    w.font = parent->font;
    if (whiteBackground(kind)) w.back = 0xFFFFFF;
    switch (kind) {
    case Kind::Edit:
        w.edit.multiLine = (st & style::EditMultiLine) != 0;
        w.edit.readOnly = (st & style::EditReadOnly) != 0;
        w.edit.align = (st & style::EditRight)    ? TextAlign::Right
                       : (st & style::EditCenter) ? TextAlign::Center
                                                  : TextAlign::Left;
        break;
    case Kind::Label:
        w.edit.align = (st & 3) == style::LabelRight    ? TextAlign::Right
                       : (st & 3) == style::LabelCenter ? TextAlign::Center
                                                        : TextAlign::Left;
        break;
    case Kind::ComboBox:
        w.comboStyle = (st & 3) == style::ComboSimple     ? ComboStyle::Simple
                       : (st & 3) == style::ComboDropDown ? ComboStyle::DropDown
                                                          : ComboStyle::DropDownList;
        break;
    case Kind::PictureBox: fitRedrawBuffer(w); break;
    default: break;
    }
    changes_.push_back({ModelChange::Created, h, form});
    return h;
}

void Model::destroy(Handle h) {
    const Window* w = find(h);
    if (!w) return;
    if (w->isForm()) {
        std::vector<Handle> owned;
        for (Handle f : zOrder_)
            if (find(f)->owner == h) owned.push_back(f);
        for (Handle f : owned) destroy(f);
    }
    destroyTree(h);
}

void Model::destroyTree(Handle h) {
    Window* w = get(h);
    if (!w) return;
    const Handle parent = w->parent;
    const std::vector<Handle> kids = w->children;
    for (Handle c : kids) {
        windows_.erase(c);
        if (focus_ == c) focus_ = 0;
        if (pressedButton_ == c) pressedButton_ = 0;
    }
    if (Window* p = get(parent)) std::erase(p->children, h);
    std::erase(zOrder_, h);
    std::erase_if(timers_, [&](const auto& t) {
        return t.first.first == h || std::find(kids.begin(), kids.end(), t.first.first) != kids.end();
    });
    windows_.erase(h);
    if (pressedButton_ == h) pressedButton_ = 0;
    if (focus_ == h) focus_ = 0;
    if (!focus_) {
        for (Handle f : zOrder_)
            if (find(f)->visible) {
                focus_ = f;
                break;
            }
    }
    changes_.push_back({ModelChange::Destroyed, h, parent});
}

std::vector<Handle> Model::lookup(std::string_view address) const {
    std::vector<Handle> found;
    const auto dot = address.find('.');
    if (dot != std::string_view::npos) {
        const auto formName = address.substr(0, dot), controlName = address.substr(dot + 1);
        for (Handle f : zOrder_) {
            const Window& form = *find(f);
            if (form.name != formName) continue;
            for (Handle c : form.children)
                if (find(c)->name == controlName) found.push_back(c);
        }
        return found;
    }
    for (const auto& [h, w] : windows_)
        if (w.name == address) found.push_back(h);
    return found;
}

std::string Model::address(Handle h) const {
    const Window* w = find(h);
    if (!w) return {};
    if (w->isForm()) return w->name;
    return find(w->parent)->name + "." + w->name;
}

Handle Model::formOf(Handle h) const {
    const Window* w = find(h);
    if (!w) return 0;
    return w->isForm() ? h : w->parent;
}

Handle Model::activeForm() const { return formOf(focus_); }

void Model::setText(Handle h, std::string text) {
    Window* w = change(h);
    if (!w) return;
    if (w->kind == Kind::ComboBox && w->comboStyle == ComboStyle::DropDownList) return;
    w->text = std::move(text);
    if (w->hasEditText()) {
        w->edit.selStart = w->edit.selEnd = 0;
        w->edit.canUndo = false;
        w->edit.undoText.clear();
        w->edit.modified = false;
        // A new text is shown from its start.
        w->edit.firstVisibleLine = w->edit.firstVisibleColumn = 0;
    }
}

void Model::setVisible(Handle h, bool visible) {
    Window* w = change(h);
    if (!w) return;
    w->visible = visible;
    if (w->isForm() && visible && !focus_) focus_ = h;
}

void Model::setEnabled(Handle h, bool enabled) {
    if (Window* w = change(h)) w->enabled = enabled;
}

void Model::setRect(Handle h, Rect r) {
    Window* w = change(h);
    if (!w) return;
    w->rect = r;
    if (w->show == ShowState::Normal) w->normalRect = r;
    fitRedrawBuffer(*w);
}

Rect Model::clientRect(Handle h) const {
    const Window* w = find(h);
    if (!w) return {};
    if (w->isForm()) return platform::clientRect(metrics, w->rect, w->style, w->exStyle, w->hasMenu);
    const int b = controlBorder(metrics, *w);
    return {0, 0, std::max(0, w->rect.w - 2 * b), std::max(0, w->rect.h - 2 * b)};
}

void Model::setClientSize(Handle h, int width, int height) {
    const Window* w = find(h);
    if (!w) return;
    Rect r = w->rect;
    if (w->isForm()) {
        const Rect outer = outerRect(metrics, {0, 0, width, height}, w->style, w->exStyle, w->hasMenu);
        r.w = outer.w;
        r.h = outer.h;
    } else {
        const int b = controlBorder(metrics, *w);
        r.w = width + 2 * b;
        r.h = height + 2 * b;
    }
    setRect(h, r);
}

void Model::setShowState(Handle h, ShowState s) {
    Window* w = change(h);
    if (!w || w->show == s) return;
    if (w->show == ShowState::Normal) w->normalRect = w->rect;
    w->show = s;
    if (s == ShowState::Maximized) {
        // A maximised window's frame lies just outside the screen, as on the original platform.
        const int f = frameWidth(metrics, w->style, w->exStyle);
        w->rect = {-f, -f, metrics.screenWidth + 2 * f, metrics.screenHeight + 2 * f};
    } else {
        w->rect = w->normalRect;
    }
    fitRedrawBuffer(*w);
}

void Model::fitRedrawBuffer(Window& w) {
    if (!w.isForm() && w.kind != Kind::PictureBox) return;
    const Rect c = clientRect(w.handle);
    // A buffer larger than the system holds stays as it is: the window shows its background.
    if (!PixelBuffer::fits(c.w, c.h)) return;
    if (c.w != w.redraw.width() || c.h != w.redraw.height()) w.redraw.resize(c.w, c.h, w.back);
}

Handle Model::createBitmap(PixelBuffer pixels) {
    const Handle h = nextHandle_++;
    bitmaps_.emplace(h, std::move(pixels));
    return h;
}

void Model::destroyBitmap(Handle h) {
    bitmaps_.erase(h);
    bitmapModes_.erase(h);
}

int Model::bitmapMapMode(Handle h) const {
    const auto it = bitmapModes_.find(h);
    return it == bitmapModes_.end() ? 1 : it->second;
}

void Model::setBitmapMapMode(Handle h, int mode) {
    if (bitmapExists(h)) bitmapModes_[h] = mode;
}

const PixelBuffer* Model::pixels(Handle h) const {
    if (auto it = bitmaps_.find(h); it != bitmaps_.end()) return &it->second;
    const Window* w = find(h);
    if (!w || (!w->isForm() && w->kind != Kind::PictureBox)) return nullptr;
    return &w->redraw;
}

void Model::drawInto(Handle h, const std::function<Rect(PixelBuffer&)>& draw) {
    if (auto it = bitmaps_.find(h); it != bitmaps_.end()) {
        draw(it->second);
        return;
    }
    Window* w = get(h);
    if (!w || (!w->isForm() && w->kind != Kind::PictureBox)) return;
    const Rect area = draw(w->redraw);
    if (area.w <= 0 || area.h <= 0 || changedPending_.count(h)) return;
    // Drawings between two updates of the backend make one area.
    if (!changes_.empty() && changes_.back().what == ModelChange::Pixels && changes_.back().handle == h) {
        Rect& a = changes_.back().area;
        const int x0 = std::min(a.x, area.x), y0 = std::min(a.y, area.y);
        const int x1 = std::max(a.x + a.w, area.x + area.w), y1 = std::max(a.y + a.h, area.y + area.h);
        a = {x0, y0, x1 - x0, y1 - y0};
        return;
    }
    changes_.push_back({ModelChange::Pixels, h, 0, area});
}

void Model::sortZOrder() {
    std::stable_partition(zOrder_.begin(), zOrder_.end(), [&](Handle f) { return find(f)->topmost; });
}

void Model::setTopmost(Handle h, bool topmost) {
    Window* w = change(h);
    if (!w || !w->isForm()) return;
    w->topmost = topmost;
    if (topmost) w->exStyle |= style::ExTopmost;
    else w->exStyle &= ~style::ExTopmost;
    bringToFront(h);
}

void Model::bringToFront(Handle h) {
    if (!exists(h)) return;
    std::erase(zOrder_, h);
    zOrder_.insert(zOrder_.begin(), h);
    sortZOrder();
    markChanged(h);
}

void Model::setFocus(Handle h) {
    if (!exists(h) || focus_ == h) return;
    const Handle old = focus_;
    focus_ = h;
    if (exists(old)) markChanged(old);
    markChanged(h);
    if (formOf(old) != formOf(h)) bringToFront(formOf(h));
}

void Model::addItem(Handle h, std::string text) { insertItem(h, -1, std::move(text)); }

bool Model::insertItem(Handle h, int index, std::string text) {
    Window* w = change(h);
    if (!w || !w->hasList()) return false;
    ListState& l = w->list;
    const int count = static_cast<int>(l.items.size());
    if (index < -1 || index > count) return false;
    if (index == -1) index = count;
    l.items.insert(l.items.begin() + index, std::move(text));
    l.marked.insert(l.marked.begin() + index, false);
    if (l.selected >= index) ++l.selected;
    return true;
}

bool Model::deleteItem(Handle h, int index) {
    Window* w = change(h);
    if (!w || !w->hasList()) return false;
    ListState& l = w->list;
    if (index < 0 || index >= static_cast<int>(l.items.size())) return false;
    l.items.erase(l.items.begin() + index);
    l.marked.erase(l.marked.begin() + index);
    if (l.selected == index) l.selected = -1;
    else if (l.selected > index) --l.selected;
    clampTopIndex(l);
    fitComboText(*w);
    return true;
}

void Model::clearItems(Handle h) {
    Window* w = change(h);
    if (!w || !w->hasList()) return;
    w->list = ListState{};
    fitComboText(*w);
}

bool Model::select(Handle h, int index) {
    Window* w = change(h);
    if (!w || !w->hasList()) return false;
    // One current selection is a single-selection idea; several-item lists use setMarked.
    if (w->multipleSelection()) return false;
    ListState& l = w->list;
    if (index < -1 || index >= static_cast<int>(l.items.size())) return false;
    l.selected = index;
    if (w->kind == Kind::ComboBox) {
        if (w->comboStyle == ComboStyle::DropDownList) fitComboText(*w);
        else if (index >= 0) w->text = l.items[static_cast<std::size_t>(index)];
    }
    return true;
}

bool Model::setMarked(Handle h, int index, bool marked) {
    Window* w = change(h);
    if (!w || !w->multipleSelection()) return false;
    ListState& l = w->list;
    if (index == -1) {
        std::fill(l.marked.begin(), l.marked.end(), marked);
        return true;
    }
    if (index < 0 || index >= static_cast<int>(l.items.size())) return false;
    l.marked[static_cast<std::size_t>(index)] = marked;
    return true;
}

void Model::setSelection(Handle h, std::size_t start, std::size_t end) {
    Window* w = change(h);
    if (!w) return;
    if (start > end) std::swap(start, end);
    w->edit.selStart = std::min(start, w->text.size());
    w->edit.selEnd = std::min(end, w->text.size());
}

std::string Model::selectedText(Handle h) const {
    const Window* w = find(h);
    if (!w) return {};
    const std::size_t s = std::min(w->edit.selStart, w->text.size());
    const std::size_t e = std::clamp(w->edit.selEnd, s, w->text.size());
    return w->text.substr(s, e - s);
}

void Model::replaceSelection(Handle h, std::string_view text) {
    Window* w = change(h);
    if (!w || !w->hasEditText()) return;
    EditState& e = w->edit;
    const std::size_t s = std::min(e.selStart, w->text.size());
    const std::size_t end = std::clamp(e.selEnd, s, w->text.size());
    e.undoText = w->text;
    e.canUndo = true;
    w->text.replace(s, end - s, text);
    e.selStart = e.selEnd = s + text.size();
}

bool Model::undo(Handle h) {
    Window* w = change(h);
    if (!w || !w->hasEditText() || !w->edit.canUndo) return false;
    // Undo swaps the text with the saved one, so undoing twice redoes.
    std::swap(w->text, w->edit.undoText);
    w->edit.selStart = w->edit.selEnd = std::min(w->edit.selEnd, w->text.size());
    return true;
}

void Model::scrollText(Handle h, long long columns, long long lines) {
    const Window* w = find(h);
    if (!w || !w->hasEditText() || !w->edit.multiLine) return;
    // Lines end with CR LF in the model's text.
    long long lastLine = 0, longest = 0;
    std::string_view rest = w->text;
    while (true) {
        const auto end = rest.find("\r\n");
        longest = std::max(longest, static_cast<long long>(std::min(end, rest.size())));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 2);
        ++lastLine;
    }
    EditState& e = change(h)->edit;
    e.firstVisibleLine = static_cast<int>(std::clamp(e.firstVisibleLine + lines, 0LL, lastLine));
    e.firstVisibleColumn = static_cast<int>(std::clamp(e.firstVisibleColumn + columns, 0LL, longest));
}

void Model::setCheck(Handle h, int state) {
    if (Window* w = change(h)) w->check = std::clamp(state, 0, 2);
}

void Model::setScrollRange(Handle h, int min, int max) {
    Window* w = change(h);
    if (!w) return;
    w->scroll.min = min;
    w->scroll.max = max;
    w->scroll.pos = std::clamp(w->scroll.pos, std::min(min, max), std::max(min, max));
}

void Model::setScrollPos(Handle h, int pos) {
    Window* w = change(h);
    if (!w) return;
    const ScrollState& s = w->scroll;
    w->scroll.pos = std::clamp(pos, std::min(s.min, s.max), std::max(s.min, s.max));
}

void Model::setTimer(Handle window, int id, std::chrono::milliseconds interval, Clock::time_point now) {
    if (!exists(window)) return;
    timers_[{window, id}] = Timer{interval, now + interval};
}

void Model::killTimer(Handle window, int id) { timers_.erase({window, id}); }

void Model::fireDueTimers(Clock::time_point now) {
    // A timer that fell several intervals behind fires once, as a timer message does.
    for (auto& [key, t] : timers_) {
        if (t.due > now) continue;
        notify(NotificationKind::Timer, key.first, key.second);
        t.due = now + t.interval;
    }
}

bool Model::fireTimer(Handle window, int id) {
    if (!timers_.count({window, id})) return false;
    notify(NotificationKind::Timer, window, id);
    return true;
}

std::optional<Clock::time_point> Model::nextTimerDue() const {
    std::optional<Clock::time_point> next;
    for (const auto& [key, t] : timers_)
        if (!next || t.due < *next) next = t.due;
    return next;
}

}  // namespace platform
