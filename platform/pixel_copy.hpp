#pragma once
// The block copies between pixel buffers: a rectangle 1:1, and a source rectangle
// stretched into a destination rectangle by taking the nearest source pixel (whole pixels
// are dropped or repeated, no blending). Both are clipped to the source and to the
// destination; a rectangle of zero or negative width or height copies nothing.

#include "platform/pixel_buffer.hpp"
#include "platform/types.hpp"

namespace platform {

// Copies `from` of `src` with its top-left corner at (x, y) of `dst`. Returns the part of
// `dst` that was written (empty when none).
Rect copyPixels(const PixelBuffer& src, const Rect& from, PixelBuffer& dst, int x, int y);

// Stretches `from` of `src` into `to` of `dst`: destination pixel (x, y) takes source pixel
// (from.x + (x - to.x) * from.w / to.w, from.y + (y - to.y) * from.h / to.h), rounded down.
// Destination pixels whose source pixel lies outside `src` are left as they are. Returns
// the part of `dst` that was written.
Rect stretchPixels(const PixelBuffer& src, const Rect& from, PixelBuffer& dst, const Rect& to);

}  // namespace platform
