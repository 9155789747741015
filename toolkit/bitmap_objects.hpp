#pragma once
// What the bitmap operations share: the checks of a bitmap object and of the windows and
// bitmaps a copy reads and writes. A bitmap object's record holds kind 0x1400, state 1,
// and in its window field the model's bitmap handle while loaded (0 while empty).

#include "platform/pixel_buffer.hpp"
#include "toolkit/checks.hpp"

namespace toolkit {

// The variable holds a bitmap object that is empty (create and load): a null address is
// 1003 (check 1), an empty variable 1000 (2), another kind or a loaded bitmap 1001 (3).
runtime::ObjectRecord emptyBitmapRecord(const ObjectVar* variable, std::uint32_t operation);

// The variable holds a loaded bitmap: 1003 (check 1), 1000 no record (2), 1002 another
// kind (3), 1000 empty (4).
runtime::ObjectRecord loadedBitmapRecord(const ObjectVar* variable, std::uint32_t operation);

// A bitmap or a form's or picture box's redraw buffer, as a copy sees it.
struct Drawable {
    platform::Handle handle = 0;  // the model's bitmap or window
    int mapMode = 1;
};

// A copy's destination: a form, a picture box or a loaded bitmap. Checks 1 to 4 from
// `firstCheck` as the common pattern numbers them (1003, 1000, 1002, 1000).
Drawable copyDestination(const ObjectVar* variable, std::uint32_t operation, std::uint32_t firstCheck);
// A copy's source: the same kinds, and a window must keep a redraw buffer (5, at
// firstCheck + 4).
Drawable copySource(const ObjectVar* variable, std::uint32_t operation, std::uint32_t firstCheck);

// Attaches `pixels` to the bitmap object as its bitmap (the object becomes loaded).
void attachBitmap(const ObjectVar* variable, runtime::ObjectRecord record, platform::PixelBuffer pixels,
                  std::uint32_t operation, std::uint32_t check);

}  // namespace toolkit
