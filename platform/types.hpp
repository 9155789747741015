#pragma once
// The small value types of the window system: handles, kinds, rectangles, fonts, colours
// and the style bits the model reads.

#include <cstdint>
#include <string>

namespace platform {

// A window or control. 32 bits, never 0; a closed window's handle is never issued again,
// so a stale handle can always be told from a live one.
using Handle = std::uint32_t;

// 0x00BBGGRR, as the form resources store colours.
using Colour = std::uint32_t;

enum class Kind {
    Form,
    PushButton,
    OptionButton,
    CheckBox,
    GroupBox,
    Edit,
    Label,
    ListBox,
    HScrollBar,
    VScrollBar,
    ComboBox,
    PictureBox,
};

// The window class a kind is known by ("BUTTON", "EDIT", ...). Forms carry the class name
// their creator gives them.
const char* className(Kind kind);
// A short lower-case word for dumps and messages ("button", "edit", "form").
const char* kindWord(Kind kind);

enum class ComboStyle { Simple, DropDown, DropDownList };
enum class TextAlign { Left, Center, Right };
enum class ShowState { Normal, Minimized, Maximized };

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int w = 0, h = 0;
    bool operator==(const Size&) const = default;
};

// A logical font. `face` is a CP932 name ("ＭＳ ゴシック", "FixedSys"); `size` is in points,
// the unit the form resources and the font operations use.
struct Font {
    std::string face = "FixedSys";
    int size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool operator==(const Font&) const = default;
};

// Window style bits the model interprets; the rest of a style word is kept as it came.
namespace style {
inline constexpr std::uint32_t TabStop = 0x00010000;
inline constexpr std::uint32_t Group = 0x00020000;
inline constexpr std::uint32_t ThickFrame = 0x00040000;
inline constexpr std::uint32_t SysMenu = 0x00080000;
inline constexpr std::uint32_t HScroll = 0x00100000;
inline constexpr std::uint32_t VScroll = 0x00200000;
inline constexpr std::uint32_t DlgFrame = 0x00400000;
inline constexpr std::uint32_t Border = 0x00800000;
inline constexpr std::uint32_t Caption = 0x00C00000;
inline constexpr std::uint32_t Disabled = 0x08000000;
inline constexpr std::uint32_t Visible = 0x10000000;
inline constexpr std::uint32_t Popup = 0x80000000;
// Edit styles.
inline constexpr std::uint32_t EditCenter = 0x0001;
inline constexpr std::uint32_t EditRight = 0x0002;
inline constexpr std::uint32_t EditMultiLine = 0x0004;
inline constexpr std::uint32_t EditPassword = 0x0020;
inline constexpr std::uint32_t EditReadOnly = 0x0800;
inline constexpr std::uint32_t EditNumber = 0x2000;
// List box: several items may be selected at once.
inline constexpr std::uint32_t ListMultipleSel = 0x0008;
// Combo box styles (the low two bits).
inline constexpr std::uint32_t ComboSimple = 0x0001;
inline constexpr std::uint32_t ComboDropDown = 0x0002;
inline constexpr std::uint32_t ComboDropDownList = 0x0003;
// Label alignment.
inline constexpr std::uint32_t LabelCenter = 0x0001;
inline constexpr std::uint32_t LabelRight = 0x0002;
// Extended style: the modal dialog frame.
inline constexpr std::uint32_t ExDlgModalFrame = 0x00000001;
inline constexpr std::uint32_t ExTopmost = 0x00000008;
inline constexpr std::uint32_t ExClientEdge = 0x00000200;
}  // namespace style

}  // namespace platform
