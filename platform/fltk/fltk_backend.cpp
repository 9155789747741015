#include "platform/fltk/fltk_backend.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <thread>
#include <utility>

#include "platform/cp932.hpp"
#include "platform/fltk/dialogs.hpp"
#include "platform/fltk/input_locale.hpp"
#include "platform/fltk/widgets.hpp"

namespace platform {

using namespace platform::fltk;

struct FltkBackend::Entry {
    Fl_Widget* widget;
    Native* native;
    Handle parent;
};

FltkBackend* FltkBackend::current_ = nullptr;

namespace {

// Receives the clipboard's text when FLTK hands it over.
class ClipboardReceiver : public Fl_Widget {
public:
    ClipboardReceiver() : Fl_Widget(0, 0, 0, 0) {}
    int handle(int event) override {
        if (event != FL_PASTE) return 0;
        text.assign(Fl::event_text(), static_cast<std::size_t>(Fl::event_length()));
        received = true;
        return 1;
    }
    void draw() override {}
    std::string text;
    bool received = false;
};

// The model's key for an FLTK key: Tab, Enter and Space by their own codes, letters by
// their capital (FLTK names a letter key by its small letter), the rest as FLTK numbers
// them.
int modelKey(int flKey) {
    if (flKey >= 'a' && flKey <= 'z') return flKey - 'a' + 'A';
    switch (flKey) {
    case FL_Tab: return key::Tab;
    case FL_Enter:
    case FL_KP_Enter: return key::Enter;
    case ' ': return key::Space;
    case FL_Escape: return key::Escape;
    default: return flKey;
    }
}

int modifiers() {
    const int s = Fl::event_state();
    return ((s & FL_SHIFT) ? modifier::Shift : 0) | ((s & FL_CTRL) ? modifier::Ctrl : 0) |
           ((s & FL_ALT) ? modifier::Alt : 0);
}

bool isUserInput(int event) {
    switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOUSEWHEEL:
    case FL_KEYDOWN:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_PASTE: return true;
    default: return false;
    }
}

}  // namespace

FltkBackend::FltkBackend(Model& model) : model_(model) {
    current_ = this;
    // Typed Japanese reaches FLTK through the X input method, which FLTK opens with the
    // display, under the character type the environment gives then.
    holdUtf8CharacterType();
    installFonts();
    Fl::event_dispatch(dispatch);
    model_.metrics.screenWidth = Fl::w();
    model_.metrics.screenHeight = Fl::h();
}

FltkBackend::~FltkBackend() {
    for (auto& [h, e] : widgets_)
        if (e->parent == 0) delete e->widget;  // a window deletes its controls
    Fl::event_dispatch(nullptr);
    current_ = nullptr;
}

Fl_Widget* FltkBackend::widget(Handle h) const {
    auto it = widgets_.find(h);
    return it == widgets_.end() ? nullptr : it->second->widget;
}

void FltkBackend::createWindow(Handle h) {
    const Window* w = model_.find(h);
    if (!w || widgets_.count(h)) return;
    const bool wasSyncing = std::exchange(syncing_, true);
    Fl_Group::current(nullptr);
    if (w->isForm()) {
        auto* form = new FormWindow(*this, h, model_.clientRect(h));
        widgets_[h] = std::make_unique<Entry>(Entry{form, form, 0});
        for (Handle c : w->children) createWindow(c);
        form->update(*w);
        syncing_ = wasSyncing;
        return;
    }
    auto parent = widgets_.find(w->parent);
    if (parent == widgets_.end()) {
        syncing_ = wasSyncing;
        return;  // made with its form
    }
    Fl_Widget* widget = nullptr;
    Native* native = nullptr;
    auto make = [&](auto* created) {
        widget = created;
        native = created;
    };
    switch (w->kind) {
    case Kind::PushButton: make(new PushButton(*this, h)); break;
    case Kind::CheckBox: make(new CheckBox(*this, h, false)); break;
    case Kind::OptionButton: make(new CheckBox(*this, h, true)); break;
    case Kind::GroupBox: make(new GroupBox(*this, h)); break;
    case Kind::Label: make(new Label(*this, h)); break;
    case Kind::Edit:
        if (w->edit.multiLine && (w->style & (style::VScroll | style::HScroll))) make(new ScrolledEdit(*this, h));
        else if (w->edit.multiLine) make(new MultiLineEdit(*this, h));
        else make(new Edit(*this, h));
        break;
    case Kind::ListBox: make(new ListBox(*this, h, w->multipleSelection())); break;
    case Kind::ComboBox:
        if (w->comboStyle == ComboStyle::DropDownList) make(new DropDownList(*this, h));
        else if (w->comboStyle == ComboStyle::Simple) make(new SimpleCombo(*this, h));
        else make(new EditCombo(*this, h));
        break;
    case Kind::HScrollBar: make(new ScrollBar(*this, h, false)); break;
    case Kind::VScrollBar: make(new ScrollBar(*this, h, true)); break;
    case Kind::PictureBox: make(new PictureBox(*this, h)); break;
    case Kind::Form: break;
    }
    static_cast<Fl_Group*>(parent->second->widget)->add(widget);
    widgets_[h] = std::make_unique<Entry>(Entry{widget, native, w->parent});
    native->update(*w);
    syncing_ = wasSyncing;
}

void FltkBackend::destroyWindow(Handle h) {
    auto it = widgets_.find(h);
    if (it == widgets_.end()) return;
    Fl_Widget* widget = it->second->widget;
    if (it->second->parent == 0) {
        std::erase_if(widgets_, [h](const auto& e) { return e.second->parent == h; });
        widget->hide();
    } else if (Fl_Group* group = widget->parent()) {
        group->remove(widget);
        group->redraw();
    }
    widgets_.erase(h);
    // Deferred: the widget may be inside its own callback (the close box).
    Fl::delete_widget(widget);
}

