#include "platform/fltk/widgets.hpp"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/cp932.hpp"

namespace platform::fltk {

namespace {

int mouseButton() {
    switch (Fl::event_button()) {
    case FL_LEFT_MOUSE: return mouse::Left;
    case FL_RIGHT_MOUSE: return mouse::Right;
    case FL_MIDDLE_MOUSE: return mouse::Middle;
    default: return 0;
    }
}

int shiftState() {
    const int s = Fl::event_state();
    return ((s & FL_SHIFT) ? modifier::Shift : 0) | ((s & FL_CTRL) ? modifier::Ctrl : 0) |
           ((s & FL_ALT) ? modifier::Alt : 0);
}

// The menu of a combo box: items point into `texts`, which must outlive the menu.
void buildMenu(const std::vector<std::string>& items, std::vector<std::string>& texts,
               std::vector<Fl_Menu_Item>& menu) {
    texts.clear();
    for (const std::string& item : items) texts.push_back(cp932ToUtf8(item));
    menu.assign(texts.size() + 1, Fl_Menu_Item{});
    for (std::size_t i = 0; i < texts.size(); ++i) menu[i].text = texts[i].c_str();
}

std::vector<std::string> utf8Items(const std::vector<std::string>& items) {
    std::vector<std::string> out;
    for (const std::string& item : items) out.push_back(cp932ToUtf8(item));
    return out;
}

// Lines of a label's text that fit `width` in the current font. Lines break at a blank
// between words and between any two Japanese characters, as the original platform's
// word wrap does; CR LF or LF always breaks.
std::vector<std::string> wrapLines(const std::string& utf8, int width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r') {
            ++i;
            continue;
        }
        if (c == '\n') {
            lines.push_back(std::exchange(line, {}));
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        if (c > ' ' && c < 0x80) {
            while (end < utf8.size() && utf8[end] > ' ' && static_cast<unsigned char>(utf8[end]) < 0x80) ++end;
        } else if (c >= 0x80) {
            while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        }
        const std::string token = utf8.substr(i, end - i);
        i = end;
        if (!line.empty() && fl_width((line + token).c_str()) > width) {
            while (!line.empty() && line.back() == ' ') line.pop_back();
            lines.push_back(std::exchange(line, {}));
            if (token == " ") continue;
        }
        line += token;
    }
    lines.push_back(line);
    return lines;
}

// An edit's text as the widget holds it: UTF-8 with LF line breaks, where the model holds
// CP932 with CR LF (and counts both bytes against the limit).
std::string widgetText(std::string_view cp932) {
    std::string out;
    for (char c : cp932ToUtf8(cp932))
        if (c != '\r') out += c;
    return out;
}

std::string modelText(std::string_view utf8) {
    std::string withCr;
    for (char c : utf8) {
        if (c == '\n') withCr += '\r';
        withCr += c;
    }
    return utf8ToCp932(withCr);
}

// `after` is `before` with one stretch replaced; the same change with the new stretch
// cut (at a character) so that the whole text stays within `limit` model bytes.
std::string fitToLimit(const std::string& before, const std::string& after, std::size_t limit) {
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    while (head > 0 && (static_cast<unsigned char>(after[head]) & 0xC0) == 0x80) --head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    while (tail > 0 && (static_cast<unsigned char>(after[after.size() - tail]) & 0xC0) == 0x80) --tail;
    const std::string prefix = after.substr(0, head), suffix = after.substr(after.size() - tail);
    const std::string inserted = after.substr(head, after.size() - head - tail);
    std::string kept;
    for (std::size_t i = 0; i < inserted.size();) {
        std::size_t n = 1;
        while (i + n < inserted.size() && (static_cast<unsigned char>(inserted[i + n]) & 0xC0) == 0x80) ++n;
        if (modelText(prefix + kept + inserted.substr(i, n) + suffix).size() > limit) break;
        kept += inserted.substr(i, n);
        i += n;
    }
    return prefix + kept + suffix;
}

// A closed drop-down combo box shows one line of its font; the height the program gave
// it is the height of the box with its list dropped, as on the original platform.
void showClosedHeight(Fl_Widget& widget, const Window& w) {
    const int closed = std::min(w.rect.h, fontSizeFor(w.font) + 8);
    if (widget.h() != closed) widget.resize(widget.x(), widget.y(), widget.w(), closed);
}

int controlBorder(const Window& w) {
    if (w.exStyle & style::ExClientEdge) return 2;
    return (w.style & style::Border) ? 1 : 0;
}

}  // namespace

Handle Native::handleOf(Fl_Widget* widget) {
    for (; widget; widget = widget->parent())
        if (auto* n = dynamic_cast<Native*>(widget)) return n->modelHandle();
    return 0;
}

