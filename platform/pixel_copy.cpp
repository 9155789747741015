#include "platform/pixel_copy.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// The source column or row of destination offset i: from + i * fromSize / toSize. 64-bit:
// sizes come from the program and their product may not fit in 32 bits.
int sourceOf(int i, int from, int fromSize, int toSize) {
    return static_cast<int>(from + static_cast<std::int64_t>(i) * fromSize / toSize);
}

// The destination offsets [first, last) along one axis whose destination lies inside
// [0, dstSize) and whose source lies inside [0, srcSize); the mapping grows with i, so the
// offsets that pass form one run.
struct Span {
    int first = 0, last = 0;
};

// ceil(a / b) for a >= 0, b > 0.
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

Span spanOf(int to, int toSize, int from, int fromSize, int dstSize, int srcSize) {
    const std::int64_t size = toSize;
    // Inside the destination: 0 <= to + i < dstSize.
    std::int64_t first = std::clamp<std::int64_t>(-static_cast<std::int64_t>(to), 0, size);
    std::int64_t last = std::clamp<std::int64_t>(static_cast<std::int64_t>(dstSize) - to, 0, size);
    // Inside the source: from + floor(i * fromSize / toSize) >= 0, that is
    // i >= ceil(-from * toSize / fromSize); and <= srcSize - 1, that is
    // i < ceil((srcSize - from) * toSize / fromSize). The factors are clamped to fromSize
    // (beyond it every or no offset passes), so the products fit in 64 bits.
    if (from < 0) first = std::max(first, ceilDiv(std::min<std::int64_t>(-static_cast<std::int64_t>(from), fromSize) * size, fromSize));
    const std::int64_t room = static_cast<std::int64_t>(srcSize) - from;
    last = std::min(last, room <= 0 ? 0 : ceilDiv(std::min<std::int64_t>(room, fromSize) * size, fromSize));
    return {static_cast<int>(std::min(first, size)), static_cast<int>(std::max<std::int64_t>(last, 0))};
}

}  // namespace

Rect stretchPixels(const PixelBuffer& src, const Rect& from, PixelBuffer& dst, const Rect& to) {
    if (from.w <= 0 || from.h <= 0 || to.w <= 0 || to.h <= 0) return {};
    const Span xs = spanOf(to.x, to.w, from.x, from.w, dst.width(), src.width());
    const Span ys = spanOf(to.y, to.h, from.y, from.h, dst.height(), src.height());
    if (xs.first >= xs.last || ys.first >= ys.last) return {};
    const bool sameWidth = from.w == to.w;
    std::vector<int> columns;
    if (!sameWidth) {
        columns.resize(static_cast<std::size_t>(xs.last - xs.first));
        for (int i = xs.first; i < xs.last; ++i) columns[i - xs.first] = sourceOf(i, from.x, from.w, to.w);
    }
    const std::size_t runBytes = static_cast<std::size_t>(xs.last - xs.first) * 4;
    for (int j = ys.first; j < ys.last; ++j) {
        const std::uint8_t* in = src.row(sourceOf(j, from.y, from.h, to.h));
        std::uint8_t* out = dst.row(to.y + j) + static_cast<std::size_t>(to.x + xs.first) * 4;
        if (sameWidth) {
            std::memmove(out, in + static_cast<std::size_t>(from.x + xs.first) * 4, runBytes);
            continue;
        }
        for (const int c : columns) {
            std::memcpy(out, in + static_cast<std::size_t>(c) * 4, 4);
            out += 4;
        }
    }
    return {to.x + xs.first, to.y + ys.first, xs.last - xs.first, ys.last - ys.first};
}

Rect copyPixels(const PixelBuffer& src, const Rect& from, PixelBuffer& dst, int x, int y) {
    return stretchPixels(src, from, dst, {x, y, from.w, from.h});
}

}  // namespace platform
