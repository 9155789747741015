// The encoder: libjpeg-turbo must read what it writes, close to the source image, and the
// file must start with the fixed JFIF template.
#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/jpeg_encoder.hpp"
#include "imaging/jpeg_frame.hpp"
#include "imaging/plv0ri63.h"
#include "imaging/quant_tables.hpp"
#include "jpeg_reference.hpp"

namespace imaging_test {
namespace {

struct EncodeCase {
    const char* name;
    int width, height, channels;
    int quality;
    int flags;
    double minimumPsnr;
    std::uint8_t frameMarker;   // 0xC0 or 0xC2
    std::uint8_t lumaSampling;  // byte of the first component in the frame header
};

std::ostream& operator<<(std::ostream& os, const EncodeCase& c) { return os << c.name; }

// Offset of the first segment with this marker, or npos.
std::size_t findSegment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
    std::size_t p = 2;
    while (p + 4 <= jpeg.size() && jpeg[p] == 0xFF) {
        if (jpeg[p + 1] == marker) return p;
        if (jpeg[p + 1] == 0xDA) break;
        p += 2 + ((jpeg[p + 2] << 8) | jpeg[p + 3]);
    }
    return std::string::npos;
}

class EncoderOutput : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncoderOutput, ReferenceReadsItCloseToTheSource) {
    const EncodeCase& c = GetParam();
    const Image source = makePhotoLike(c.width, c.height, c.channels, 11);
    int result = 0;
    const std::vector<std::uint8_t> jpeg = encodeWithLibrary(makeBmp(source), c.quality, c.flags, result);
    ASSERT_GT(result, 0);
    const Image decoded = referenceDecode(jpeg);
    ASSERT_EQ(decoded.width, c.width);
    EXPECT_GE(psnr(decoded, source), c.minimumPsnr);