void Native::updateCommon(Fl_Widget& widget, const Window& w) {
    const Rect& r = w.rect;
    if (widget.x() != r.x || widget.y() != r.y || widget.w() != r.w || widget.h() != r.h)
        widget.resize(r.x, r.y, r.w, r.h);
    if (w.visible && !widget.visible()) widget.show();
    if (!w.visible && widget.visible()) widget.hide();
    if (w.enabled && !widget.active()) widget.activate();
    if (!w.enabled && widget.active()) widget.deactivate();
    widget.color(colourFor(w.back));
    widget.labelcolor(colourFor(w.fore));
    widget.labelfont(fontFor(w.font));
    widget.labelsize(fontSizeFor(w.font));
    // FLTK's focus on a part of this control (the edit of a combo box, the scroll bar of an
    // edit) is the model's focus on it: the control does not take it back from its part.
    if (model().focus() == handle_ && handleOf(Fl::focus()) != handle_ && widget.visible_r()) widget.take_focus();
    widget.redraw();
}

void Native::focused() {
    if (!syncing()) model().userFocus(handle_);
}

// --- forms ----------------------------------------------------------------------------

FormWindow::FormWindow(FltkBackend& backend, Handle h, const Rect& client)
    : Fl_Double_Window(client.x, client.y, std::max(client.w, 1), std::max(client.h, 1)), Native(backend, h) {
    end();
    // Controls keep the geometry the model gives them when the window is resized.
    resizable(nullptr);
    callback([](Fl_Widget* widget, void*) {
        // FLTK closes a window on Escape too; only the close box is the user closing it.
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
        auto* self = static_cast<FormWindow*>(widget);
        self->model().userClose(self->modelHandle());
    });
}

void FormWindow::update(const Window& w) {
    const Rect client = model().clientRect(handle_);
    if (x() != client.x || y() != client.y || this->w() != client.w || h() != client.h)
        resize(client.x, client.y, std::max(client.w, 1), std::max(client.h, 1));
    const std::string title = cp932ToUtf8(w.text);
    if (title != title_) {
        title_ = title;
        label(title_.c_str());
    }
    if (xclass_ != w.className) {
        xclass_ = w.className;
        xclass(xclass_.c_str());
    }
    color(colourFor(w.back));
    if (w.style & style::ThickFrame) size_range(1, 1);
    else size_range(client.w, client.h, client.w, client.h);
    if (w.visible && !shown()) show();
    if (!w.visible && shown()) hide();
    if (w.visible && w.show == ShowState::Minimized) iconize();
    if (model().focus() == handle_ && Fl::focus() != this && shown()) Fl::focus(this);
    else focusModelControl();
    redraw();
}

void drawPixels(const PixelBuffer& buffer, int x, int y, int width, int height) {
    int cx = 0, cy = 0, cw = 0, ch = 0;
    fl_clip_box(x, y, std::min(width, buffer.width()), std::min(height, buffer.height()), cx, cy, cw, ch);
    if (cw <= 0 || ch <= 0) return;
    struct Part {
        const PixelBuffer* buffer;
        int left, top;  // the part's first pixel in the buffer
    } part{&buffer, cx - x, cy - y};
    // The buffer's rows are B, G, R, X; FLTK wants R, G, B.
    fl_draw_image(
        [](void* data, int px, int py, int n, uchar* out) {
            const auto* p = static_cast<const Part*>(data);
            const std::uint8_t* in = p->buffer->row(p->top + py) + static_cast<std::size_t>(p->left + px) * 4;
            for (int i = 0; i < n; ++i, in += 4, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        },
        &part, cx, cy, cw, ch, 3);
}

void FormWindow::redrawArea(const Window&, const Rect& area) { damage(FL_DAMAGE_USER1, area.x, area.y, area.w, area.h); }

void FormWindow::draw() {
    const uchar d = damage();
    if (d == FL_DAMAGE_CHILD) return draw_children();  // only controls changed
    const Window* w = model().find(handle_);
    fl_color(color());
    fl_rectf(0, 0, this->w(), h());
    if (w) drawPixels(w->redraw, 0, 0, this->w(), h());
    if (d & ~(FL_DAMAGE_CHILD | FL_DAMAGE_USER1)) return draw_children();  // the whole window
    // A drawing into the buffer: the controls over the part drawn again (FLTK's clip is
    // that part), and any control that changed itself.
    for (int i = 0; i < children(); ++i) {
        Fl_Widget& c = *child(i);
        if (c.visible() && fl_not_clipped(c.x(), c.y(), c.w(), c.h())) draw_child(c);
        else update_child(c);
    }
}

bool FormWindow::focusModelControl() {
    // A control is brought up to date before its form when it changed first (the program
    // cleared a field, then showed its hidden form and put the focus there): it could not
    // take the focus while its window was hidden, so the form gives it now.
    const Handle focus = model().focus();
    if (focus == handle_ || model().formOf(focus) != handle_ || !shown()) return false;
    Fl_Widget* control = backend_.widget(focus);
    if (!control || !control->visible_r()) return false;
    return control->contains(Fl::focus()) || control->take_focus();
}

int FormWindow::handle(int event) {
    const Window* w = model().find(handle_);
    switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOUSEWHEEL:
    case FL_KEYDOWN:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_PASTE:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
        // A disabled form (under a modal dialog) takes no input, even though X still
        // delivers it.
        if (w && !w->enabled) return 1;
        break;
    default: break;
    }
    switch (event) {
    case FL_PUSH: {
        if (Fl_Double_Window::handle(event)) return 1;  // a control took it
        model().userMouse(NotificationKind::MouseDown, handle_, mouseButton(), shiftState(), Fl::event_x(),
                          Fl::event_y());
        if (Fl::event_clicks()) model().userDoubleClick(handle_);
        return 1;
    }
    case FL_DRAG:
        if (Fl::pushed() != this) break;
        model().userMouse(NotificationKind::MouseMove, handle_, mouseButton(), shiftState(), Fl::event_x(),
                          Fl::event_y());
        return 1;
    case FL_RELEASE:
        if (Fl::pushed() != this) break;
        model().userMouse(NotificationKind::MouseUp, handle_, mouseButton(), shiftState(), Fl::event_x(),
                          Fl::event_y());
        model().userClick(handle_);
        return 1;
    case FL_MOVE: {
        const int r = Fl_Double_Window::handle(event);
        if (Fl::belowmouse() == this || !r)
            model().userMouse(NotificationKind::MouseMove, handle_, 0, shiftState(), Fl::event_x(), Fl::event_y());
        return 1;
    }
    case FL_ENTER:
        Fl_Double_Window::handle(event);
        return 1;
    case FL_FOCUS: {
        // The keyboard came to the window: it goes to the control the model has the focus
        // on, not to the one FLTK remembers from the last time the window had it.
        if (focusModelControl()) return 1;
        const int r = Fl_Double_Window::handle(event);
        if (!Fl::focus() || Fl::focus() == this) focused();
        return r;
    }
    default: break;
    }
    return Fl_Double_Window::handle(event);
}

