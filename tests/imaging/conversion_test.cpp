// JPEG2BMP, BMP2JPEG and BITMAP2FULLCOLOR on files: run-time errors, the destination
// only when the conversion worked, and the edge cases of the BMP layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "imaging/plv0ri63.h"
#include "jpeg_reference.hpp"
#include "runtime/error.hpp"

namespace imaging_test {
namespace {

class Conversion : public ::testing::Test {
protected:
    void SetUp() override { dir_ = scratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    // The run-time error number JPEG2BMP raises, or 0.
    int jpegToBmpError(const std::string& source, const std::string& destination) {
        try {
            EXPECT_EQ(JPEG2BMP(source.c_str(), destination.c_str()), 0);
        } catch (const runtime::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    std::string dir_;
};

ReferenceOptions sampling(int h, int v) {
    ReferenceOptions o;
    o.lumaH = h;
    o.lumaV = v;
    return o;
}

TEST_F(Conversion, JpegWithoutStartMarkerFailsWithoutDestination) {
    std::vector<std::uint8_t> jpeg = referenceEncode(makePhotoLike(16, 16, 3), sampling(2, 2));
    jpeg[1] = 0xD9;
    writeFile(path("bad.jpg"), jpeg);
    int result = 0;
    decodeWithLibrary(jpeg, result);
    EXPECT_EQ(result, -2);
    EXPECT_EQ(jpegToBmpError(path("bad.jpg"), path("out.bmp")), runtime::err::ImageNotConvertible);
    EXPECT_FALSE(fileExists(path("out.bmp")));
}

TEST_F(Conversion, MissingSourceIsFileNotFound) {
    EXPECT_EQ(jpegToBmpError(path("absent.jpg"), path("out.bmp")), runtime::err::FileNotFound);
    EXPECT_FALSE(fileExists(path("out.bmp")));
}

TEST_F(Conversion, WidthLimits) {
    struct Case {
        int width, channels;
        bool converts;
    };
    // One row high keeps these cheap.
    const Case cases[] = {{15000, 1, true}, {15001, 1, false}, {5000, 3, true}, {5001, 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + (c.channels == 1 ? " grey" : " colour"));
        const std::vector<std::uint8_t> jpeg = referenceEncode(makePhotoLike(c.width, 1, c.channels), sampling(1, 1));
        int result = 0;
        decodeWithLibrary(jpeg, result);
        EXPECT_EQ(result > 0, c.converts);
        if (!c.converts) {
            EXPECT_EQ(result, -5);
        }
        writeFile(path("wide.jpg"), jpeg);
        std::remove(path("wide.bmp").c_str());
        EXPECT_EQ(jpegToBmpError(path("wide.jpg"), path("wide.bmp")), c.converts ? 0 : runtime::err::ImageNotConvertible);
        EXPECT_EQ(fileExists(path("wide.bmp")), c.converts);
        if (c.converts) {
            EXPECT_EQ(le32(readFile(path("wide.bmp")), 18), static_cast<std::uint32_t>(c.width));
        }
    }
}

TEST_F(Conversion, UnsupportedSamplingFails) {
    const std::vector<std::uint8_t> jpeg = referenceEncode(makePhotoLike(16, 16, 3), sampling(1, 2));
    int result = 0;
    decodeWithLibrary(jpeg, result);
    EXPECT_EQ(result, -4);
    writeFile(path("tall.jpg"), jpeg);
    EXPECT_EQ(jpegToBmpError(path("tall.jpg"), path("tall.bmp")), runtime::err::ImageNotConvertible);
    EXPECT_FALSE(fileExists(path("tall.bmp")));
}

TEST_F(Conversion, ThreePixelWideRowsArePaddedToFourBytes) {
    struct Case {
        int channels;
        std::size_t offset, stride;
    };
    for (const Case& c : {Case{3, 54, 12}, Case{1, 1078, 4}}) {
        const std::vector<std::uint8_t> jpeg = referenceEncode(makePhotoLike(3, 7, c.channels), sampling(2, 2));
        writeFile(path("narrow.jpg"), jpeg);
        ASSERT_EQ(jpegToBmpError(path("narrow.jpg"), path("narrow.bmp")), 0);
        const std::vector<std::uint8_t> bmp = readFile(path("narrow.bmp"));
        EXPECT_EQ(bmp.size(), c.offset + 7 * c.stride);
        EXPECT_EQ(le32(bmp, 2), bmp.size());
        EXPECT_EQ(le32(bmp, 10), c.offset);
        EXPECT_EQ(le32(bmp, 34), 3 * c.channels * 7u);
    }
}

TEST_F(Conversion, CutOffScanGivesFullSizeImageWithZeroRowsBelow) {
    // 62 pixels: rows of 186 bytes padded to 188.
    constexpr int width = 62, height = 64;
    constexpr std::size_t rowBytes = width * 3, stride = 188;
    const Image source = makePhotoLike(width, height, 3, 5);
    const std::vector<std::uint8_t> whole = referenceEncode(source, sampling(2, 2));
    // The scan data starts after SOS; keep about 40% of it.
    const std::uint8_t sosMarker[] = {0xFF, 0xDA};
    const auto sos = std::search(whole.begin(), whole.end(), std::begin(sosMarker), std::end(sosMarker));
    ASSERT_NE(sos, whole.end());
    const std::size_t scanStart = static_cast<std::size_t>(sos - whole.begin()) + 14;
    const std::size_t keep = scanStart + (whole.size() - scanStart) * 2 / 5;
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
    writeFile(path("cut.jpg"), cut);
    int result = 0;
    const std::vector<std::uint8_t> decoded = decodeWithLibrary(cut, result);
    EXPECT_EQ(result, -3);
    EXPECT_EQ(le32(decoded, 34), rowBytes * height);

    ASSERT_EQ(jpegToBmpError(path("cut.jpg"), path("cut.bmp")), 0);
    const std::vector<std::uint8_t> bmp = readFile(path("cut.bmp"));
    ASSERT_EQ(bmp.size(), 54 + stride * height);
    // For a cut-off file JPEG2BMP counts the padded rows in the image-size field.
    EXPECT_EQ(le32(bmp, 34), stride * height);
    const Image pixels = bmpPixels(bmp);
    const Image reference = referenceDecode(whole);
    // Some MCU rows at the top decoded as in the whole file, then only zeros.
    int firstZeroRow = -1;
    for (int y = 0; y < height && firstZeroRow < 0; ++y) {
        const auto row = pixels.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
        if (std::all_of(row, row + rowBytes, [](std::uint8_t b) { return b == 0; })) firstZeroRow = y;
    }
    ASSERT_GT(firstZeroRow, 0);
    EXPECT_EQ(firstZeroRow % 16, 0);
    EXPECT_TRUE(std::all_of(bmp.begin() + 54, bmp.begin() + 54 + static_cast<std::ptrdiff_t>(stride * (height - firstZeroRow)),
                            [](std::uint8_t b) { return b == 0; }));
    Image top = pixels, referenceTop = reference;
    top.height = referenceTop.height = firstZeroRow;
    top.pixels.resize(static_cast<std::size_t>(firstZeroRow) * rowBytes);
    referenceTop.pixels.resize(top.pixels.size());
    EXPECT_GE(psnr(top, referenceTop), 40.0);
}

TEST_F(Conversion, BmpToJpegAndBackKeepsThePicture) {
    struct Case {
        const char* name;
        int channels;
        int quality, flags;
    };
    const Case cases[] = {{"colour", 3, 90, 0}, {"grey_palette_becomes_colour", 1, 90, 2}, {"progressive", 3, 90, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Image source = makePhotoLike(40, 30, c.channels, 9);
        writeFile(path("in.bmp"), makeBmp(source));
        ASSERT_NO_THROW(BMP2JPEG(path("in.bmp").c_str(), path("out.jpg").c_str(), c.quality, c.flags));
        const std::vector<std::uint8_t> jpeg = readFile(path("out.jpg"));
        const Image decoded = referenceDecode(jpeg);
        // BMP2JPEG always encodes the 24-bit copy: three components even for grey input.
        ASSERT_EQ(decoded.channels, 3);
        Image expected = source;
        if (c.channels == 1) {
            expected.channels = 3;
            expected.pixels.clear();
            for (const std::uint8_t v : source.pixels) expected.pixels.insert(expected.pixels.end(), {v, v, v});
        }
        EXPECT_GE(psnr(decoded, expected), 38.0);
        ASSERT_EQ(jpegToBmpError(path("out.jpg"), path("back.bmp")), 0);
        EXPECT_GE(psnr(bmpPixels(readFile(path("back.bmp"))), decoded), 40.0);
    }
}

TEST_F(Conversion, BmpToJpegRejectsOtherFiles) {
    writeFile(path("not.bmp"), std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0, 0});
    try {
        BMP2JPEG(path("not.bmp").c_str(), path("out.jpg").c_str(), 75, 0);
        ADD_FAILURE() << "no error raised";
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.number(), runtime::err::ImageNotConvertible);
    }
    EXPECT_FALSE(fileExists(path("out.jpg")));
}

TEST_F(Conversion, FullColourRewritesEveryDepth) {
    // A 4x2 image in 1, 4 and 8 bits with a two-colour palette, and the same in 24 bits.
    const std::uint8_t blue[3] = {200, 10, 20}, red[3] = {5, 15, 250};
    const auto bmpWithPalette = [&](int bits) {
        const std::size_t stride = ((4 * static_cast<std::size_t>(bits) + 31) / 32) * 4;
        std::vector<std::uint8_t> bmp(54 + 8 + 2 * stride, 0);
        const auto put32 = [&](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        bmp[0] = 'B';
        bmp[1] = 'M';
        put32(2, static_cast<std::uint32_t>(bmp.size()));
        put32(10, 62);
        put32(14, 40);
        put32(18, 4);
        put32(22, 2);
        bmp[26] = 1;
        bmp[28] = static_cast<std::uint8_t>(bits);
        put32(46, 2);  // colours used
        std::copy(blue, blue + 3, bmp.begin() + 54);
        std::copy(red, red + 3, bmp.begin() + 58);
        // Pixels alternate blue, red, blue, red on the bottom row; all red on the top row.
        for (int x = 0; x < 4; ++x) {
            for (int row = 0; row < 2; ++row) {
                const int index = row == 1 ? 1 : x % 2;
                const std::size_t bitPos = static_cast<std::size_t>(x) * bits;
                bmp[62 + row * stride + bitPos / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bitPos % 8));
            }
        }
        return bmp;
    };
    for (const int bits : {1, 4, 8}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        writeFile(path("in.bmp"), bmpWithPalette(bits));
        ASSERT_EQ(BITMAP2FULLCOLOR(path("in.bmp").c_str(), path("full.bmp").c_str()), 0);
        const std::vector<std::uint8_t> full = readFile(path("full.bmp"));
        ASSERT_EQ(full.size(), 54u + 2 * 12);
        EXPECT_EQ(le16(full, 28), 24);
        const std::uint8_t expectedBottom[12] = {200, 10, 20, 5, 15, 250, 200, 10, 20, 5, 15, 250};
        EXPECT_TRUE(std::equal(std::begin(expectedBottom), std::end(expectedBottom), full.begin() + 54));
        for (int x = 0; x < 4; ++x) EXPECT_TRUE(std::equal(red, red + 3, full.begin() + 66 + 3 * x)) << x;
    }
}

// 24-bit sources in the layouts BITMAP2FULLCOLOR copies row for row (bottom-up rows
// without padding, here with a larger header, a gap before the pixels, trailing bytes, and
// more than one piece of the copy) and in those it converts (padded rows whose padding
// holds other bytes, top-down rows): the result is always the plain 24-bit file.
TEST_F(Conversion, FullColourOf24BitSourcesIsThePlainFile) {
    struct Case {
        const char* name;
        int width, height;
        std::uint32_t infoSize;
        std::size_t gap, trailer;
        bool topDown;
    };
    const Case cases[] = {
        {"copied_v5_header_gap_trailer_two_pieces", 400, 1000, 124, 10, 7, false},
        {"copied_small", 8, 3, 40, 0, 0, false},
        {"converted_padded_rows", 5, 7, 40, 0, 3, false},
        {"converted_top_down", 12, 9, 40, 2, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Image image = makePhotoLike(c.width, c.height, 3, 5);
        const std::vector<std::uint8_t> plain = makeBmp(image);
        const std::size_t stride = (static_cast<std::size_t>(c.width) * 3 + 3) & ~std::size_t{3};
        const std::size_t offset = 14 + c.infoSize + c.gap;
        std::vector<std::uint8_t> source(offset + stride * c.height + c.trailer, 0xEE);
        std::fill(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(14 + c.infoSize), 0);
        std::copy(plain.begin(), plain.begin() + 30, source.begin());
        const auto put32 = [&](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) source[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        put32(2, static_cast<std::uint32_t>(source.size()));
        put32(10, static_cast<std::uint32_t>(offset));
        put32(14, c.infoSize);
        put32(22, static_cast<std::uint32_t>(c.topDown ? -c.height : c.height));
        for (int y = 0; y < c.height; ++y) {
            const std::size_t stored = static_cast<std::size_t>(c.topDown ? c.height - 1 - y : y);
            // Row bytes from the plain file; padding keeps the 0xEE filler.
            std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(54 + y * stride), c.width * 3,
                        source.begin() + static_cast<std::ptrdiff_t>(offset + stored * stride));
        }
        writeFile(path("in.bmp"), source);
        ASSERT_EQ(BITMAP2FULLCOLOR(path("in.bmp").c_str(), path("full.bmp").c_str()), 0);
        const std::vector<std::uint8_t> full = readFile(path("full.bmp"));
        ASSERT_EQ(full.size(), plain.size());
        EXPECT_EQ(full[0], 'B');
        EXPECT_EQ(full[1], 'M');
        EXPECT_EQ(le32(full, 2), full.size());
        EXPECT_EQ(le32(full, 10), 54u);
        EXPECT_EQ(le32(full, 14), 40u);
        EXPECT_EQ(le32(full, 18), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(le32(full, 22), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(le16(full, 28), 24);
        EXPECT_EQ(le32(full, 34), static_cast<std::uint32_t>(c.width * 3 * c.height));
        EXPECT_TRUE(std::equal(plain.begin() + 54, plain.end(), full.begin() + 54));
    }
}

// The BMP conversions read their source the way JPEG2BMP does: a missing file is error
// 63, a folder error 75, and neither leaves a destination.
TEST_F(Conversion, BmpSourcesThatCannotBeReadGiveTheFileErrors) {
    std::filesystem::create_directory(path("folder.bmp"));
    struct Case {
        const char* source;
        int error;
    };
    for (const Case c : {Case{"absent.bmp", runtime::err::FileNotFound}, Case{"folder.bmp", runtime::err::FileAccessFailed}}) {
        SCOPED_TRACE(c.source);
        const auto errorOf = [&](const auto& convert) {
            try {
                convert();
            } catch (const runtime::RuntimeError& e) {
                return e.number();
            }
            return 0;
        };
        EXPECT_EQ(errorOf([&] { BMP2JPEG(path(c.source).c_str(), path("out.jpg").c_str(), 75, 0); }), c.error);
        EXPECT_EQ(errorOf([&] { BITMAP2FULLCOLOR(path(c.source).c_str(), path("full.bmp").c_str()); }), c.error);
        EXPECT_FALSE(fileExists(path("out.jpg")));
        EXPECT_FALSE(fileExists(path("full.bmp")));
    }
}

TEST_F(Conversion, FullColourOfACutOffSourceFailsWithoutDestination) {
    // Row-for-row copies and conversions alike check the rows against the file's size.
    for (const int width : {400, 5}) {
        SCOPED_TRACE(width);
        std::vector<std::uint8_t> bmp = makeBmp(makePhotoLike(width, 20, 3, 6));
        bmp.resize(bmp.size() - 1);
        writeFile(path("cut.bmp"), bmp);
        try {
            BITMAP2FULLCOLOR(path("cut.bmp").c_str(), path("full.bmp").c_str());
            ADD_FAILURE() << "no error raised";
        } catch (const runtime::RuntimeError& e) {
            EXPECT_EQ(e.number(), runtime::err::ImageNotConvertible);
        }
        EXPECT_FALSE(fileExists(path("full.bmp")));
    }
}

}  // namespace
}  // namespace imaging_test