    // SOI, APP0 "JFIF" 1.01 without units, density or thumbnail, then a 23-byte COM.
    const std::uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_GE(jpeg.size(), sizeof head + 4);
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), jpeg.begin()));
    EXPECT_EQ(jpeg[20], 0xFF);
    EXPECT_EQ(jpeg[21], 0xFE);
    EXPECT_EQ((jpeg[22] << 8) | jpeg[23], 23);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);

    const std::size_t frame = findSegment(jpeg, c.frameMarker);
    ASSERT_NE(frame, std::string::npos);
    EXPECT_EQ(jpeg[frame + 4], 8);
    EXPECT_EQ((jpeg[frame + 5] << 8) | jpeg[frame + 6], c.height);
    EXPECT_EQ((jpeg[frame + 7] << 8) | jpeg[frame + 8], c.width);
    EXPECT_EQ(jpeg[frame + 9], c.channels);
    EXPECT_EQ(jpeg[frame + 11], c.lumaSampling);
    for (int comp = 1; comp < c.channels; ++comp) EXPECT_EQ(jpeg[frame + 11 + 3 * comp], 0x11);

    // The quantisation tables are the ones the quality gives, in zig-zag order.
    const std::size_t dqt = findSegment(jpeg, 0xDB);
    ASSERT_NE(dqt, std::string::npos);
    const int tables = c.channels == 1 ? 1 : 2;
    ASSERT_EQ((jpeg[dqt + 2] << 8) | jpeg[dqt + 3], 2 + 65 * tables);
    for (int t = 0; t < tables; ++t) {
        const std::size_t at = dqt + 4 + 65 * static_cast<std::size_t>(t);
        EXPECT_EQ(jpeg[at], t);
        const imaging::QuantTable expected = imaging::encoderQuantTable(c.quality, t == 1);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at + 1)))
            << "table " << t;
    }

    // And our own decoder reads it as well as the reference does.
    int decodeResult = 0;
    const std::vector<std::uint8_t> bmp = decodeWithLibrary(jpeg, decodeResult);
    ASSERT_GT(decodeResult, 0);
    EXPECT_GE(psnr(bmpPixels(bmp), decoded), 40.0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EncoderOutput,
    ::testing::Values(EncodeCase{"q75_2x2", 96, 64, 3, 75, 0, 35.0, 0xC0, 0x22},
                      EncodeCase{"q95_2x2", 96, 64, 3, 95, 0, 42.0, 0xC0, 0x22},
                      EncodeCase{"q75_2x2_flag3", 33, 17, 3, 75, 3, 35.0, 0xC0, 0x22},
                      EncodeCase{"q75_2x1", 45, 31, 3, 75, 1, 35.0, 0xC0, 0x21},
                      EncodeCase{"q95_2x1", 45, 31, 3, 95, 1, 42.0, 0xC0, 0x21},
                      EncodeCase{"q75_1x1", 17, 9, 3, 75, 2, 35.0, 0xC0, 0x11},
                      EncodeCase{"q95_1x1", 17, 9, 3, 95, 2, 42.0, 0xC0, 0x11},
                      EncodeCase{"q75_3x5", 3, 5, 3, 75, 0, 35.0, 0xC0, 0x22},
                      EncodeCase{"q75_progressive", 96, 64, 3, 75, 4, 35.0, 0xC2, 0x22},
                      EncodeCase{"q95_progressive_odd", 37, 29, 3, 95, 7, 42.0, 0xC2, 0x22},
                      EncodeCase{"q75_grey", 50, 30, 1, 75, 0, 35.0, 0xC0, 0x11},
                      EncodeCase{"q95_grey_odd", 17, 9, 1, 95, 2, 42.0, 0xC0, 0x11},
                      EncodeCase{"q95_grey_progressive", 41, 23, 1, 95, 5, 42.0, 0xC2, 0x11},
                      EncodeCase{"quality_out_of_range_is_75", 40, 24, 3, 100, 0, 35.0, 0xC0, 0x22}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

// A screenshot-like image: flat 8x8 areas of every value (the encoder transforms each
// flat value once per table and reuses the block), with text-like lines through some of
// them, in colour and grey. Reusing must not change a byte, and the reference must read
// every flat area back at its own value.
TEST(EncoderFlatAreas, ReusedBlocksGiveTheSameFile) {
    constexpr int side = 128;  // 16 x 16 areas: every value 0..255 once per channel
    for (const int channels : {3, 1}) {
        Image source{side, side, channels, {}};
        source.pixels.resize(static_cast<std::size_t>(side * side * channels));
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                for (int ch = 0; ch < channels; ++ch) {
                    const int area = (y / 8) * 16 + x / 8;
                    int v = (area * (1 + 6 * ch)) % 256;
                    if (y % 32 == 3 && x % 3 == 0) v = 0;  // a line: those areas are not flat
                    source.pixels[static_cast<std::size_t>((y * side + x) * channels + ch)] = static_cast<std::uint8_t>(v);
                }
        for (const int quality : {50, 95})
            for (const int flags : {0, 2, 4}) {
                SCOPED_TRACE(testing::Message() << channels << " channels, quality " << quality << ", flags " << flags);
                int result = 0;
                imaging::useFlatBlockCache(false);
                const auto direct = encodeWithLibrary(makeBmp(source), quality, flags, result);
                imaging::useFlatBlockCache(true);
                const auto jpeg = encodeWithLibrary(makeBmp(source), quality, flags, result);
                ASSERT_GT(result, 0);
                EXPECT_TRUE(jpeg == direct) << "reusing flat blocks changed the file";
                const Image decoded = referenceDecode(jpeg);
                ASSERT_EQ(decoded.width, side);
                // The centre of a flat area (rows 8-15 of each 32 have no line) keeps its value.
                for (int by = 1; by < 16; by += 4)
                    for (int bx = 0; bx < 16; ++bx) {
                        const std::size_t at = static_cast<std::size_t>(((by * 8 + 4) * side + bx * 8 + 4) * channels);
                        EXPECT_NEAR(decoded.pixels[at], source.pixels[at], channels == 1 ? 3 : 40) << "area " << bx << "," << by;
                    }
            }
    }
}

// The encoder reads a 24-bit image's rows in place and any other layout through a
// converted row: the same picture stored bottom-up, top-down, with row padding that holds
// other bytes, and in 32 bits gives the same file, at sizes that end inside a block and
// inside a 16-pixel unit, in each sampling layout.
TEST(EncoderRows, EveryLayoutOfThePictureGivesTheSameFile) {
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{37, 21}, Size{16, 16}, Size{9, 30}, Size{1, 1}}) {
        const Image image = makePhotoLike(size.width, size.height, 3, 17);
        const std::vector<std::uint8_t> plain = makeBmp(image);
        const std::size_t stride = (static_cast<std::size_t>(size.width) * 3 + 3) & ~std::size_t{3};
        const auto put32 = [](std::vector<std::uint8_t>& bmp, std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        std::vector<std::uint8_t> topDown = plain, padded = plain;
        put32(topDown, 22, static_cast<std::uint32_t>(-size.height));
        for (int y = 0; y < size.height; ++y) {
            std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(54 + y * stride), stride,
                        topDown.begin() + static_cast<std::ptrdiff_t>(54 + (size.height - 1 - y) * stride));
            for (std::size_t p = size.width * 3; p < stride; ++p) padded[54 + y * stride + p] = 0xA5;
        }
        std::vector<std::uint8_t> wide(54 + static_cast<std::size_t>(size.width) * 4 * size.height, 0);
        std::copy_n(plain.begin(), 54, wide.begin());
        put32(wide, 2, static_cast<std::uint32_t>(wide.size()));
        wide[28] = 32;
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(54 + y * stride + 3 * x), 3,
                            wide.begin() + static_cast<std::ptrdiff_t>(54 + (static_cast<std::size_t>(y) * size.width + x) * 4));
            }
        }
        for (const int flags : {0, 1, 2, 4}) {
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + " flags " + std::to_string(flags));
            int result = 0;
            const std::vector<std::uint8_t> expected = encodeWithLibrary(plain, 80, flags, result);
            ASSERT_GT(result, 0);
            EXPECT_GE(psnr(referenceDecode(expected), image), 30.0);
            EXPECT_EQ(encodeWithLibrary(topDown, 80, flags, result), expected) << "top-down";
            EXPECT_EQ(encodeWithLibrary(padded, 80, flags, result), expected) << "padding bytes";
            EXPECT_EQ(encodeWithLibrary(wide, 80, flags, result), expected) << "32 bits";
        }
    }
}

