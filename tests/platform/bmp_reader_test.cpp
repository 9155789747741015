// The BMP reader on what the table-driven tests of the toolkit do not reach: the 12-byte
// core header, whose colour table has 3-byte entries, and the bytes of the rows it makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
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

// A BMP of one row with a 40-byte header and no colour table, whose pixel bytes are the
// last bytes of the file.
std::vector<std::uint8_t> oneRowBmp(int width, int bitsPerPixel, const std::vector<std::uint8_t>& row) {
    const auto le32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    std::vector<std::uint8_t> file = {'B', 'M'};
    le32(file, static_cast<std::uint32_t>(54 + row.size()));
    le32(file, 0);
    le32(file, 54);
    le32(file, 40);
    le32(file, static_cast<std::uint32_t>(width));
    le32(file, 1);
    file.push_back(1);
    file.push_back(0);
    file.push_back(static_cast<std::uint8_t>(bitsPerPixel));
    file.push_back(0);
    for (int i = 0; i < 6; ++i) le32(file, 0);
    file.insert(file.end(), row.begin(), row.end());
    return file;
}

// The buffer's bytes are B, G, R and a zero whatever the file holds in a pixel's spare
// bytes, and a row that fills its stride exactly is read to its last byte and no further.
// The file's last pixel starts on an 8-byte boundary of its allocation, where the
// sanitiser build sees even a wide read that starts inside the file and ends past it.
TEST(BmpReader, RowsBecomeBlueGreenRedAndAZero) {
    struct Case {
        const char* what;
        int width, bitsPerPixel;
        std::vector<std::uint8_t> row, expected;
    };
    const std::vector<Case> cases = {
        {"24 bits, no row padding", 4, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}},
        {"24 bits, one pixel and padding", 1, 24, {0xAA, 0xBB, 0xCC, 0xDD}, {0xAA, 0xBB, 0xCC, 0}},
        {"32 bits with a spare byte set", 2, 32, {1, 2, 3, 0xFF, 4, 5, 6, 0x80}, {1, 2, 3, 0, 4, 5, 6, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::uint8_t> bmpFile = oneRowBmp(c.width, c.bitsPerPixel, c.row);
        const std::size_t lastPixel = bmpFile.size() - static_cast<std::size_t>(c.bitsPerPixel / 8);
        const std::size_t shift = (8 - lastPixel % 8) % 8;
        std::vector<std::uint8_t> placed(shift + bmpFile.size());
        std::copy(bmpFile.begin(), bmpFile.end(), placed.begin() + static_cast<std::ptrdiff_t>(shift));
        BmpSource bmp;
        ASSERT_EQ(parseBmp(placed.data() + shift, bmpFile.size(), bmp), 0);
        const auto pixels = bmpToPixels(bmp);
        ASSERT_TRUE(pixels);
        ASSERT_EQ(pixels->width(), c.width);
        const std::vector<std::uint8_t> got(pixels->row(0), pixels->row(0) + pixels->stride());
        EXPECT_EQ(got, c.expected);
    }
}

}  // namespace
}  // namespace platform::test
