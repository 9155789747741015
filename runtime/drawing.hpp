#pragma once
// Drawing into a window's redraw buffer: what the program draws on a form or a picture box
// itself, besides the bitmap copies of the toolkit.

#include "runtime/objects.hpp"

namespace runtime {

// A one-pixel line in the window's fore colour from (x0, y0) to (x1, y1), both ends
// included, in pixels of the client area (forms and picture boxes; 1002 for another kind).
void drawLine(const ObjectVar* object, float x0, float y0, float x1, float y1);

}  // namespace runtime
