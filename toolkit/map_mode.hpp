#pragma once
// Map modes: the scale in which coordinates and sizes cross the toolkit boundary. 1 is
// pixels; 2 to 6 are 0.1 mm, 0.01 mm, 0.01 inch, 0.001 inch and 1/1440 inch at the
// screen's 96 pixels per inch. y grows downwards in every mode. Mode 0 (forms only) is
// taken as pixels. Forms and picture boxes keep a mode of their own with their window (1
// until the program sets one); a control's positions are in its form's mode.

#include <cstdint>

#include "platform/types.hpp"
#include "runtime/error.hpp"

namespace toolkit {

int mapModeOf(platform::Handle window);
// A loaded bitmap keeps a mode of its own too (1 when it is loaded).
void setMapMode(platform::Handle window, int mode);
// The mode a window's position and size are given in: its form's for a control.
int positionMapMode(platform::Handle window);

// A value in `mode` as whole pixels; `overflowError` (with the operation's check) when it
// does not fit: 1005 for window geometry, 6 for the coordinates of a bitmap copy.
int toPixels(float value, int mode, std::uint32_t operation, std::uint32_t check,
             int overflowError = runtime::err::NotAWindow);
float fromPixels(int pixels, int mode);

}  // namespace toolkit
