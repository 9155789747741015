// Malformed JPEG data: each header field outside what the codec supports gives its
// result code, and no input makes the decoder write outside the buffer it was given.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "imaging/plv0ri63.h"
#include "jpeg_reference.hpp"

namespace imaging_test {
namespace {

std::vector<std::uint8_t> sampleJpeg(bool progressive = false, int channels = 3, int restart = 0) {
    ReferenceOptions o;
    o.progressive = progressive;
    o.restartInterval = restart;
    return referenceEncode(makePhotoLike(21, 14, channels, 4), o);
}

// Offset of the first segment with this marker.
std::size_t segmentAt(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
    std::size_t p = 2;
    while (p + 4 <= jpeg.size()) {
        if (jpeg[p + 1] == marker) return p;
        p += 2 + ((jpeg[p + 2] << 8) | jpeg[p + 3]);
    }
    ADD_FAILURE() << "no marker " << std::hex << int(marker);
    return 0;
}

// Mode 0 then, when it succeeds, mode 1 into a buffer with guard bytes on both sides.
// Returns the last result; fails the test if a guard byte changed.
int decodeGuarded(const std::vector<std::uint8_t>& jpeg) {
    const int size = dllJPEGDECODE(0, jpeg.data(), static_cast<int>(jpeg.size()), nullptr);
    if (size < 0 || size > (16 << 20)) return size;
    constexpr std::size_t guard = 64;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size) + 2 * guard, 0x5A);
    const int result = dllJPEGDECODE(1, jpeg.data(), static_cast<int>(jpeg.size()), buffer.data() + guard);
    const bool intact = std::all_of(buffer.begin(), buffer.begin() + guard, [](std::uint8_t b) { return b == 0x5A; }) &&
                        std::all_of(buffer.end() - guard, buffer.end(), [](std::uint8_t b) { return b == 0x5A; });
    EXPECT_TRUE(intact) << "decoder wrote outside its buffer";
    return result;
}

struct PatchCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> patch;
    int expected;
    bool progressive = false;
    int channels = 3;
};

std::ostream& operator<<(std::ostream& os, const PatchCase& c) { return os << c.name; }

class HeaderFields : public ::testing::TestWithParam<PatchCase> {};

TEST_P(HeaderFields, GiveTheirResult) {
    const PatchCase& c = GetParam();
    std::vector<std::uint8_t> jpeg = sampleJpeg(c.progressive, c.channels);
    c.patch(jpeg);
    EXPECT_EQ(decodeGuarded(jpeg), c.expected);
}