void FormWindow::resize(int x, int y, int w, int h) {
    const bool moved = x != this->x() || y != this->y();
    const bool sized = w != this->w() || h != this->h();
    Fl_Double_Window::resize(x, y, w, h);
    if (syncing() || (!moved && !sized)) return;
    const Window* form = model().find(handle_);
    if (!form) return;
    // The user moved or sized the window: the model keeps outer rectangles.
    const Rect outer = outerRect(model().metrics, {x, y, w, h}, form->style, form->exStyle, form->hasMenu);
    if (moved) model().userMove(handle_, outer.x, outer.y);
    if (sized) model().userResize(handle_, outer.w, outer.h);
}

// --- buttons --------------------------------------------------------------------------

PushButton::PushButton(FltkBackend& backend, Handle h) : Fl_Button(0, 0, 1, 1), Native(backend, h) {
    // A caption longer than the button is cut at its edges, never drawn over its neighbours.
    align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<PushButton*>(widget);
        if (!self->syncing()) self->model().userClick(self->modelHandle());
    });
}

void PushButton::update(const Window& w) {
    updateCommon(*this, w);
    copy_label(labelFor(w.text).c_str());
    // Held down by Enter or Space. While the mouse holds it, FLTK's own state decides
    // whether the release is a click; it must not be overwritten then.
    if (Fl::pushed() != this) value(w.pressed ? 1 : 0);
}

int PushButton::handle(int event) {
    const int r = Fl_Button::handle(event);
    if (event == FL_FOCUS) focused();
    return r;
}

CheckBox::CheckBox(FltkBackend& backend, Handle h, bool option) : Fl_Check_Button(0, 0, 1, 1), Native(backend, h) {
    if (option) down_box(FL_ROUND_DOWN_BOX);
    box(FL_FLAT_BOX);
    align(align() | FL_ALIGN_CLIP);
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<CheckBox*>(widget);
        if (self->syncing()) return;
        // The model decides the new state; the next update shows it.
        self->model().userClick(self->modelHandle());
    });
}

void CheckBox::update(const Window& w) {
    updateCommon(*this, w);
    copy_label(labelFor(w.text).c_str());
    if (Fl::pushed() != this) value(w.check ? 1 : 0);
    selection_color(w.check == 2 ? FL_DARK2 : FL_FOREGROUND_COLOR);  // indeterminate: a grey mark
}

int CheckBox::handle(int event) {
    const int r = Fl_Check_Button::handle(event);
    if (event == FL_FOCUS) focused();
    return r;
}

// --- group box and label --------------------------------------------------------------

GroupBox::GroupBox(FltkBackend& backend, Handle h) : Fl_Widget(0, 0, 1, 1), Native(backend, h) {}

void GroupBox::update(const Window& w) {
    updateCommon(*this, w);
    const std::string text = cp932ToUtf8(w.text);
    if (text != text_ && parent()) parent()->redraw();  // the old caption lies outside the frame
    text_ = text;
}

void GroupBox::draw() {
    fl_font(labelfont(), labelsize());
    const int th = fl_height();
    const int top = y() + th / 2;
    const int fh = h() - th / 2;
    // An etched frame: a dark line with a light one inside and below it.
    fl_color(FL_DARK3);
    fl_rect(x(), top, w() - 1, fh - 1);
    fl_color(FL_LIGHT3);
    fl_rect(x() + 1, top + 1, w() - 1, fh - 1);
    if (text_.empty()) return;
    const int tw = static_cast<int>(fl_width(text_.c_str()));
    fl_color(color());
    fl_rectf(x() + 6, y(), tw + 4, th);
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    fl_draw(text_.c_str(), x() + 8, y() + th - fl_descent());
}

Label::Label(FltkBackend& backend, Handle h) : Fl_Widget(0, 0, 1, 1), Native(backend, h) {}

