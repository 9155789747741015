#pragma once
// Forms from resources: the create-form service builds a form and every control of it in
// the window system from the program's embedded form resource, records each window's
// name and object kind, and binds each listed event to the handler the program exports
// under "PX$" + handler name. Controls are found by name within their form; a window is
// classified by what the runtime recorded for it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.hpp"

namespace runtime {

// Show commands of the create-form service.
namespace show {
inline constexpr int Hidden = 0;
inline constexpr int Normal = 1;
inline constexpr int Maximized = 3;
}  // namespace show

struct CreateFormResult {
    platform::Handle window = 0;  // 0 on failure
    int error = 0;                // the error number on failure
    int showCommand = show::Normal;
};

// Builds the form stored under resource `name` (hidden), owned by `owner` (0: none). The
// show command given may be replaced from the form's display state: a form stored
// maximised (state 3) that is to be shown comes back with show::Maximized. Failures: 1010
// no resource of that name, 27 a malformed resource.
CreateFormResult createForm(std::string_view name, platform::Handle owner, int showCommand);

// Shows a form the service created, with the show command it returned. Maximised forms
// get exactly one extra RESIZE event, as the program's resize handler expects to run
// once after creation.
void showForm(platform::Handle form, int showCommand);

// What the runtime knows of a window it created from a form.
struct WindowClass {
    std::uint32_t objectKind = 0;  // 0x1000 form, 0x1100 + n controls
    platform::Handle form = 0;     // the form of a control; the form itself for a form
    std::string name;              // as the form resource names it
};
std::optional<WindowClass> classifyWindow(platform::Handle window);

// The control of that name within `form`, or 0.
platform::Handle findControl(platform::Handle form, std::string_view name);
// The forms the runtime created at start ("MAINFORM"), looked up by name; 0 when none.
platform::Handle findStartForm(std::string_view name);
void addStartForm(platform::Handle form);

// The exported handler bound to an event of a window, or null.
void* boundHandler(platform::Handle window, std::uint16_t eventId);

// Destroys `window` (a control, or a form with its controls and the forms it owns) and
// releases the bindings. A form's END handler runs first, while its window still exists.
void destroyWindow(platform::Handle window);

// A form's system menu as the program trimmed it. The window system draws no system
// menu, so the trimmed items are kept here as state of the form.
namespace sysmenu {
inline constexpr std::uint32_t PositionSeven = 0x0007;  // the item at position 7
inline constexpr std::uint32_t Size = 0xF000;
inline constexpr std::uint32_t Minimize = 0xF020;
inline constexpr std::uint32_t Maximize = 0xF030;
inline constexpr std::uint32_t TaskList = 0xF130;
inline constexpr std::uint32_t Restore = 0xF120;
}  // namespace sysmenu
void trimSystemMenuItem(platform::Handle form, std::uint32_t item);
bool systemMenuItemTrimmed(platform::Handle form, std::uint32_t item);

// Forgets every form record (the windows themselves belong to the model).
void forgetForms();

}  // namespace runtime
