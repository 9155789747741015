#include "platform/pixel_buffer.hpp"

#include <algorithm>
#include <cstring>

namespace platform {

PixelBuffer::PixelBuffer(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4) {
    // The bytes start at zero, which is black already.
    if (fill != 0) fillRect({0, 0, width_, height_}, fill);
}

bool PixelBuffer::fits(int width, int height) {
    if (width < 0 || height < 0) return false;
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 <= mostBytes;
}

Colour PixelBuffer::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 4;
    return Colour(p[2]) | Colour(p[1]) << 8 | Colour(p[0]) << 16;
}

void PixelBuffer::setPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 4;
    p[0] = static_cast<std::uint8_t>(c >> 16);  // blue
    p[1] = static_cast<std::uint8_t>(c >> 8);   // green
    p[2] = static_cast<std::uint8_t>(c);        // red
    p[3] = 0;
}

void PixelBuffer::fillRect(const Rect& r, Colour c) {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, width_), y1 = std::min(r.y + r.h, height_);
    if (x0 >= x1 || y0 >= y1) return;
    // The first row pixel by pixel, the others copies of it.
    const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                   static_cast<std::uint8_t>(c), 0};
    std::uint8_t* const first = row(y0) + static_cast<std::size_t>(x0) * 4;
    const std::size_t runBytes = static_cast<std::size_t>(x1 - x0) * 4;
    for (std::size_t i = 0; i < runBytes; i += 4) std::memcpy(first + i, pixel, 4);
    for (int y = y0 + 1; y < y1; ++y) std::memcpy(row(y) + static_cast<std::size_t>(x0) * 4, first, runBytes);
}

void PixelBuffer::resize(int width, int height, Colour fill) {
    PixelBuffer bigger(width, height, fill);
    bigger.blit(*this, 0, 0);
    *this = std::move(bigger);
}

void PixelBuffer::blit(const PixelBuffer& src, int x, int y) {
    const int sx0 = std::max(0, -x), sy0 = std::max(0, -y);
    const int sx1 = std::min(src.width_, width_ - x), sy1 = std::min(src.height_, height_ - y);
    if (sx0 >= sx1) return;
    for (int sy = sy0; sy < sy1; ++sy)
        std::copy(src.row(sy) + static_cast<std::size_t>(sx0) * 4, src.row(sy) + static_cast<std::size_t>(sx1) * 4,
                  row(sy + y) + static_cast<std::size_t>(sx0 + x) * 4);
}

}  // namespace platform
