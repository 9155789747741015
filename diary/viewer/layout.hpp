#pragma once
// The chart viewer's layout: where the picture, the two scroll bars and the corner button
// go inside the viewer for a display copy of a given size, and the bars' ranges. Plain
// numbers, no windows: the screen part applies the result to the controls.

namespace diary {

// The row of the scale choice and the buttons above the picture, and a scroll bar's
// thickness (also the corner button's side).
inline constexpr int kTopBarHeight = 25;
inline constexpr int kScrollBarThickness = 16;
inline constexpr int kMinimumFormWidth = 400;
inline constexpr int kMinimumFormHeight = 300;

// The outer size the viewer must have: each side raised to its minimum.
struct FormSize {
    int width = 0, height = 0;
};
FormSize minimumFormSize(int width, int height);

// The room for the picture inside a viewer of that outer size: the frames on both sides,
// the caption, the bottom frame and the top bar taken off.
struct Area {
    int width = 0, height = 0;
};
Area pictureArea(int formWidth, int formHeight, int frame, int caption);

// A scroll bar's range (minimum 0) and the pixels per unit of its position. Past 32767
// pixels of excess the bar moves in 10000 units of excess / 10000 pixels each.
struct ScrollRange {
    int range = 0;
    float step = 1;
};
ScrollRange scrollRange(float displaySide, int viewportSide);

struct ViewerLayout {
    Area area;
    bool needHorizontal = false, needVertical = false;
    int viewportX = 0, viewportY = 0;  // in the area; the area starts kTopBarHeight below the client top
    int viewportWidth = 0, viewportHeight = 0;
    // Client coordinates of the bars (meaningful only when they are needed), their ranges
    // and steps, the positions the bars get.
    int horizontalX = 0, horizontalY = 0, verticalX = 0, verticalY = 0;
    ScrollRange horizontal, vertical;
    int positionX = 0, positionY = 0;
    // The corner button, shown at (verticalX, horizontalY) when both bars are.
    bool cornerButton = false;
    // The separator under the top bar runs from (0, 24) to (separatorEnd, 24).
    int separatorEnd = 0;
};

// Lays out a display copy of displayWidth x displayHeight in a viewer of the given outer
// size. A bar that is not shown has its position reset to 0; a kept position is limited
// to its bar's new range, so that the blit never starts beyond the display copy.
ViewerLayout layOut(float displayWidth, float displayHeight, int formWidth, int formHeight, int frame, int caption,
                    int positionX, int positionY);

// The layout is skipped when neither the display copy nor the viewer changed size since
// the last one.
struct LayoutKey {
    float displayWidth = 0, displayHeight = 0;
    int formWidth = 0, formHeight = 0;
    bool operator==(const LayoutKey&) const = default;
};

}  // namespace diary