void Label::update(const Window& w) {
    updateCommon(*this, w);
    text_ = cp932ToUtf8(w.text);
    align_ = w.edit.align;
    underline_ = w.font.underline;
    strikeout_ = w.font.strikeout;
}

void Label::draw() {
    fl_color(color());
    fl_rectf(x(), y(), w(), h());
    fl_font(labelfont(), labelsize());
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    const Fl_Align horizontal = align_ == TextAlign::Right    ? FL_ALIGN_RIGHT
                                : align_ == TextAlign::Center ? FL_ALIGN_CENTER
                                                              : FL_ALIGN_LEFT;
    fl_push_clip(x(), y(), w(), h());
    int top = y();
    for (const std::string& line : wrapLines(text_, w())) {
        fl_draw(line.c_str(), x(), top, w(), fl_height(), horizontal | FL_ALIGN_TOP | FL_ALIGN_INSIDE, nullptr, 0);
        // FLTK fonts have no underline or strikeout: the lines are drawn under the text.
        const int width = static_cast<int>(fl_width(line.c_str()));
        const int left = horizontal == FL_ALIGN_RIGHT    ? x() + w() - width
                         : horizontal == FL_ALIGN_CENTER ? x() + (w() - width) / 2
                                                         : x();
        const int baseline = top + fl_height() - fl_descent();
        if (underline_) fl_xyline(left, baseline + 1, left + width - 1);
        if (strikeout_) fl_xyline(left, baseline - fl_height() / 3, left + width - 1);
        top += fl_height();
    }
    fl_pop_clip();
}

int Label::handle(int event) {
    switch (event) {
    case FL_PUSH: return 1;
    case FL_RELEASE:
        if (!Fl::event_inside(this)) return 1;
        model().userClick(handle_);
        if (Fl::event_clicks()) model().userDoubleClick(handle_);
        return 1;
    default: return Fl_Widget::handle(event);
    }
}

// --- edits ----------------------------------------------------------------------------

template <class Base>
EditWidget<Base>::EditWidget(FltkBackend& backend, Handle h) : Base(0, 0, 1, 1), Native(backend, h) {
    Base::when(FL_WHEN_NEVER);
    Base::box(FL_DOWN_BOX);
}

template <class Base>
void EditWidget<Base>::update(const Window& w) {
    updateCommon(*this, w);
    Base::textfont(fontFor(w.font));
    Base::textsize(fontSizeFor(w.font));
    Base::textcolor(colourFor(w.fore));
    Base::readonly(w.edit.readOnly ? 1 : 0);
    const std::string text = widgetText(w.text);
    if (text != Base::value()) Base::value(text.c_str());
    const std::string_view held = w.text;
    const int start = static_cast<int>(widgetText(held.substr(0, w.edit.selStart)).size());
    const int end = static_cast<int>(widgetText(held.substr(0, w.edit.selEnd)).size());
    if (Base::position() != end || Base::mark() != start) Base::position(end, start);
    // A column is a half-width cell; a line is as high as the input draws its lines.
    fl_font(Base::textfont(), Base::textsize());
    const int scrollX = static_cast<int>(std::lround(w.edit.firstVisibleColumn * fl_width("0")));
    const int scrollY = w.edit.firstVisibleLine * fl_height();
    if (scrollX != scrollX_ || scrollY != scrollY_) {
        scrollX_ = scrollX;
        scrollY_ = scrollY;
        Base::redraw();
    }
}

// FLTK's input always scrolls its caret into view, from a scroll position only it can set.
// Without the focus (no caret or selection is drawn then), the text is drawn into a box
// that reaches out to the left and above by the model's scroll position, clipped to the
// real one: the program's scroll shows exactly while the caret is not below or right of
// the view. With the focus the input shows the text around its caret, as while typing.
template <class Base>
void EditWidget<Base>::draw() {
    if ((scrollX_ == 0 && scrollY_ == 0) || Fl::focus() == this) return Base::draw();
    const Fl_Boxtype b = Base::box();
    Base::draw_box(b, Base::color());
    const int x = Base::x() + Fl::box_dx(b), y = Base::y() + Fl::box_dy(b);
    const int w = Base::w() - Fl::box_dw(b), h = Base::h() - Fl::box_dh(b);
    Base::clear_damage(FL_DAMAGE_ALL);  // every line, not only the ones FLTK saw change
    fl_push_clip(x, y, w, h);
    Base::drawtext(x - scrollX_, y - scrollY_, w + scrollX_, h + scrollY_);
    fl_pop_clip();
}

template <class Base>
int EditWidget<Base>::handle(int event) {
    if (event == FL_PUSH && Fl::focus() != this && (scrollX_ != 0 || scrollY_ != 0)) {
        // The click lands on the text as it was drawn from the model's scroll position;
        // the input goes on from there vertically and scrolls to its caret sideways.
        Base::yscroll(Base::yscroll() + scrollY_);
        const int x = Fl::e_x;
        Fl::e_x += scrollX_;
        const int r = handleInput(event);
        Fl::e_x = x;
        return r;
    }
    return handleInput(event);
}