void setByte(std::vector<std::uint8_t>& j, std::uint8_t marker, std::size_t offset, std::uint8_t value) {
    j[segmentAt(j, marker) + offset] = value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderFields,
    ::testing::Values(
        PatchCase{"no_start_of_image", [](auto& j) { j[0] = 0x00; }, -2},
        PatchCase{"extended_sequential_frame", [](auto& j) { setByte(j, 0xC0, 1, 0xC1); }, -2},
        PatchCase{"lossless_frame", [](auto& j) { setByte(j, 0xC0, 1, 0xC3); }, -2},
        PatchCase{"arithmetic_frame", [](auto& j) { setByte(j, 0xC0, 1, 0xC9); }, -2},
        PatchCase{"twelve_bit_precision", [](auto& j) { setByte(j, 0xC0, 4, 12); }, -2},
        PatchCase{"sixteen_bit_quant_table", [](auto& j) { setByte(j, 0xDB, 4, 0x10); }, -2},
        PatchCase{"quant_table_id_4", [](auto& j) { setByte(j, 0xDB, 4, 0x04); }, -2},
        PatchCase{"huffman_table_id_2", [](auto& j) { setByte(j, 0xC4, 4, 0x02); }, -2},
        PatchCase{"huffman_class_2", [](auto& j) { setByte(j, 0xC4, 4, 0x20); }, -2},
        PatchCase{"huffman_counts_overfull", [](auto& j) { setByte(j, 0xC4, 5, 3); }, -2},
        PatchCase{"frame_uses_quant_table_5", [](auto& j) { setByte(j, 0xC0, 12, 5); }, -2},
        PatchCase{"two_components", [](auto& j) { setByte(j, 0xC0, 9, 2); }, -4},
        PatchCase{"four_components", [](auto& j) { setByte(j, 0xC0, 9, 4); }, -4},
        PatchCase{"luma_sampling_1x2", [](auto& j) { setByte(j, 0xC0, 11, 0x12); }, -4},
        PatchCase{"chroma_sampling_2x2", [](auto& j) { setByte(j, 0xC0, 14, 0x22); }, -4},
        PatchCase{"zero_width", [](auto& j) { setByte(j, 0xC0, 7, 0); setByte(j, 0xC0, 8, 0); }, -6},
        PatchCase{"width_5001", [](auto& j) { setByte(j, 0xC0, 7, 0x13); setByte(j, 0xC0, 8, 0x89); }, -5},
        PatchCase{"scan_names_unknown_component", [](auto& j) { setByte(j, 0xDA, 5, 9); }, -4},
        PatchCase{"baseline_scan_with_spectral_band", [](auto& j) { setByte(j, 0xDA, 12, 5); }, -2},
        PatchCase{"scan_uses_table_3", [](auto& j) { setByte(j, 0xDA, 6, 0x33); }, -2},
        PatchCase{"unknown_marker_in_headers", [](auto& j) { setByte(j, 0xDB, 1, 0xF3); }, -2},
        PatchCase{"eoi_before_scan",
                  [](auto& j) {
                      const std::size_t sos = segmentAt(j, 0xDA);
                      j.resize(sos);
                      j.insert(j.end(), {0xFF, 0xD9});
                  },
                  -1},
        PatchCase{"progressive_band_past_63", [](auto& j) { setByte(j, 0xDA, 8, 64); }, -2, true, 1},
        PatchCase{"progressive_dc_with_ac", [](auto& j) { setByte(j, 0xDA, 8, 5); }, -2, true, 1},
        PatchCase{"progressive_approximation_14", [](auto& j) { setByte(j, 0xDA, 9, 0xEE); }, -2, true, 1}),
    [](const ::testing::TestParamInfo<PatchCase>& info) { return std::string(info.param.name); });

TEST(MalformedData, ModeOneWithoutModeZero) {
    const std::vector<std::uint8_t> good = sampleJpeg();
    std::vector<std::uint8_t> bad = good;
    bad[0] = 0;
    EXPECT_EQ(dllJPEGDECODE(0, bad.data(), static_cast<int>(bad.size()), nullptr), -2);
    std::vector<std::uint8_t> out(100000);
    EXPECT_EQ(dllJPEGDECODE(1, good.data(), static_cast<int>(good.size()), out.data()), -6);
}

TEST(MalformedData, ModeOneOnLargerImageThanModeZeroSaw) {
    const std::vector<std::uint8_t> small = referenceEncode(makePhotoLike(8, 8, 3), ReferenceOptions{});
    const std::vector<std::uint8_t> large = referenceEncode(makePhotoLike(64, 64, 3), ReferenceOptions{});
    const int size = dllJPEGDECODE(0, small.data(), static_cast<int>(small.size()), nullptr);
    ASSERT_GT(size, 0);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
    EXPECT_EQ(dllJPEGDECODE(1, large.data(), static_cast<int>(large.size()), out.data()), -6);
}

// Every prefix of baseline, progressive and restart-marked files: the decoder stops
// cleanly with one of its results and stays inside its buffer.
TEST(MalformedData, EveryPrefixStopsCleanly) {
    for (const auto& jpeg : {sampleJpeg(false), sampleJpeg(true), sampleJpeg(false, 3, 1), sampleJpeg(true, 1, 2)}) {
        for (std::size_t length = 0; length <= jpeg.size(); ++length) {
            const std::vector<std::uint8_t> prefix(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length));
            const int result = decodeGuarded(prefix);
            ASSERT_TRUE(result == -2 || result == -3 || result == -6 || result > 0)
                << "length " << length << " result " << result;
        }
    }
}

// Random byte changes anywhere in the file.
TEST(MalformedData, CorruptedBytesStayInsideTheBuffer) {
    std::mt19937 random(7);
    for (const auto& original : {sampleJpeg(false), sampleJpeg(true), sampleJpeg(true, 1, 3)}) {
        std::uniform_int_distribution<std::size_t> position(2, original.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> jpeg = original;
            for (int n = 0; n < 1 + round % 4; ++n) jpeg[position(random)] = static_cast<std::uint8_t>(byte(random));
            const int result = decodeGuarded(jpeg);
            ASSERT_GE(result, -6) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace imaging_test
