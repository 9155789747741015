#pragma once
// The state of one window or control, held in plain members. The model owns every Window;
// a backend only shows it. Texts are CP932 byte strings; positions in texts count bytes.

#include <string>
#include <vector>

#include "platform/pixel_buffer.hpp"
#include "platform/types.hpp"

namespace platform {

// Items and selection of a list box or of a combo box's list.
struct ListState {
    std::vector<std::string> items;
    int selected = -1;            // single selection (or the caret item of a multiple one)
    std::vector<bool> marked;     // per item, for a list with several selected items
    int topIndex = 0;             // first visible item
};

// The text-editing state of an edit or of a combo box's edit part.
struct EditState {
    std::size_t limit = 32767;    // most bytes the user may type
    bool readOnly = false;
    bool multiLine = false;
    bool modified = false;
    std::size_t selStart = 0;     // selection [selStart, selEnd), in bytes
    std::size_t selEnd = 0;
    std::string undoText;         // text before the last change that can be undone
    bool canUndo = false;
    int firstVisibleLine = 0;     // a multi-line edit's scroll position: the first line shown
    int firstVisibleColumn = 0;   //   and the first column, in bytes (half-width cells)
    TextAlign align = TextAlign::Left;
};

struct ScrollState {
    int min = 0;
    int max = 100;
    int smallStep = 1;
    int largeStep = 10;
    int pos = 0;
};

struct Window {
    Handle handle = 0;
    Kind kind = Kind::Form;
    Handle parent = 0;            // the form of a control; 0 for a form
    Handle owner = 0;             // the owner form of a dialog; 0 when none
    std::string name;             // "MAINFORM", "BUTTON21"; set by whoever creates the window
    std::string className;        // forms: their creator's class; controls: the kind's class
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;

    std::string text;             // caption, label or edit text

    // Outer rectangle: screen coordinates for a form, its parent's client coordinates for
    // a control.
    Rect rect;
    Rect normalRect;              // the rectangle a minimised or maximised form returns to
    ShowState show = ShowState::Normal;
    bool hasMenu = false;

    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    bool topmost = false;
    bool pressed = false;         // a button held down by Enter or Space
    bool acceptsDrops = false;    // files dropped on it are reported
    int imeMode = 0;              // input-method mode 0-7 as the program set it
    int hotKey = 0;               // a form's activation key, as the program set it
    int mapMode = 1;              // forms and picture boxes: the program's scale (1 pixels)
    int originX = 0;              // forms: the scroll origin (horizontal, vertical position)
    int originY = 0;              //   as the program set it

    Font font;
    Colour fore = 0x000000;
    Colour back = 0xC0C0C0;

    int check = 0;                // option and check boxes: 0 clear, 1 checked, 2 indeterminate
    ComboStyle comboStyle = ComboStyle::DropDownList;
    ListState list;
    EditState edit;
    ScrollState scroll;
    // Forms and picture boxes: the drawing that survives covering, of the client size. A
    // form shows it under its controls.
    PixelBuffer redraw;

    std::vector<Handle> children; // controls of a form, in window order

    bool isForm() const { return kind == Kind::Form; }
    bool isButtonClass() const {
        return kind == Kind::PushButton || kind == Kind::CheckBox || kind == Kind::OptionButton;
    }
    bool hasEditText() const {
        return kind == Kind::Edit || (kind == Kind::ComboBox && comboStyle != ComboStyle::DropDownList);
    }
    bool hasList() const { return kind == Kind::ListBox || kind == Kind::ComboBox; }
    bool multipleSelection() const { return kind == Kind::ListBox && (style & style::ListMultipleSel); }
};

}  // namespace platform
