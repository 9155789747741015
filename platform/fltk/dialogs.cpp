#include "platform/fltk/dialogs.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/fltk/widgets.hpp"

namespace platform::fltk {

namespace {

// Lines of a message are joined with CR LF; FLTK breaks lines at LF alone.
std::string withoutCr(const std::string& cp932) {
    std::string out;
    for (char c : cp932)
        if (c != '\r') out += c;
    return out;
}

// Message box results: the button pressed, numbered as the programs expect.
enum Result { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

struct ButtonSpec {
    const char* caption;
    Result result;
};

// The buttons of each button code, left to right; the first is the default.
std::vector<ButtonSpec> buttonsFor(int code) {
    switch (code) {
    case 1: return {{"OK", Ok}, {"キャンセル", Cancel}};
    case 2: return {{"中止", Abort}, {"再試行", Retry}, {"無視", Ignore}};
    case 3: return {{"はい", Yes}, {"いいえ", No}, {"キャンセル", Cancel}};
    case 4: return {{"はい", Yes}, {"いいえ", No}};
    case 5: return {{"再試行", Retry}, {"キャンセル", Cancel}};
    default: return {{"OK", Ok}};
    }
}

// A modal dialog window: Enter presses the focused button, Escape and the close box give
// the dialog's cancel answer (when it has one).
class DialogWindow : public Fl_Double_Window {
public:
    DialogWindow(int w, int h, const std::string& title, const char* xclass)
        : Fl_Double_Window(w, h), title_(title) {
        label(title_.c_str());
        this->xclass(xclass);
        set_modal();
        callback([](Fl_Widget* w, void*) {
            auto* self = static_cast<DialogWindow*>(w);
            if (self->cancel_) self->cancel_();
        });
    }
    int handle(int event) override {
        const bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
        if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && enter) {
            if (auto* b = dynamic_cast<Fl_Button*>(Fl::focus()); b && b->window() == this) {
                b->do_callback();
                return 1;
            }
            if (defaultButton_) {
                defaultButton_->do_callback();
                return 1;
            }
        }
        return Fl_Double_Window::handle(event);
    }
    // Runs, in the middle of the screen with the focus inside, until a button or the
    // cancel closes the window.
    void run(Fl_Widget* focus) {
        position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
        show();
        if (focus) focus->take_focus();
        while (shown()) Fl::wait(0.1);
    }
    std::function<void()> cancel_;
    Fl_Button* defaultButton_ = nullptr;

private:
    std::string title_;
};

}  // namespace

DialogAnswer runMessageBox(const DialogRequest& request) {
    const std::string text = labelFor(withoutCr(request.text));
    const std::vector<ButtonSpec> specs = buttonsFor(request.buttons);
    fl_font(FL_HELVETICA, 12);
    int tw = 360, th = 0;
    fl_measure(text.c_str(), tw, th, 0);
    const int bw = 80, bh = 24, gap = 8;
    const int rowWidth = static_cast<int>(specs.size()) * (bw + gap) - gap;
    const int w = std::max(tw, rowWidth) + 40;
    const int h = th + bh + 56;

    // Icons 0 to 3 (stop, question, exclamation, information) take a column on the left.
    const bool withIcon = request.icon >= 0 && request.icon <= 3;
    const int iconWidth = withIcon ? 48 : 0;
    DialogWindow window(w + iconWidth, h, cp932ToUtf8(request.caption), "QuillMessageBox");
    DialogAnswer answer;
    answer.answered = true;
    if (withIcon) {
        struct IconLook {
            const char* symbol;
            Fl_Color colour;
        };
        static const IconLook looks[] = {{"X", FL_RED}, {"?", FL_BLUE}, {"!", FL_YELLOW}, {"i", FL_BLUE}};
        const IconLook& look = looks[request.icon];
        auto* icon = new Fl_Box(FL_OVAL_BOX, 16, 16, 32, 32, look.symbol);
        icon->color(look.colour);
        icon->labelfont(FL_HELVETICA_BOLD);
        icon->labelsize(20);
        icon->labelcolor(request.icon == 2 ? FL_BLACK : FL_WHITE);
    }
    auto* message = new Fl_Box(20 + iconWidth, 20, w - 40, th);
    message->copy_label(text.c_str());
    message->labelsize(12);
    message->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_WRAP);
    int x = (w + iconWidth - rowWidth) / 2;
    for (const ButtonSpec& s : specs) {
        auto* b = new Fl_Button(x, h - bh - 16, bw, bh, s.caption);
        b->labelsize(12);
        b->callback(
            [](Fl_Widget* button, void* result) {
                auto* a = static_cast<DialogAnswer*>(button->window()->user_data());
                a->result = static_cast<int>(reinterpret_cast<std::intptr_t>(result));
                button->window()->hide();
            },
            reinterpret_cast<void*>(static_cast<std::intptr_t>(s.result)));
        if (!window.defaultButton_) window.defaultButton_ = b;
        x += bw + gap;
    }
    window.end();
    window.user_data(&answer);
    // Escape and the close box answer Cancel when there is one; a lone OK answers OK.
    const bool hasCancel = std::any_of(specs.begin(), specs.end(), [](const ButtonSpec& s) { return s.result == Cancel; });
    if (hasCancel || specs.size() == 1)
        window.cancel_ = [&] {
            answer.result = hasCancel ? Cancel : Ok;
            answer.cancelled = hasCancel;
            window.hide();
        };
    window.run(window.defaultButton_);
    return answer;
}

DialogAnswer runInputBox(const DialogRequest& request) {
    // The input box's layout in pixels (its dialog units at one and a half pixels each).
    DialogWindow window(285, 90, cp932ToUtf8(request.caption), "QuillInputBox");
    DialogAnswer answer;
    answer.answered = true;
    const std::string prompt = labelFor(withoutCr(request.text));
    auto* label = new Fl_Box(12, 6, 261, 18);
    label->copy_label(prompt.c_str());
    label->labelsize(12);
    label->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    auto* input = new Fl_Input(12, 28, 261, 22);
    input->textsize(12);
    const std::string initial = cp932ToUtf8(request.initial);
    input->value(initial.c_str());
    // At most 64 bytes of CP932, counted the model's way: a longer text is put back.
    input->when(FL_WHEN_CHANGED);
    std::string accepted = initial;
    input->callback(
        [](Fl_Widget* w, void* kept) {
            auto* in = static_cast<Fl_Input*>(w);
            auto* last = static_cast<std::string*>(kept);
            if (utf8ToCp932(in->value()).size() > 64) in->value(last->c_str());
            else *last = in->value();
        },
        &accepted);
    auto* ok = new Fl_Button(22, 58, 60, 24, "OK");
    auto* cancel = new Fl_Button(96, 58, 60, 24, "ｷｬﾝｾﾙ");
    for (Fl_Button* b : {ok, cancel}) b->labelsize(12);
    window.end();
    window.defaultButton_ = ok;
    window.cancel_ = [&] {
        answer.cancelled = true;
        window.hide();
    };
    ok->callback([](Fl_Widget* b, void* in) {
        auto* a = static_cast<DialogAnswer*>(b->window()->user_data());
        a->text = utf8ToCp932(static_cast<Fl_Input*>(in)->value());
        b->window()->hide();
    }, input);
    cancel->callback([](Fl_Widget* b, void*) {
        auto* a = static_cast<DialogAnswer*>(b->window()->user_data());
        a->cancelled = true;
        b->window()->hide();
    });
    window.user_data(&answer);
    window.run(input);
    return answer;
}

}  // namespace platform::fltk