template <class Base>
int EditWidget<Base>::handleInput(int event) {
    if (event == FL_FOCUS) {
        const int r = Base::handle(event);
        focused();
        return r;
    }
    const std::string before = Base::value();
    const int position = Base::position(), mark = Base::mark();
    const int r = Base::handle(event);
    if (syncing()) return r;
    const Window* w = model().find(handle_);
    if (!w) return r;
    std::string after = Base::value();
    if (after != before) {
        std::string cp932 = modelText(after);
        if (cp932.size() > w->edit.limit) {
            // Past the edit limit, counted in the model's bytes: only as much of what was
            // typed or pasted goes in as fits, as the original platform's edit does.
            after = fitToLimit(before, after, w->edit.limit);
            const int caret = Base::position() - static_cast<int>(Base::value() ? std::strlen(Base::value()) : 0) +
                              static_cast<int>(after.size());
            Base::value(after.c_str());
            Base::position(std::clamp(caret, 0, static_cast<int>(after.size())));
            if (after == before) {
                Base::position(position, mark);
                return 1;
            }
            cp932 = modelText(after);
        }
        model().userSetText(handle_, std::move(cp932));
    }
    const std::string_view shown = after;
    const auto lo = static_cast<std::size_t>(std::min(Base::position(), Base::mark()));
    const auto hi = static_cast<std::size_t>(std::max(Base::position(), Base::mark()));
    const std::size_t s = modelText(shown.substr(0, lo)).size();
    const std::size_t e = modelText(shown.substr(0, hi)).size();
    if (s != w->edit.selStart || e != w->edit.selEnd) model().userSelectText(handle_, s, e);
    return r;
}

template class EditWidget<Fl_Input>;
template class EditWidget<Fl_Multiline_Input>;

ScrolledEdit::ScrolledEdit(FltkBackend& backend, Handle h) : Fl_Group(0, 0, 1, 1), Native(backend, h) {
    edit_ = new MultiLineEdit(backend, h);
    vertical_ = new Fl_Scrollbar(0, 0, 1, 1);
    horizontal_ = new Fl_Scrollbar(0, 0, 1, 1);
    end();
    resizable(nullptr);
    box(FL_DOWN_BOX);
    edit_->box(FL_FLAT_BOX);
    horizontal_->type(FL_HORIZONTAL);
    for (Fl_Scrollbar* bar : {vertical_, horizontal_}) {
        // The trough lighter than the face, as the scroll bar controls draw it.
        bar->color(fl_color_average(FL_BACKGROUND_COLOR, FL_WHITE, 0.5f));
        bar->callback([](Fl_Widget*, void* self) { static_cast<ScrolledEdit*>(self)->scrolled(); }, this);
    }
}

void ScrolledEdit::draw() {
    Fl_Group::draw();
    // The square between the two bars has the face colour.
    if (vertical_->visible() && horizontal_->visible()) {
        fl_color(FL_BACKGROUND_COLOR);
        fl_rectf(vertical_->x(), horizontal_->y(), vertical_->w(), horizontal_->h());
    }
}

void ScrolledEdit::update(const Window& w) {
    updateCommon(*this, w);
    const bool vertical = (w.style & style::VScroll) != 0, horizontal = (w.style & style::HScroll) != 0;
    const int bar = model().metrics.scrollBarWidth;
    const int ix = x() + Fl::box_dx(box()), iy = y() + Fl::box_dy(box());
    const int iw = std::max(1, w.rect.w - Fl::box_dw(box()) - (vertical ? bar : 0));
    const int ih = std::max(1, w.rect.h - Fl::box_dh(box()) - (horizontal ? bar : 0));
    Window inner = w;
    inner.rect = {ix, iy, iw, ih};
    edit_->update(inner);
    vertical_->resize(ix + iw, iy, bar, ih);
    horizontal_->resize(ix, iy + ih, iw, bar);
    if (vertical != (vertical_->visible() != 0)) vertical ? vertical_->show() : vertical_->hide();
    if (horizontal != (horizontal_->visible() != 0)) horizontal ? horizontal_->show() : horizontal_->hide();
    // The ranges: the text's lines (CR LF ends one) and its longest line in bytes, against
    // the lines and half-width columns the edit shows.
    int lines = 1, longest = 0, length = 0;
    for (std::size_t i = 0; i < w.text.size(); ++i) {
        if (w.text[i] == '\r' && i + 1 < w.text.size() && w.text[i + 1] == '\n') {
            ++lines;
            ++i;
            length = 0;
        } else {
            longest = std::max(longest, ++length);
        }
    }
    fl_font(fontFor(w.font), fontSizeFor(w.font));
    const int shownLines = std::max(1, ih / std::max(1, fl_height()));
    const int shownColumns = std::max(1, static_cast<int>(iw / std::max(1.0, fl_width("0"))));
    vertical_->value(w.edit.firstVisibleLine, shownLines, 0, std::max(lines, shownLines));
    horizontal_->value(w.edit.firstVisibleColumn, shownColumns, 0, std::max(longest, shownColumns));
    vertical_->linesize(1);
    horizontal_->linesize(1);
}

