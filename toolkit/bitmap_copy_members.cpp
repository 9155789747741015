// The block copies onto forms, picture boxes and bitmaps: 1:1 (PX$BITBLT, PX$DRAWBITMAP)
// and stretched (PX$STRETCHBITMAP, PX$STRETCHBLT), from bitmaps and from the redraw
// buffers of forms and picture boxes. A copy onto a window goes into its redraw buffer,
// which the window shows, so the picture survives covering; the backend shows again the
// part that changed.

#include "platform/pixel_copy.hpp"
#include "toolkit/bitmap_objects.hpp"
#include "toolkit/map_mode.hpp"

namespace kind = runtime::kind;
namespace err = runtime::err;

namespace toolkit {

namespace {

constexpr Kinds drawableKinds = {kind::Form, kind::PictureBox, kind::Bitmap};

Drawable drawable(const ObjectVar* variable, std::uint32_t operation, std::uint32_t first) {
    if (variable == nullptr) fail(err::NullVariable, operation, first);
    const auto record = runtime::getRecord(variable);
    if (!record) fail(err::ObjectInvalid, operation, first + 1);
    if (!kindAccepted(record->kind, drawableKinds)) fail(err::WrongObjectKind, operation, first + 2);
    platform::Model& m = runtime::model();
    if (record->kind == kind::Bitmap) {
        if (!m.bitmapExists(record->window)) fail(err::ObjectInvalid, operation, first + 3);
        return {record->window, mapModeOf(record->window)};
    }
    if (record->window == 0 || !m.exists(record->window)) fail(err::ObjectInvalid, operation, first + 3);
    return {record->window, mapModeOf(record->window)};
}

}  // namespace

Drawable copyDestination(const ObjectVar* variable, std::uint32_t operation, std::uint32_t firstCheck) {
    return drawable(variable, operation, firstCheck);
}

Drawable copySource(const ObjectVar* variable, std::uint32_t operation, std::uint32_t firstCheck) {
    const Drawable d = drawable(variable, operation, firstCheck);
    const platform::PixelBuffer* pixels = runtime::model().pixels(d.handle);
    if (pixels == nullptr || pixels->empty()) fail(err::IllegalArgument, operation, firstCheck + 4);
    return d;
}

}  // namespace toolkit

using namespace toolkit;

namespace {

// Destination checks 1-4, source checks 5-9, coordinates from 10.
constexpr std::uint32_t sourceChecks = 5;
constexpr std::uint32_t coordinateChecks = 10;

// A rectangle in a drawable's scale as pixels; an overflow is 6.
struct Area {
    float x, y, w, h;
};

platform::Rect toDevice(const Area& a, int mode, std::uint32_t operation, std::uint32_t check) {
    return {toPixels(a.x, mode, operation, check, err::Overflow), toPixels(a.y, mode, operation, check + 1, err::Overflow),
            toPixels(a.w, mode, operation, check + 2, err::Overflow),
            toPixels(a.h, mode, operation, check + 3, err::Overflow)};
}

// Stretches `from` (source pixels) into `to` (destination pixels). A copy within one
// buffer reads a copy of it, so overlapping rectangles read what was there before.
void stretch(const Drawable& destination, const Drawable& source, const platform::Rect& to,
             const platform::Rect& from) {
    platform::Model& m = runtime::model();
    if (destination.handle == source.handle) {
        const platform::PixelBuffer before = *m.pixels(source.handle);
        m.drawInto(destination.handle,
                   [&](platform::PixelBuffer& out) { return platform::stretchPixels(before, from, out, to); });
        return;
    }
    const platform::PixelBuffer& in = *m.pixels(source.handle);
    m.drawInto(destination.handle,
               [&](platform::PixelBuffer& out) { return platform::stretchPixels(in, from, out, to); });
}

}  // namespace

extern "C" void PX$BITBLT(ObjectVar* destination, float x, float y, float width, float height, ObjectVar* source,
                          float sourceX, float sourceY) {
    const Drawable dst = copyDestination(destination, op::BitBlt, 1);
    const Drawable src = copySource(source, op::BitBlt, sourceChecks);
    const platform::Rect to = toDevice({x, y, width, height}, dst.mapMode, op::BitBlt, coordinateChecks);
    const platform::Rect at = toDevice({sourceX, sourceY, 0, 0}, src.mapMode, op::BitBlt, coordinateChecks + 4);
    stretch(dst, src, to, {at.x, at.y, to.w, to.h});
}

extern "C" void PX$DRAWBITMAP(ObjectVar* destination, ObjectVar* source, float x, float y) {
    const Drawable dst = copyDestination(destination, op::DrawBitmap, 1);
    const Drawable src = copySource(source, op::DrawBitmap, sourceChecks);
    const platform::Rect at = toDevice({x, y, 0, 0}, dst.mapMode, op::DrawBitmap, coordinateChecks);
    const platform::PixelBuffer& in = *runtime::model().pixels(src.handle);
    stretch(dst, src, {at.x, at.y, in.width(), in.height()}, {0, 0, in.width(), in.height()});
}

extern "C" void PX$STRETCHBITMAP(ObjectVar* destination, ObjectVar* source, float x, float y, float width,
                                 float height) {
    const Drawable dst = copyDestination(destination, op::StretchBitmap, 1);
    const Drawable src = copySource(source, op::StretchBitmap, sourceChecks);
    const platform::Rect to = toDevice({x, y, width, height}, dst.mapMode, op::StretchBitmap, coordinateChecks);
    const platform::PixelBuffer& in = *runtime::model().pixels(src.handle);
    stretch(dst, src, to, {0, 0, in.width(), in.height()});
}

extern "C" void PX$STRETCHBLT(ObjectVar* destination, float x, float y, float width, float height, ObjectVar* source,
                              float sourceX, float sourceY, float sourceWidth, float sourceHeight) {
    const Drawable dst = copyDestination(destination, op::StretchBlt, 1);
    const Drawable src = copySource(source, op::StretchBlt, sourceChecks);
    const platform::Rect to = toDevice({x, y, width, height}, dst.mapMode, op::StretchBlt, coordinateChecks);
    const platform::Rect from =
        toDevice({sourceX, sourceY, sourceWidth, sourceHeight}, src.mapMode, op::StretchBlt, coordinateChecks + 4);
    stretch(dst, src, to, from);
}