void FltkBackend::sync(Handle h) {
    auto it = widgets_.find(h);
    const Window* w = model_.find(h);
    if (it == widgets_.end() || !w) return;
    const bool wasSyncing = std::exchange(syncing_, true);
    it->second->native->update(*w);
    syncing_ = wasSyncing;
}

void FltkBackend::redrawArea(Handle h, Rect area) {
    auto it = widgets_.find(h);
    const Window* w = model_.find(h);
    if (it == widgets_.end() || !w) return;
    it->second->native->redrawArea(*w, area);
}

void FltkBackend::raiseFrontForm() {
    // The model's front form is raised natively when it changes (without a window
    // manager a click does not raise a window; with one, this agrees with it).
    for (Handle f : model_.forms()) {
        const Window* w = model_.find(f);
        if (!w->visible) continue;
        if (f != raised_)
            if (Fl_Widget* widget = this->widget(f); widget && static_cast<Fl_Window*>(widget)->shown())
                static_cast<Fl_Window*>(widget)->show();
        raised_ = f;
        return;
    }
}

void FltkBackend::pumpEvents(std::chrono::milliseconds timeout) {
    applyChanges(model_, *this);
    raiseFrontForm();
    model_.fireDueTimers(Clock::now());
    if (model_.hasNotifications()) timeout = std::chrono::milliseconds(0);
    if (auto next = model_.nextTimerDue()) {
        const auto untilTimer = std::chrono::duration_cast<std::chrono::milliseconds>(*next - Clock::now());
        timeout = std::clamp(untilTimer, std::chrono::milliseconds(0), timeout);
    }
    // Fl::wait returns at once when no window is shown: then the wait is a plain sleep.
    if (Fl::first_window()) Fl::wait(static_cast<double>(timeout.count()) / 1000.0);
    else std::this_thread::sleep_for(timeout);
    applyChanges(model_, *this);
    raiseFrontForm();
    model_.fireDueTimers(Clock::now());
}

std::string FltkBackend::clipboardText() {
    if (!Fl::first_window()) return clipboard_;
    ClipboardReceiver receiver;
    Fl::paste(receiver, 1);
    // Another program's clipboard arrives through the X server: wait for it a little.
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (!receiver.received && Clock::now() < deadline) Fl::wait(0.05);
    return receiver.received ? utf8ToCp932(receiver.text) : clipboard_;
}

void FltkBackend::setClipboardText(const std::string& cp932) {
    clipboard_ = cp932;
    const std::string utf8 = cp932ToUtf8(cp932);
    Fl::copy(utf8.data(), static_cast<int>(utf8.size()), 1);
}

DialogAnswer FltkBackend::runDialog(const DialogRequest& request) {
    applyChanges(model_, *this);  // the program's windows as they are behind the dialog
    switch (request.kind) {
    case DialogRequest::MessageBox: return runMessageBox(request);
    case DialogRequest::InputBox: return runInputBox(request);
    case DialogRequest::OpenFile:
    case DialogRequest::SaveFile: return runFileDialog(request);
    case DialogRequest::ChooseColor: return runColorChooser(request);
    case DialogRequest::ChooseFont: return runFontDialog(request);
    }
    return {};
}

Size FltkBackend::textExtent(const Font& font, const std::string& cp932) {
    fl_font(fontFor(font), fontSizeFor(font));
    const std::string utf8 = cp932ToUtf8(cp932);
    return {static_cast<int>(fl_width(utf8.c_str())), fl_height()};
}

std::vector<std::string> FltkBackend::fontFamilies() {
    std::vector<std::string> families = Backend::fontFamilies();
    // Xft names a face by its family with a leading attribute character: ' ' is the
    // regular face, the others its bold and italic variants.
    const int count = Fl::set_fonts("-*");
    for (int i = 0; i < count; ++i) {
        const char* name = Fl::get_font(static_cast<Fl_Font>(i));
        if (name && name[0] == ' ' && name[1]) families.push_back(utf8ToCp932(name + 1));
    }
    return families;
}

int FltkBackend::dispatch(int event, Fl_Window* window) {
    FltkBackend* self = current_;
    if (!self) return Fl::handle_(event, window);
    Model& model = self->model_;
    const Handle form = model.formOf(Native::handleOf(window));
    // Keys in windows that are not forms (a combo box's open list, a chooser) are FLTK's.
    if ((event == FL_KEYDOWN || event == FL_KEYUP) && form) {
        // The model's keyboard rules act on the control FLTK has the focus on.
        if (const Handle focus = Native::handleOf(Fl::focus()); focus && focus != model.focus()) model.userFocus(focus);
        const int key = modelKey(Fl::event_key());
        const bool swallowed = event == FL_KEYDOWN ? model.keyDown(key, modifiers()) : model.keyUp(key, modifiers());
        applyChanges(model, *self);  // show a focus move or a pressed button now
        // Tab belongs to the model's rules only: FLTK's own navigation must not follow.
        if (swallowed || key == key::Tab) return 1;
    }
    if (const Window* f = model.find(form); f && !f->enabled && isUserInput(event)) return 1;
    const int handled = Fl::handle_(event, window);
    // A click may have put FLTK's focus into a part of a control (the edit of a combo box)
    // that does not report it itself: the model follows FLTK's focus.
    if (event == FL_PUSH && form && Fl::focus() && Fl::focus()->top_window() == window)
        if (const Handle focus = Native::handleOf(Fl::focus()); focus && focus != model.focus()) model.userFocus(focus);
    return handled;
}

}  // namespace platform
