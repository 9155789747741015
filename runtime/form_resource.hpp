#pragma once
// The binary form resource: magic "PV", the form-identity record, then one block of
// tagged records describing the form object and its child controls. Integers are
// little-endian, strings NUL-terminated CP932, nothing is aligned. Every tag has a known
// value layout; records that do not apply to a kind are absent.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// Resource kinds of record 0x70.
enum class ResourceKind : std::uint32_t {
    Form = 0,
    PushButton = 3,
    OptionButton = 4,
    CheckBox = 5,
    GroupBox = 6,
    Edit = 7,
    Label = 8,
    ListBox = 9,
    HScrollBar = 10,
    VScrollBar = 11,
    ComboBox = 12,
    PictureBox = 13,
};

// Event ids of the event lists, and the handler-name suffix of each.
enum EventId : std::uint16_t {
    EvOn = 0x65,
    EvChange = 0x66,
    EvStart = 0x67,
    EvEnd = 0x68,
    EvSetFocus = 0x69,
    EvKillFocus = 0x6A,
    EvResize = 0x6B,
    EvClick = 0x6C,
    EvDblClick = 0x6D,
    EvMouseDown = 0x6E,
    EvMouseUp = 0x6F,
    EvMouseMove = 0x70,
    EvQueryClose = 0x75,
    EvNotifyIcon = 0x76,
    EvDropFiles = 0x77,
    EvMouseWheel = 0x78,
};
// "ON", "CHANGE", ...; empty for an unknown id.
std::string_view eventSuffix(std::uint16_t id);
// Every event a kind offers, in the order a form lists them.
std::span<const std::uint16_t> eventsOfKind(ResourceKind kind);
bool isKnownResourceKind(std::uint32_t kind);

struct FormEventEntry {
    std::uint16_t id = 0;
    std::string handler;  // object name + "_" + suffix
    bool operator==(const FormEventEntry&) const = default;
};

struct FormGeometry {
    std::uint32_t state = 0;  // display state of a form: 0, 1 or 3 (maximised); 0 on controls
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const FormGeometry&) const = default;
};

struct FormFont {
    std::string face;
    std::uint16_t charset = 1;
    bool operator==(const FormFont&) const = default;
};

// One object: the form itself or one control. Optional fields are the records that may
// be absent; a writer emits exactly the present ones, in the fixed record order.
struct FormObject {
    ResourceKind kind = ResourceKind::Form;
    std::uint32_t style = 0, exStyle = 0;
    std::optional<std::uint32_t> recD4, recD3, rec7C;
    std::optional<std::uint16_t> rec25, rec27, rec1E, rec1F, rec20, rec3D;
    std::optional<std::array<std::uint16_t, 4>> rec3E;
    std::optional<std::string> caption;  // 0x0B
    std::string name;                    // 0x15
    std::optional<std::array<std::int16_t, 2>> scrollRange, scrollSteps;
    std::optional<std::uint32_t> maxLength;  // 0x9C
    std::optional<std::string> items;        // 0xAC, CR LF separated
    std::optional<std::uint32_t> checkState; // 0xAD
    std::optional<std::uint32_t> foreColor, backColor;
    std::optional<std::uint16_t> fontSize;   // 0x46
    std::optional<FormFont> font;            // 0x4C
    std::optional<std::array<std::uint8_t, 14>> fontBlock;  // 0x2C, forms
    std::optional<std::uint32_t> imeMode;    // 0xBA, edits
    FormGeometry geometry;                   // 0x9F
    std::vector<FormEventEntry> events;      // 0x50
    bool operator==(const FormObject&) const = default;
};

struct FormResource {
    std::string name;  // of the form-identity record
    FormObject form;
    std::vector<FormObject> controls;  // in creation order
    std::array<std::uint32_t, 2> trailer{0, 14};  // 0xC9
    bool operator==(const FormResource&) const = default;
};

// The items of an item record: split at CR LF; an empty record gives none.
std::vector<std::string> splitItems(std::string_view items);

// Parses a whole resource; it must end exactly on the 0x0002 that closes the form block.
// Malformed data (a wrong magic, an unknown tag, a value cut off, trailing bytes, an
// unknown kind) raises error 27; no input reads out of bounds.
FormResource parseFormResource(std::span<const std::uint8_t> bytes);
// The bytes of a resource, records in their fixed order.
std::vector<std::uint8_t> writeFormResource(const FormResource& resource);

}  // namespace runtime
