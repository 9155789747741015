// The decoder against libjpeg-turbo: the same file, decoded by both, must agree closely,
// and the BMP around the pixels must have the fixed layout.
#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/plv0ri63.h"
#include "jpeg_reference.hpp"

namespace imaging_test {
namespace {

struct DecodeCase {
    const char* name;
    int width, height, channels;
    ReferenceOptions options;
};

std::ostream& operator<<(std::ostream& os, const DecodeCase& c) { return os << c.name; }

class DecodeMatchesReference : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeMatchesReference, PixelsAgreeAndBmpHeaderIsFixedLayout) {
    const DecodeCase& c = GetParam();
    const Image source = makePhotoLike(c.width, c.height, c.channels, 7);
    const std::vector<std::uint8_t> jpeg = referenceEncode(source, c.options);
    ASSERT_FALSE(jpeg.empty());
    const Image expected = referenceDecode(jpeg);
    int result = 0;
    const std::vector<std::uint8_t> bmp = decodeWithLibrary(jpeg, result);
    ASSERT_EQ(result, static_cast<int>(bmp.size()));

    const bool grey = c.channels == 1;
    const std::size_t stride = (static_cast<std::size_t>(c.width) * c.channels + 3) & ~std::size_t{3};
    const std::size_t offset = grey ? 1078 : 54;
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), offset + stride * c.height);
    EXPECT_EQ(le32(bmp, 10), offset);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(le32(bmp, 22), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(le16(bmp, 26), 1);
    EXPECT_EQ(le16(bmp, 28), grey ? 8 : 24);
    EXPECT_EQ(le32(bmp, 30), 0u);
    EXPECT_EQ(le32(bmp, 34), static_cast<std::uint32_t>(c.width * c.channels * c.height));
    for (std::size_t i = 38; i < 54; ++i) EXPECT_EQ(bmp[i], 0) << "byte " << i;
    if (grey) {
        for (int i = 0; i < 256; ++i) {
            const std::size_t e = 54 + 4 * static_cast<std::size_t>(i);
            ASSERT_TRUE(bmp[e] == i && bmp[e + 1] == i && bmp[e + 2] == i && bmp[e + 3] == 0) << "palette " << i;
        }
    }
    // Row padding is zero.
    for (int y = 0; y < c.height; ++y) {
        const std::size_t row = offset + y * stride;
        for (std::size_t x = static_cast<std::size_t>(c.width) * c.channels; x < stride; ++x) {
            ASSERT_EQ(bmp[row + x], 0) << "row " << y;
        }
    }
    EXPECT_GE(psnr(bmpPixels(bmp), expected), 40.0);

    const int32_t* info = dllJPEGINFO();
    EXPECT_EQ(info[0], c.width);
    EXPECT_EQ(info[1], c.height);
    EXPECT_EQ(info[2], c.channels);
    EXPECT_EQ(info[4], c.options.progressive ? 1 : 0);
}

ReferenceOptions opts(int h, int v, int restart = 0, bool progressive = false, int quality = 90) {
    ReferenceOptions o;
    o.quality = quality;
    o.lumaH = h;
    o.lumaV = v;
    o.restartInterval = restart;
    o.progressive = progressive;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Images, DecodeMatchesReference,
    ::testing::Values(DecodeCase{"colour_2x2_64x48", 64, 48, 3, opts(2, 2)},
                      DecodeCase{"colour_2x2_3x5", 3, 5, 3, opts(2, 2)},
                      DecodeCase{"colour_2x2_17x9", 17, 9, 3, opts(2, 2)},
                      DecodeCase{"colour_2x2_odd_101x77", 101, 77, 3, opts(2, 2, 0, false, 75)},
                      DecodeCase{"colour_2x1_17x9", 17, 9, 3, opts(2, 1)},
                      DecodeCase{"colour_2x1_45x33", 45, 33, 3, opts(2, 1)},
                      DecodeCase{"colour_1x1_17x9", 17, 9, 3, opts(1, 1)},
                      DecodeCase{"colour_1x1_40x23", 40, 23, 3, opts(1, 1, 0, false, 98)},
                      DecodeCase{"grey_3x5", 3, 5, 1, opts(1, 1)},
                      DecodeCase{"grey_17x9", 17, 9, 1, opts(1, 1)},
                      DecodeCase{"grey_130x61", 130, 61, 1, opts(1, 1)},
                      DecodeCase{"restart_every_mcu_2x2", 50, 40, 3, opts(2, 2, 1)},
                      DecodeCase{"restart_every_3_mcus_1x1", 41, 27, 3, opts(1, 1, 3)},
                      DecodeCase{"restart_grey", 33, 19, 1, opts(1, 1, 2)},
                      DecodeCase{"progressive_2x2", 64, 48, 3, opts(2, 2, 0, true)},
                      DecodeCase{"progressive_2x2_odd", 37, 29, 3, opts(2, 2, 0, true)},
                      DecodeCase{"progressive_2x1", 45, 21, 3, opts(2, 1, 0, true)},
                      DecodeCase{"progressive_1x1", 19, 13, 3, opts(1, 1, 0, true)},
                      DecodeCase{"progressive_grey", 35, 26, 1, opts(1, 1, 0, true)},
                      DecodeCase{"progressive_restarts", 70, 50, 3, opts(2, 2, 2, true)},
                      DecodeCase{"progressive_grey_restarts", 35, 26, 1, opts(1, 1, 1, true)}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

// A height of 0 in the frame with the lines given by a DNL segment after the scan.
TEST(Decoder, HeightFromDefineNumberOfLines) {
    const Image source = makePhotoLike(24, 20, 3, 3);
    std::vector<std::uint8_t> jpeg = referenceEncode(source, opts(2, 2));
    int expectedResult = 0;
    const std::vector<std::uint8_t> expected = decodeWithLibrary(jpeg, expectedResult);
    ASSERT_GT(expectedResult, 0);
    const std::uint8_t sofMarker[] = {0xFF, 0xC0};
    const auto sof = std::search(jpeg.begin(), jpeg.end(), std::begin(sofMarker), std::end(sofMarker));
    ASSERT_NE(sof, jpeg.end());
    sof[5] = 0;  // height
    sof[6] = 0;
    ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    const std::uint8_t dnl[] = {0xFF, 0xDC, 0x00, 0x04, 0x00, 20};
    jpeg.insert(jpeg.end() - 2, std::begin(dnl), std::end(dnl));
    int result = 0;
    const std::vector<std::uint8_t> bmp = decodeWithLibrary(jpeg, result);
    EXPECT_EQ(result, expectedResult);
    EXPECT_EQ(bmp, expected);
}

}  // namespace
}  // namespace imaging_test