int ScrolledEdit::handle(int event) {
    if (event == FL_MOUSEWHEEL && Fl::event_dy() != 0 && vertical_->visible() && active_r()) {
        const Window* w = model().find(handle_);
        if (!w || !w->enabled) return 1;
        vertical_->value(static_cast<int>(vertical_->clamp(vertical_->value() + 3 * Fl::event_dy())));
        if (contains(Fl::focus())) vertical_->take_focus();
        scrolled();
        return 1;
    }
    return Fl_Group::handle(event);
}

void ScrolledEdit::scrolled() {
    if (syncing()) return;
    Window* w = model().change(handle_);
    if (!w) return;
    w->edit.firstVisibleLine = static_cast<int>(vertical_->value());
    w->edit.firstVisibleColumn = static_cast<int>(horizontal_->value());
}

// --- lists ----------------------------------------------------------------------------

ListBox::ListBox(FltkBackend& backend, Handle h, bool multiple)
    : Fl_Browser(0, 0, 1, 1), Native(backend, h), multiple_(multiple) {
    type(multiple ? FL_MULTI_BROWSER : FL_HOLD_BROWSER);
    format_char(0);  // '@' in an item is text, not a format code
    when(FL_WHEN_CHANGED | FL_WHEN_NOT_CHANGED);
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<ListBox*>(widget);
        if (self->syncing()) return;
        const int line = self->value();
        if (line <= 0) return;
        self->model().userPick(self->modelHandle(), line - 1);
        if (Fl::event_clicks()) self->model().userDoubleClick(self->modelHandle());
    });
}

void ListBox::update(const Window& w) {
    updateCommon(*this, w);
    // The scroll bars its style gives it, as the original platform's list box has them: a
    // list without a horizontal one cuts a long line at its edge. FLTK's default of both
    // took a horizontal bar's height from a short list (the review's lists of trades and
    // settlements, three lines high), which then needed a vertical one and cut its lines
    // further.
    const auto bars = static_cast<uchar>(((w.style & style::VScroll) ? Fl_Browser_::VERTICAL : 0) |
                                         ((w.style & style::HScroll) ? Fl_Browser_::HORIZONTAL : 0));
    if (has_scrollbar() != bars) has_scrollbar(bars);
    textfont(fontFor(w.font));
    textsize(fontSizeFor(w.font));
    textcolor(colourFor(w.fore));
    selection_color(fl_rgb_color(0, 0, 128));
    std::vector<std::string> items = utf8Items(w.list.items);
    if (items != shown_) {
        clear();
        for (const std::string& item : items) add(item.c_str());
        shown_ = std::move(items);
    }
    for (int i = 0; i < size(); ++i) {
        const bool on = multiple_ ? bool(w.list.marked[static_cast<std::size_t>(i)]) : i == w.list.selected;
        if ((selected(i + 1) != 0) != on) select(i + 1, on ? 1 : 0);
    }
    if (size() > 0 && topline() != w.list.topIndex + 1) topline(w.list.topIndex + 1);
}

int ListBox::item_height(void* item) const {
    // A line one pixel taller above and below its text: FLTK's line is as high as the
    // font, and the fixed-pitch face draws '_' on its last pixel row, where the dotted
    // focus frame of the selected line covers it ("2026/03/02_10:00:00" read as a blank).
    return Fl_Browser::item_height(item) + 2;
}

int ListBox::handle(int event) {
    const int r = Fl_Browser::handle(event);
    if (event == FL_FOCUS) focused();
    if (!syncing() && size() > 0) {
        const Window* w = model().find(handle_);
        if (w && topline() - 1 != w->list.topIndex) model().change(handle_)->list.topIndex = topline() - 1;
    }
    return r;
}

DropDownList::DropDownList(FltkBackend& backend, Handle h) : Fl_Choice(0, 0, 1, 1), Native(backend, h) {
    down_box(FL_BORDER_BOX);
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<DropDownList*>(widget);
        if (self->syncing() || self->value() < 0) return;
        self->model().userPick(self->modelHandle(), self->value());
    });
}

void DropDownList::update(const Window& w) {
    updateCommon(*this, w);
    showClosedHeight(*this, w);
    textfont(fontFor(w.font));
    textsize(fontSizeFor(w.font));
    textcolor(colourFor(w.fore));
    if (utf8Items(w.list.items) != shown_) {
        buildMenu(w.list.items, shown_, menu_);
        menu(menu_.data());
    }
    selection_color(fl_rgb_color(0, 0, 128));
    if (value() != w.list.selected) value(w.list.selected);
}

