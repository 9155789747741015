// A pixel buffer's fills: the part of the rectangle inside the buffer and nothing else,
// in B, G, R order with the spare byte zero, at every edge a rectangle can cross.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pixel_buffer.hpp"

namespace platform::test {
namespace {

bool inside(const Rect& r, int x, int y) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; }

TEST(PixelBuffer, FillRect_FillsOnlyThePartInsideTheBuffer) {
    constexpr Colour back = 0x102030, fill = 0x0000FF;
    struct Case {
        const char* what;
        Rect rect;
    };
    const std::vector<Case> cases = {
        {"inside, away from the edges", {2, 1, 3, 2}},
        {"one pixel", {6, 4, 1, 1}},
        {"over the left and top edges", {-2, -3, 4, 5}},
        {"over the right and bottom edges", {5, 3, 10, 10}},
        {"larger than the buffer", {-1, -1, 20, 20}},
        {"a column", {3, -5, 1, 50}},
        {"outside on the right", {8, 0, 4, 4}},
        {"outside above", {0, -4, 8, 4}},
        {"no width", {2, 2, 0, 3}},
        {"negative height", {2, 2, 3, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelBuffer b(8, 6, back);
        b.fillRect(c.rect, fill);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_EQ(b.pixel(x, y), inside(c.rect, x, y) ? fill : back) << x << ',' << y;
    }
}

TEST(PixelBuffer, NewBuffer_HoldsItsFillAsBlueGreenRedAndZero) {
    for (const Colour fill : {Colour{0}, Colour{0xFFFFFF}, Colour{0x123456}}) {
        const PixelBuffer b(3, 2, fill);
        const std::uint8_t expected[4] = {static_cast<std::uint8_t>(fill >> 16), static_cast<std::uint8_t>(fill >> 8),
                                          static_cast<std::uint8_t>(fill), 0};
        for (int y = 0; y < 2; ++y)
            for (std::size_t i = 0; i < b.stride(); ++i) EXPECT_EQ(b.row(y)[i], expected[i % 4]) << fill << ' ' << i;
    }
}

}  // namespace
}  // namespace platform::test
