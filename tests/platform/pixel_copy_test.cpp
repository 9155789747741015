// The block copies between pixel buffers at the edges of what they take: rectangles far
// outside either buffer, sizes whose products do not fit in 32 bits, nothing to copy; and
// the BMP reader's refusal of a picture too large to hold.

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/bmp_reader.hpp"
#include "platform/pixel_copy.hpp"

namespace platform::test {
namespace {

// A buffer whose pixel (x, y) is x + 16 * y + 1, so that 0 means "not written".
PixelBuffer numbered(int w, int h) {
    PixelBuffer b(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.setPixel(x, y, static_cast<Colour>(x + 16 * y + 1));
    return b;
}

TEST(PixelCopy, ClippedToSourceAndDestination_WithTheWrittenPartReturned) {
    const PixelBuffer src = numbered(8, 8);
    struct Case {
        const char* what;
        Rect from, to;
        Rect written;
    };
    const std::vector<Case> cases = {
        {"1:1 inside", {1, 1, 3, 2}, {2, 2, 3, 2}, {2, 2, 3, 2}},
        {"doubled", {0, 0, 2, 2}, {0, 0, 4, 4}, {0, 0, 4, 4}},
        {"halved", {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 4, 4}},
        {"source half outside on the left", {-4, 0, 8, 1}, {0, 0, 8, 1}, {4, 0, 4, 1}},
        {"source outside on the right, stretched", {4, 0, 8, 1}, {0, 0, 4, 1}, {0, 0, 2, 1}},
        {"destination far outside", {0, 0, 8, 8}, {INT_MIN / 2, 0, 8, 8}, {}},
        {"destination enormous", {0, 0, 8, 8}, {-1000000000, -1000000000, 2000000000, 2000000000}, {0, 0, 8, 8}},
        {"source enormous, huge factors", {INT_MIN / 2, 0, INT_MAX, 8}, {0, 0, 8, 8}, {}},
        {"zero width", {0, 0, 0, 8}, {0, 0, 8, 8}, {}},
        {"negative destination height", {0, 0, 8, 8}, {0, 0, 8, -8}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelBuffer dst(8, 8, 0);
        const Rect written = stretchPixels(src, c.from, dst, c.to);
        EXPECT_EQ(written, c.written);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                if (!written.contains(x, y)) {
                    EXPECT_EQ(dst.pixel(x, y), 0u) << x << ',' << y;
                    continue;
                }
                const int sx = static_cast<int>(c.from.x + static_cast<long long>(x - c.to.x) * c.from.w / c.to.w);
                const int sy = static_cast<int>(c.from.y + static_cast<long long>(y - c.to.y) * c.from.h / c.to.h);
                EXPECT_EQ(dst.pixel(x, y), src.pixel(sx, sy)) << x << ',' << y;
            }
    }
}

TEST(PixelCopy, CopyPixelsIsTheOneToOneStretch) {
    const PixelBuffer src = numbered(5, 5);
    PixelBuffer a(6, 6, 0), b(6, 6, 0);
    EXPECT_EQ(copyPixels(src, {2, 1, 5, 5}, a, 3, -1), (Rect{3, 0, 3, 3}));
    stretchPixels(src, {2, 1, 5, 5}, b, {3, -1, 5, 5});
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.pixel(3, 0), src.pixel(2, 2));
}

TEST(BmpToPixels, APictureTooLargeToHoldIsRefusedBeforeAnyAllocation) {
    // The reader never reaches the pixels: the size alone is refused.
    const std::uint8_t row[4] = {};
    BmpSource bmp;
    bmp.width = 32767;
    bmp.height = 32767;
    bmp.bitsPerPixel = 1;
    bmp.pixels = row;
    EXPECT_FALSE(bmpToPixels(bmp));
    EXPECT_FALSE(PixelBuffer::fits(32767, 32767));
    EXPECT_TRUE(PixelBuffer::fits(16384, 16384));  // exactly 1 GiB
    EXPECT_FALSE(PixelBuffer::fits(16384, 16385));
    EXPECT_FALSE(PixelBuffer::fits(-1, 1));
}

}  // namespace
}  // namespace platform::test