// Grey images whose palette maps each index to that grey level are read byte for byte;
// any other grey palette through the palette. The same levels stored with the palette
// reversed (and the indices with it) give the same file, bottom-up and top-down.
TEST(EncoderRows, GreyPalettesGiveTheLevelsTheyName) {
    const Image image = makePhotoLike(23, 13, 1, 19);
    const std::vector<std::uint8_t> plain = makeBmp(image);
    const std::size_t offset = 54 + 1024, stride = (23 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> reversed = plain, topDown = plain;
    for (int i = 0; i < 256; ++i) {
        for (int c = 0; c < 3; ++c) reversed[54 + 4 * i + c] = static_cast<std::uint8_t>(255 - i);
    }
    for (std::size_t p = offset; p < reversed.size(); ++p) reversed[p] = static_cast<std::uint8_t>(255 - plain[p]);
    const std::uint32_t negativeHeight = static_cast<std::uint32_t>(-13);
    for (int i = 0; i < 4; ++i) topDown[22 + i] = static_cast<std::uint8_t>(negativeHeight >> (8 * i));
    for (int y = 0; y < 13; ++y) {
        std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(offset + y * stride), stride,
                    topDown.begin() + static_cast<std::ptrdiff_t>(offset + (12 - y) * stride));
    }
    for (const int flags : {0, 4}) {
        SCOPED_TRACE(flags);
        int result = 0;
        const std::vector<std::uint8_t> expected = encodeWithLibrary(plain, 85, flags, result);
        ASSERT_GT(result, 0);
        EXPECT_GE(psnr(referenceDecode(expected), image), 35.0);
        EXPECT_EQ(encodeWithLibrary(reversed, 85, flags, result), expected) << "reversed palette";
        EXPECT_EQ(encodeWithLibrary(topDown, 85, flags, result), expected) << "top-down";
    }
}

