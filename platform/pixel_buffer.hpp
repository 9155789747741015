#pragma once
// A 32-bit pixel buffer: rows top to bottom, each pixel the bytes B, G, R and one unused
// byte. Bitmaps and a picture box's redraw buffer are pixel buffers; the redraw buffer is
// what the picture shows again after it was covered.

#include <cstdint>
#include <vector>

#include "platform/types.hpp"

namespace platform {

class PixelBuffer {
public:
    PixelBuffer() = default;
    // A width x height buffer filled with `fill` (0x00BBGGRR).
    PixelBuffer(int width, int height, Colour fill);

    // Whether a width x height buffer is one this system holds: both sizes at least 0 and
    // at most 1 GiB of pixels. A larger picture is refused (out of memory) before any
    // allocation is tried.
    static bool fits(int width, int height);
    static constexpr std::uint64_t mostBytes = std::uint64_t{1} << 30;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // The colour at (x, y) as 0x00BBGGRR; 0 outside the buffer.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour c);
    // Fills the part of `r` that lies inside the buffer.
    void fillRect(const Rect& r, Colour c);

    // Gives the buffer a new size, filled with `fill`, keeping the old contents in its
    // top-left corner: a resized picture still shows the top-left part of its drawing.
    void resize(int width, int height, Colour fill);

    // Copies `src` (or the part that fits) with its top-left corner at (x, y).
    void blit(const PixelBuffer& src, int x, int y);

    // One row's bytes (B, G, R, X per pixel).
    const std::uint8_t* row(int y) const { return bytes_.data() + static_cast<std::size_t>(y) * stride(); }
    std::uint8_t* row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * stride(); }
    std::size_t stride() const { return static_cast<std::size_t>(width_) * 4; }

    bool operator==(const PixelBuffer&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform
