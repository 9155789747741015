#pragma once
// Moving the chart viewer's view: the offset a bar position stands for, dragging the
// image with the mouse, and the corner button's jump. Plain numbers, no windows.

#include "diary/viewer/layout.hpp"

namespace diary {

// A bar's page step: a tenth of its range, or 1 for a short range.
int pageStep(int range);

// The top-left pixel of the display copy shown for a bar position.
inline float offsetFor(int position, float step) { return static_cast<float>(position) * step; }

// One direction of a drag. The view moves against the pointer (dragging right shows what
// lies to the left) and stops at 0 and at display - viewport; the bar's position follows
// the offset in whole steps.
struct DragAxis {
    float offset = 0;
    int position = 0;
};
DragAxis dragAxis(float offset, int delta, float displaySide, int viewportSide, float step);

// The corner button: from the top-left ("┛" shown, state 1) it jumps to the bottom-right
// and shows "┏" (state 0), and back.
struct CornerJump {
    int state = 1;
    int positionX = 0, positionY = 0;
    const char* caption = "┛";  // UTF-8
};
CornerJump cornerJump(int state, int rangeX, int rangeY);

}  // namespace diary