TEST(EncoderSize, ModeZeroBoundFollowsThePaddedImage) {
    struct Case {
        int width, height, channels, flags;
        int expected;
    };
    const Case cases[] = {
        {17, 9, 3, 0, (32 * 16 + 1024) * 3},
        {16, 16, 1, 0, 16 * 16 + 1024},
        // Progressive adds the coefficient buffers: 2 bytes per coefficient, per component.
        {17, 9, 3, 4, (32 * 16 + 1024) * 3 + (4 * 2 + 2 * 1 * 2) * 64 * 2},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bmp = makeBmp(makePhotoLike(c.width, c.height, c.channels));
        EXPECT_EQ(dllJPEGENCODE(0, bmp.data(), static_cast<int>(bmp.size()), nullptr, 75, c.flags), c.expected)
            << c.width << "x" << c.height << " flags " << c.flags;
    }
}

TEST(EncoderErrors, RejectsWhatItCannotEncode) {
    std::vector<std::uint8_t> notBmp(100, 0);
    EXPECT_EQ(dllJPEGENCODE(0, notBmp.data(), 100, nullptr, 75, 0), -2);

    std::vector<std::uint8_t> rle = makeBmp(makePhotoLike(8, 8, 1));
    rle[30] = 1;  // run-length compression
    EXPECT_EQ(dllJPEGENCODE(0, rle.data(), static_cast<int>(rle.size()), nullptr, 75, 0), -3);

    std::vector<std::uint8_t> shortPixels = makeBmp(makePhotoLike(8, 8, 3));
    shortPixels.resize(shortPixels.size() - 10);
    EXPECT_EQ(dllJPEGENCODE(0, shortPixels.data(), static_cast<int>(shortPixels.size()), nullptr, 75, 0), -4);

    const std::vector<std::uint8_t> wideColour = makeBmp(makePhotoLike(5001, 1, 3));
    EXPECT_EQ(dllJPEGENCODE(0, wideColour.data(), static_cast<int>(wideColour.size()), nullptr, 75, 0), -5);
    const std::vector<std::uint8_t> wideGrey = makeBmp(makePhotoLike(15001, 1, 1));
    EXPECT_EQ(dllJPEGENCODE(0, wideGrey.data(), static_cast<int>(wideGrey.size()), nullptr, 75, 0), -5);
    const std::vector<std::uint8_t> widestGrey = makeBmp(makePhotoLike(15000, 1, 1));
    EXPECT_GT(dllJPEGENCODE(0, widestGrey.data(), static_cast<int>(widestGrey.size()), nullptr, 75, 0), 0);
}

TEST(EncoderErrors, ModeOneNeedsModeZeroOnTheSameImage) {
    const std::vector<std::uint8_t> small = makeBmp(makePhotoLike(8, 8, 3));
    const std::vector<std::uint8_t> large = makeBmp(makePhotoLike(64, 64, 3));
    const int bound = dllJPEGENCODE(0, small.data(), static_cast<int>(small.size()), nullptr, 75, 0);
    ASSERT_GT(bound, 0);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(bound));
    // A different image than the size was asked for could overrun the buffer.
    EXPECT_EQ(dllJPEGENCODE(1, large.data(), static_cast<int>(large.size()), out.data(), 75, 0), -1);
    std::vector<std::uint8_t> notBmp(100, 0);
    EXPECT_EQ(dllJPEGENCODE(0, notBmp.data(), 100, nullptr, 75, 0), -2);
    EXPECT_EQ(dllJPEGENCODE(1, small.data(), static_cast<int>(small.size()), out.data(), 75, 0), -1);
}

TEST(EncoderInfo, RecordDescribesTheLastImage) {
    const std::vector<std::uint8_t> bmp = makeBmp(makePhotoLike(21, 13, 1));
    int result = 0;
    const std::vector<std::uint8_t> jpeg = encodeWithLibrary(bmp, 120, 2, result);
    ASSERT_GT(result, 0);
    const int32_t* info = dllBMPINFO();
    EXPECT_EQ(info[0], 21);
    EXPECT_EQ(info[1], 13);
    EXPECT_EQ(info[2], 1);
    EXPECT_EQ(info[3], 75);
    EXPECT_EQ(info[4], 2);
    EXPECT_EQ(info[5], result);
}

}  // namespace
}  // namespace imaging_test
