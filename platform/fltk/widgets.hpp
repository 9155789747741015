#pragma once
// One FLTK widget per control kind. Each shows a model window (`update`) and reports what
// the user does to it into the model; none keeps state of its own beyond what FLTK needs
// to draw.

#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Scrollbar.H>

#include <string>
#include <vector>

#include "platform/fltk/fltk_backend.hpp"

namespace platform::fltk {

// FLTK's faces drawn by the IPA families; call once before drawing.
void installFonts();
Fl_Font fontFor(const Font& font);
int fontSizeFor(const Font& font);
Fl_Color colourFor(Colour c);
// Model text (CP932) as an FLTK label: UTF-8, with '@' kept literal.
std::string labelFor(const std::string& cp932);

// What every widget knows: the backend it reports to and the model window it shows.
class Native {
public:
    // The model window a widget (or the widget it is part of) shows; 0 for none.
    static Handle handleOf(Fl_Widget* widget);

    Native(FltkBackend& backend, Handle handle) : backend_(backend), handle_(handle) {}
    virtual ~Native() = default;
    virtual void update(const Window& w) = 0;
    // The program drew into `area` of the window's redraw buffer (client coordinates).
    // Windows that show one redraw that part only; others show their whole state again.
    virtual void redrawArea(const Window& w, const Rect& area) {
        (void)area;
        update(w);
    }
    Handle modelHandle() const { return handle_; }

protected:
    Model& model() const { return backend_.model(); }
    bool syncing() const { return backend_.syncing(); }
    // Geometry, visibility, enabled state, colours and font shared by every control.
    void updateCommon(Fl_Widget& widget, const Window& w);
    // A focus the user gave the widget.
    void focused();

    FltkBackend& backend_;
    Handle handle_;
};

// Draws the part of `buffer` that lies in the current clip, its top-left pixel at
// (x, y), at most width x height of it.
void drawPixels(const PixelBuffer& buffer, int x, int y, int width, int height);

// A form: its redraw buffer is the background of its client area, under the controls.
// Double-buffered, so a drawing into the buffer shows without flicker; only the part drawn
// and the controls over it are drawn again.
class FormWindow : public Fl_Double_Window, public Native {
public:
    FormWindow(FltkBackend& backend, Handle h, const Rect& client);
    void update(const Window& w) override;
    void redrawArea(const Window& w, const Rect& area) override;
    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;
    void draw() override;

private:
    // Gives FLTK's focus to the control of this form that has the model's focus; false
    // when the model's focus is elsewhere or that control cannot take it.
    bool focusModelControl();

    std::string title_;
    std::string xclass_;
};

class PushButton : public Fl_Button, public Native {
public:
    PushButton(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    int handle(int event) override;
};

// Check boxes and option buttons: the model decides the state a click leads to.
class CheckBox : public Fl_Check_Button, public Native {
public:
    CheckBox(FltkBackend& backend, Handle h, bool option);
    void update(const Window& w) override;
    int handle(int event) override;
};

// A group box with its caption set into the top line, as the original platform draws it.
class GroupBox : public Fl_Widget, public Native {
public:
    GroupBox(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    void draw() override;

private:
    std::string text_;
};

class Label : public Fl_Widget, public Native {
public:
    Label(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    void draw() override;
    int handle(int event) override;

private:
    std::string text_;
    TextAlign align_ = TextAlign::Left;
    bool underline_ = false;
    bool strikeout_ = false;
};

// Edits: the model holds the text in CP932 and the limit in bytes; what the user types
// is converted and checked against that limit before the model takes it. A multi-line
// edit shows the text from the model's scroll position.
template <class Base>
class EditWidget : public Base, public Native {
public:
    EditWidget(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    int handle(int event) override;
    void draw() override;

private:
    int handleInput(int event);
    // The model's scroll position in pixels: the first column's and the first line's.
    int scrollX_ = 0;
    int scrollY_ = 0;
};
using Edit = EditWidget<Fl_Input>;
using MultiLineEdit = EditWidget<Fl_Multiline_Input>;

// A multi-line edit with the scroll bars its style gives it, inside its sunken edge as the
// original platform draws them. The bars show the model's scroll position and move it;
// the wheel scrolls three lines. A bar takes FLTK's keyboard focus when used, so that the
// edit shows the model's scroll position rather than the text around its caret; the
// model's focus stays on the edit.
class ScrolledEdit : public Fl_Group, public Native {
public:
    ScrolledEdit(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    int handle(int event) override;
    void draw() override;

private:
    void scrolled();

    MultiLineEdit* edit_;  // owned by the group, as FLTK's groups own their children
    Fl_Scrollbar* vertical_;
    Fl_Scrollbar* horizontal_;
};

class ListBox : public Fl_Browser, public Native {
public:
    ListBox(FltkBackend& backend, Handle h, bool multiple);
    void update(const Window& w) override;
    int handle(int event) override;

protected:
    int item_height(void* item) const override;

private:
    std::vector<std::string> shown_;
    bool multiple_;
};

class DropDownList : public Fl_Choice, public Native {
public:
    DropDownList(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    int handle(int event) override;
    void draw() override;

private:
    std::vector<std::string> shown_;  // UTF-8 texts the menu items point into
    std::vector<Fl_Menu_Item> menu_;
};

class EditCombo : public Fl_Input_Choice, public Native {
public:
    EditCombo(FltkBackend& backend, Handle h);
    void update(const Window& w) override;

private:
    std::vector<std::string> shown_;
    std::vector<Fl_Menu_Item> menu_;
};

// A simple combo box: its edit on top and its list always open below it.
class SimpleCombo : public Fl_Group, public Native {
public:
    SimpleCombo(FltkBackend& backend, Handle h);
    void update(const Window& w) override;

private:
    class Part;
    Fl_Input* input_;     // owned by the group, as FLTK's groups own their children
    Fl_Browser* list_;
    std::vector<std::string> shown_;
};

class ScrollBar : public Fl_Scrollbar, public Native {
public:
    ScrollBar(FltkBackend& backend, Handle h, bool vertical);
    void update(const Window& w) override;
    int handle(int event) override;
};

// A picture box shows its redraw buffer; mouse actions inside it are reported. A drawing
// into the buffer redraws the part drawn, not the whole picture.
class PictureBox : public Fl_Widget, public Native {
public:
    PictureBox(FltkBackend& backend, Handle h);
    void update(const Window& w) override;
    void redrawArea(const Window& w, const Rect& area) override;
    void draw() override;
    int handle(int event) override;

private:
    int border_ = 0;
};

}  // namespace platform::fltk