// The closed box as the original platform draws it: a sunken field with the chosen item,
// and inside its right edge an arrow button as wide as a scroll bar. FLTK's own arrow is
// 20 pixels wide and its item text starts further in, which cut items such as "USD/JPY"
// in the trade window's narrow boxes. With the focus the item shows highlighted.
void DropDownList::draw() {
    const int dx = Fl::box_dx(FL_DOWN_BOX), dy = Fl::box_dy(FL_DOWN_BOX);
    draw_box(FL_DOWN_BOX, color());
    const int bh = h() - 2 * dy;
    const int bw = std::min(model().metrics.scrollBarWidth, w() - 2 * dx);
    const int bx = x() + w() - dx - bw, by = y() + dy;
    draw_box(FL_UP_BOX, bx, by, bw, bh, FL_BACKGROUND_COLOR);
    const Fl_Color ink = active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR);
    fl_color(ink);
    const int half = std::max(1, (bw - 6) / 3);  // the arrow: a triangle pointing down
    const int ax = bx + (bw - 2 * half - 1) / 2, ay = by + (bh - half - 1) / 2;
    fl_polygon(ax, ay, ax + half, ay + half, ax + 2 * half, ay);

    const Fl_Menu_Item* item = mvalue();
    if (!item || !item->label()) return;
    const int tx = x() + dx + 1, ty = y() + dy + 1, tw = bx - tx - 1, th = bh - 2;
    if (tw <= 0 || th <= 0) return;
    Fl_Color text = active_r() ? textcolor() : fl_inactive(textcolor());
    if (Fl::focus() == this) {
        fl_color(selection_color());
        fl_rectf(tx, ty, tw, th);
        text = fl_contrast(text, selection_color());
    }
    fl_push_clip(tx, ty, tw, th);
    fl_font(textfont(), textsize());
    fl_color(text);
    // Symbols off: an '@' in an item is text.
    fl_draw(item->label(), tx + 1, ty, tw - 1, th, FL_ALIGN_LEFT, nullptr, 0);
    fl_pop_clip();
}

int DropDownList::handle(int event) {
    // The list opened with the mouse: an item taken from it is a pick even when it is the
    // one shown (FLTK calls back only on a change), so that the program hears the click
    // without a change. A list closed without a choice picks nothing.
    if (event == FL_PUSH && active_r() && menu() && menu()->text) {
        if (Fl::visible_focus()) take_focus();
        const Fl_Menu_Item* item = menu()->pulldown(x(), y(), w(), h(), mvalue(), this);
        if (!item || item->submenu()) return 1;
        value(item);
        redraw();
        if (!syncing() && value() >= 0) model().userPick(modelHandle(), value());
        return 1;
    }
    const int r = Fl_Choice::handle(event);
    if (event == FL_FOCUS) focused();
    return r;
}

EditCombo::EditCombo(FltkBackend& backend, Handle h) : Fl_Input_Choice(0, 0, 1, 1), Native(backend, h) {
    end();
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<EditCombo*>(widget);
        if (self->syncing()) return;
        if (self->menubutton()->changed()) {
            self->menubutton()->clear_changed();
            if (self->menubutton()->value() >= 0) self->model().userPick(self->modelHandle(), self->menubutton()->value());
            return;
        }
        const Window* w = self->model().find(self->modelHandle());
        std::string text = utf8ToCp932(self->value());
        if (w && text.size() > w->edit.limit) {
            self->value(cp932ToUtf8(w->text).c_str());  // past the limit: the keystroke is refused
            return;
        }
        self->model().userSetText(self->modelHandle(), std::move(text));
    });
    when(FL_WHEN_CHANGED);
}

void EditCombo::update(const Window& w) {
    updateCommon(*this, w);
    showClosedHeight(*this, w);
    textfont(fontFor(w.font));
    textsize(fontSizeFor(w.font));
    input()->color(colourFor(w.back));
    if (utf8Items(w.list.items) != shown_) {
        buildMenu(w.list.items, shown_, menu_);
        menubutton()->menu(menu_.data());
    }
    const std::string text = cp932ToUtf8(w.text);
    if (text != value()) value(text.c_str());
}

// The parts of a simple combo box report a focus as the combo box's.
class SimpleCombo::Part : public Fl_Input {
public:
    Part(SimpleCombo& owner) : Fl_Input(0, 0, 1, 1), owner_(owner) {}
    int handle(int event) override {
        const int r = Fl_Input::handle(event);
        if (event == FL_FOCUS) owner_.focused();
        return r;
    }

private:
    SimpleCombo& owner_;
};

SimpleCombo::SimpleCombo(FltkBackend& backend, Handle h) : Fl_Group(0, 0, 1, 1), Native(backend, h) {
    input_ = new Part(*this);
    list_ = new Fl_Browser(0, 0, 1, 1);
    end();
    resizable(nullptr);
    list_->type(FL_HOLD_BROWSER);
    list_->format_char(0);
    input_->when(FL_WHEN_CHANGED);
    input_->callback(
        [](Fl_Widget*, void* data) {
            auto* self = static_cast<SimpleCombo*>(data);
            if (self->syncing()) return;
            const Window* w = self->model().find(self->handle_);
            std::string text = utf8ToCp932(self->input_->value());
            if (w && text.size() > w->edit.limit) {
                // Past the limit in the model's bytes: put back what the model holds.
                self->input_->value(cp932ToUtf8(w->text).c_str());
                return;
            }
            self->model().userSetText(self->handle_, std::move(text));
        },
        this);
    list_->when(FL_WHEN_CHANGED | FL_WHEN_NOT_CHANGED);
    list_->callback(
        [](Fl_Widget*, void* data) {
            auto* self = static_cast<SimpleCombo*>(data);
            if (self->syncing() || self->list_->value() <= 0) return;
            self->model().userPick(self->handle_, self->list_->value() - 1);
            if (Fl::event_clicks()) self->model().userDoubleClick(self->handle_);
        },
        this);
}

