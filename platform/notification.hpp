#pragma once
// What the user did, as the model records it. Only user actions (from a backend or a
// script) produce notifications; a program changing state through the model never does.

#include <string>

#include "platform/types.hpp"

namespace platform {

enum class NotificationKind {
    Click,        // a button pressed and released, a box ticked, a label or picture clicked
    DoubleClick,
    Change,       // text typed into an edit or combo, a list or combo selection picked
    Scroll,       // a scroll bar moved; value = new position
    GotFocus,
    LostFocus,
    KeyDown,      // value = key code (see Key)
    KeyUp,
    MouseDown,    // button, shift, x, y in the window's client coordinates
    MouseMove,
    MouseUp,
    MouseWheel,   // value = wheel steps, positive away from the user
    Resize,       // a form's size changed; value = ShowState after the change
    Move,
    CloseRequest, // the user asked to close a form
    Closed,       // the form is gone; its handle no longer exists
    Timer,        // value = timer id
    DropFiles,    // files dropped on the window; Model::droppedFiles() lists them
};

const char* notificationWord(NotificationKind kind);

// Mouse buttons as the event arguments number them.
namespace mouse {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace mouse

// Modifier bits of `shift`.
namespace modifier {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace modifier

struct Notification {
    NotificationKind kind = NotificationKind::Click;
    Handle window = 0;
    int button = 0;
    int shift = 0;
    int x = 0;
    int y = 0;
    int value = 0;
    std::string name;   // the window's name when the notification was made (kept after it closes)
    bool operator==(const Notification&) const = default;
};

}  // namespace platform
