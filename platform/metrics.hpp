#pragma once
// The window system's metrics. With no window manager under the test display the frame
// of a window cannot be measured, so the platform fixes the classic values at 96 dots per
// inch and every backend draws by them.

#include "platform/types.hpp"

namespace platform {

struct Metrics {
    int captionHeight = 19;    // title bar, including the line under it
    int borderWidth = 1;       // a thin border (WS_BORDER)
    int dialogFrame = 3;       // a dialog frame (WS_DLGFRAME, or the modal dialog frame)
    int sizingFrame = 4;       // a sizing frame (WS_THICKFRAME)
    int menuHeight = 19;       // one line of menu bar
    int clientEdge = 2;        // the sunken edge of edits, lists and combo boxes
    int scrollBarWidth = 16;   // vertical scroll bar width, horizontal scroll bar height
    int screenWidth = 1024;    // set by the backend from the real screen
    int screenHeight = 768;
};

// The frame thickness of a form with these styles.
int frameWidth(const Metrics& m, std::uint32_t style, std::uint32_t exStyle);
// A form's client rectangle in screen coordinates, from its outer rectangle.
Rect clientRect(const Metrics& m, const Rect& outer, std::uint32_t style, std::uint32_t exStyle, bool hasMenu);
// The outer rectangle whose client area is `client` (the inverse of clientRect).
Rect outerRect(const Metrics& m, const Rect& client, std::uint32_t style, std::uint32_t exStyle, bool hasMenu);

// The pixel height a font of `points` is drawn at: 96 dots per inch, rounded down to an
// even number, since the fixed-pitch Japanese face keeps full width exactly two half-width
// cells only at even sizes.
int fontPixelSize(int points);

}  // namespace platform