void SimpleCombo::update(const Window& w) {
    updateCommon(*this, w);
    const Fl_Font font = fontFor(w.font);
    const int size = fontSizeFor(w.font);
    // The edit is one line of the font high; the list takes the rest.
    const int editHeight = std::min(size + 8, w.rect.h);
    input_->resize(x(), y(), w.rect.w, editHeight);
    list_->resize(x(), y() + editHeight, w.rect.w, w.rect.h - editHeight);
    for (Fl_Widget* part : {static_cast<Fl_Widget*>(input_), static_cast<Fl_Widget*>(list_)}) part->color(colourFor(w.back));
    input_->textfont(font);
    input_->textsize(size);
    input_->textcolor(colourFor(w.fore));
    list_->textfont(font);
    list_->textsize(size);
    list_->textcolor(colourFor(w.fore));
    list_->selection_color(fl_rgb_color(0, 0, 128));
    std::vector<std::string> items = utf8Items(w.list.items);
    if (items != shown_) {
        list_->clear();
        for (const std::string& item : items) list_->add(item.c_str());
        shown_ = std::move(items);
    }
    if (list_->value() != w.list.selected + 1) {
        list_->deselect();
        if (w.list.selected >= 0) list_->select(w.list.selected + 1);
    }
    const std::string text = cp932ToUtf8(w.text);
    if (text != input_->value()) input_->value(text.c_str());
}

// --- scroll bars and pictures ---------------------------------------------------------

ScrollBar::ScrollBar(FltkBackend& backend, Handle h, bool vertical) : Fl_Scrollbar(0, 0, 1, 1), Native(backend, h) {
    type(vertical ? FL_VERTICAL : FL_HORIZONTAL);
    callback([](Fl_Widget* widget, void*) {
        auto* self = static_cast<ScrollBar*>(widget);
        if (!self->syncing()) self->model().userScroll(self->modelHandle(), static_cast<int>(self->value()));
    });
}

void ScrollBar::update(const Window& w) {
    updateCommon(*this, w);
    // The trough is lighter than the face, as the classic scroll bar's dithered one looks.
    color(fl_color_average(colourFor(w.back), FL_WHITE, 0.5f));
    bounds(w.scroll.min, w.scroll.max);
    linesize(std::max(w.scroll.smallStep, 1));
    // FLTK pages a click in the trough by range * s / (1 - s), s being the thumb's share
    // of the trough: a share of page / (range + page) makes that the program's large step.
    // The half pixel keeps the product from rounding down to one less.
    const double range = std::abs(static_cast<double>(w.scroll.max) - w.scroll.min);
    const double page = std::max(w.scroll.largeStep, 1);
    slider_size(range > 0 ? (page + 0.5) / (range + page + 0.5) : 1.0);
    if (static_cast<int>(value()) != w.scroll.pos) value(w.scroll.pos);
}

int ScrollBar::handle(int event) {
    const int r = Fl_Scrollbar::handle(event);
    if (event == FL_FOCUS) focused();
    return r;
}

PictureBox::PictureBox(FltkBackend& backend, Handle h) : Fl_Widget(0, 0, 1, 1), Native(backend, h) {}

void PictureBox::update(const Window& w) {
    updateCommon(*this, w);
    border_ = controlBorder(w);
}

void PictureBox::redrawArea(const Window&, const Rect& area) {
    damage(FL_DAMAGE_USER1, x() + border_ + area.x, y() + border_ + area.y, area.w, area.h);
}

void PictureBox::draw() {
    const Window* w = model().find(handle_);
    if (!w) return;
    fl_push_clip(x(), y(), this->w(), h());
    // A drawing into the buffer leaves the background and the border as they are.
    if (damage() != FL_DAMAGE_USER1) {
        fl_color(color());
        fl_rectf(x(), y(), this->w(), h());
        if (border_) {
            fl_color(FL_BLACK);
            fl_rect(x(), y(), this->w(), h());
        }
    }
    drawPixels(w->redraw, x() + border_, y() + border_, this->w() - 2 * border_, h() - 2 * border_);
    fl_pop_clip();
}

int PictureBox::handle(int event) {
    const int px = Fl::event_x() - x() - border_, py = Fl::event_y() - y() - border_;
    switch (event) {
    case FL_PUSH:
        model().userMouse(NotificationKind::MouseDown, handle_, mouseButton(), shiftState(), px, py);
        if (Fl::event_clicks()) model().userDoubleClick(handle_);
        return 1;
    case FL_DRAG:
        model().userMouse(NotificationKind::MouseMove, handle_, mouseButton(), shiftState(), px, py);
        return 1;
    case FL_MOVE:
        model().userMouse(NotificationKind::MouseMove, handle_, 0, shiftState(), px, py);
        return 1;
    case FL_RELEASE:
        model().userMouse(NotificationKind::MouseUp, handle_, mouseButton(), shiftState(), px, py);
        if (Fl::event_inside(this)) model().userClick(handle_);
        return 1;
    case FL_ENTER:
    case FL_LEAVE: return 1;
    case FL_MOUSEWHEEL: model().userWheel(handle_, -Fl::event_dy()); return 1;
    default: return Fl_Widget::handle(event);
    }
}

}  // namespace platform::fltk
