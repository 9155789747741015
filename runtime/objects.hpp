#pragma once
// Object variables and object records. A program holds each toolkit object in an object
// variable of its own: a 32-bit word that is 0 (empty) or a handle issued here. Behind
// each handle is a record the toolkit reads, checks, writes back and releases; the
// records live in this one runtime instance for the programs and both libraries.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace runtime {

using ObjectVar = std::uint32_t;

// Object kinds.
namespace kind {
inline constexpr std::uint32_t Form = 0x1000;
inline constexpr std::uint32_t Control = 0x1100;  // + resource kind - 3, up to 0x110A
inline constexpr std::uint32_t PushButton = 0x1100;
inline constexpr std::uint32_t OptionButton = 0x1101;
inline constexpr std::uint32_t CheckBox = 0x1102;
inline constexpr std::uint32_t GroupBox = 0x1103;
inline constexpr std::uint32_t Edit = 0x1104;
inline constexpr std::uint32_t Label = 0x1105;
inline constexpr std::uint32_t ListBox = 0x1106;
inline constexpr std::uint32_t HScrollBar = 0x1107;
inline constexpr std::uint32_t VScrollBar = 0x1108;
inline constexpr std::uint32_t ComboBox = 0x1109;
inline constexpr std::uint32_t PictureBox = 0x110A;
inline constexpr std::uint32_t TextWindow = 0x1200;
inline constexpr std::uint32_t RuntimeObject = 0x1201;
inline constexpr std::uint32_t Printer = 0x1300;
inline constexpr std::uint32_t Bitmap = 0x1400;
inline constexpr std::uint32_t MediaDevice = 0x1500;
inline constexpr std::uint32_t Metafile = 0x1600;
inline constexpr std::uint32_t BitmapButton = 0x1700;
inline constexpr std::uint32_t Timer = 0x1800;
inline constexpr std::uint32_t MediaControl = 0x1900;
inline constexpr std::uint32_t Menu = 0x2000;
inline constexpr std::uint32_t Pointer = 0x2100;
}  // namespace kind

// True for the kinds whose objects are windows (forms, controls, text windows, bitmap
// buttons); window operations reject every other kind.
bool isWindowKind(std::uint32_t k);

struct ObjectRecord {
    std::uint32_t kind = 0;
    // 0: no window bound; 1: window created by this object; 2: window attached.
    std::uint16_t state = 0;
    std::uint32_t window = 0;     // window handle, or a non-window object's own handle
    std::uint32_t auxWindow = 0;  // a second window the create-form service records
    std::array<char, 22> name{};  // scratch for a form or control name, NUL-terminated
    ObjectVar* owner = nullptr;   // the variable that holds this object's handle
};

// The record behind a variable; nothing for a null address, an empty variable or a
// handle the runtime did not issue (or has released).
std::optional<ObjectRecord> getRecord(const ObjectVar* variable);
// Writes a record back under the variable's handle; false when there is none.
bool storeRecord(const ObjectVar* variable, const ObjectRecord& record);
// Issues a new handle for a record (never 0; 0 when no handle can be issued).
ObjectVar createObject(const ObjectRecord& record);
// Releases a handle; false when it was not issued or already released.
bool releaseObject(ObjectVar handle);
// Every live handle whose record holds `window` (window kinds), for classifying a window.
std::optional<ObjectVar> findObjectByWindow(std::uint32_t window);

// Copies a name into a record's name buffer; names longer than 21 bytes are cut.
void setRecordName(ObjectRecord& record, std::string_view name);

}  // namespace runtime
