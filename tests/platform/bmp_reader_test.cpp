// The BMP reader on the header layout the table-driven tests of the toolkit do not write:
// the 12-byte core header, whose colour table has 3-byte entries.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/bmp_reader.hpp"

namespace platform::test {
namespace {

TEST(BmpReader, CoreHeaderWithThreeByteColourTable) {
    // 3 x 2 pixels, 4 bits, a table of black, white and red (B, G, R each), bottom-up.
    const std::vector<std::uint8_t> file = {
        'B', 'M', 44, 0, 0, 0, 0, 0, 0, 0, 35, 0, 0, 0,  // file header: size 44, pixels at 35
        12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 4, 0,             // core header: 3 x 2, 1 plane, 4 bits
        0, 0, 0, 255, 255, 255, 0, 0, 255,               // black, white, red
        0x12, 0x00, 0, 0,                                // bottom row: white, red, black
        0x01, 0x20, 0, 0,                                // top row: black, white, red
        0};
    BmpSource bmp;
    ASSERT_EQ(parseBmp(file.data(), file.size(), bmp), 0);
    EXPECT_EQ(bmp.width, 3);
    EXPECT_EQ(bmp.height, 2);
    EXPECT_EQ(bmp.paletteSize, 3);  // the entries before the pixels
    const auto pixels = bmpToPixels(bmp);
    ASSERT_TRUE(pixels);
    const std::vector<Colour> expected = {0x000000, 0xFFFFFF, 0x0000FF, 0xFFFFFF, 0x0000FF, 0x000000};
    std::vector<Colour> got;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) got.push_back(pixels->pixel(x, y));
    EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace platform::test
