// The SSE2 and AVX2 kernels against the plain ones: the same integers for every input,
// and so the same bytes for whole conversions whichever set the processor gets.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <random>

#include "imaging/kernels.hpp"
#include "imaging/quant_tables.hpp"
#include "imaging/plv0ri63.h"
#include "jpeg_reference.hpp"

namespace imaging_test {
namespace {

using imaging::KernelSet;

std::vector<KernelSet> fastSets() {
    std::vector<KernelSet> sets;
    for (const KernelSet s : {KernelSet::Sse2, KernelSet::Avx2}) {
        if (imaging::kernelSetSupported(s)) sets.push_back(s);
    }
    return sets;
}

const char* nameOf(KernelSet s) { return s == KernelSet::Sse2 ? "sse2" : s == KernelSet::Avx2 ? "avx2" : "plain"; }

class KernelSets : public ::testing::Test {
protected:
    void TearDown() override { imaging::forceKernelSet(std::nullopt); }
};

TEST_F(KernelSets, InverseTransformMatchesPlainOverTheWholeRange) {
    std::mt19937 random(1);
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (int round = 0; round < 3000; ++round) {
        alignas(16) std::int16_t block[64];
        // Small coefficients as in real images, huge ones where the passes saturate, and
        // blocks with only a DC value.
        const int limit = round % 3 == 0 ? 32767 : round % 3 == 1 ? 1024 : 64;
        std::uniform_int_distribution<int> value(-limit - (limit == 32767 ? 1 : 0), limit);
        for (int k = 0; k < 64; ++k) block[k] = static_cast<std::int16_t>(round % 7 == 0 && k > 0 ? 0 : value(random));
        std::uint8_t expected[8 * 11];
        plain.inverseDct(block, expected, 11);
        for (const KernelSet s : fastSets()) {
            std::uint8_t actual[8 * 11];
            imaging::kernelsFor(s).inverseDct(block, actual, 11);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    ASSERT_EQ(actual[y * 11 + x], expected[y * 11 + x]) << nameOf(s) << " round " << round;
                }
            }
        }
    }
}

TEST_F(KernelSets, ForwardTransformMatchesPlain) {
    std::mt19937 random(2);
    std::uniform_int_distribution<int> sample(-128, 127);
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (int round = 0; round < 3000; ++round) {
        alignas(16) std::int16_t samples[64];
        for (int k = 0; k < 64; ++k) samples[k] = static_cast<std::int16_t>(round % 5 == 0 ? (k % 2 ? 127 : -128) : sample(random));
        alignas(16) std::int16_t expected[64];
        plain.forwardDct(samples, expected);
        for (const KernelSet s : fastSets()) {
            alignas(16) std::int16_t actual[64];
            imaging::kernelsFor(s).forwardDct(samples, actual);
            for (int k = 0; k < 64; ++k) ASSERT_EQ(actual[k], expected[k]) << nameOf(s) << " round " << round;
        }
    }
}

// The fast transform against the exact one: random blocks, flat blocks at both ends of
// the range, and for every frequency the block of -128 and 127 that follows the signs of
// its basis function (and the opposite one), which drive the passes' intermediate values
// to their largest. The SIMD sets must agree with the reference on those too.
TEST_F(KernelSets, ForwardTransformFollowsTheDctWithinRounding) {
    std::vector<std::array<std::int16_t, 64>> blocks;
    const auto basis = [](int k, int n) { return std::cos((2 * n + 1) * k * M_PI / 16); };
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            for (const bool negated : {false, true}) {
                std::array<std::int16_t, 64> block{};
                for (int y = 0; y < 8; ++y) {
                    for (int x = 0; x < 8; ++x) {
                        const bool positive = (basis(u, x) * basis(v, y) >= 0) != negated;
                        block[y * 8 + x] = static_cast<std::int16_t>(positive ? 127 : -128);
                    }
                }
                blocks.push_back(block);
            }
        }
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-128, 127);
    for (int round = 0; round < 500; ++round) {
        std::array<std::int16_t, 64> block{};
        for (auto& s : block) s = static_cast<std::int16_t>(sample(random));
        blocks.push_back(block);
    }
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::array<std::int16_t, 64>& samples = blocks[b];
        alignas(16) std::int16_t expected[64];
        plain.forwardDct(samples.data(), expected);
        for (int v = 0; v < 8; ++v) {
            for (int u = 0; u < 8; ++u) {
                double sum = 0;
                for (int y = 0; y < 8; ++y) {
                    for (int x = 0; x < 8; ++x) sum += samples[y * 8 + x] * basis(u, x) * basis(v, y);
                }
                const double scale = (u == 0 ? M_SQRT1_2 : 1.0) * (v == 0 ? M_SQRT1_2 : 1.0) / 4;
                // Coefficients carry 3 fraction bits: within 1.5 of those units.
                ASSERT_NEAR(expected[v * 8 + u], 8 * scale * sum, 1.5) << "block " << b << " (" << u << "," << v << ")";
            }
        }
        for (const KernelSet s : fastSets()) {
            alignas(16) std::int16_t actual[64];
            imaging::kernelsFor(s).forwardDct(samples.data(), actual);
            for (int k = 0; k < 64; ++k) ASSERT_EQ(actual[k], expected[k]) << nameOf(s) << " block " << b;
        }
    }
}

// Quantising with the tables of several qualities and with arbitrary reciprocals, over
// random coefficients and the ones where rounding or the sign handling could slip: zero,
// +-1, the 16-bit limits and exact halves of a divisor.
TEST_F(KernelSets, QuantiserMatchesPlainAndRoundsToNearest) {
    std::mt19937 random(8);
    std::uniform_int_distribution<int> coefficient(-32768, 32767), small(-600, 600);
    std::uniform_real_distribution<float> anyReciprocal(0.0001f, 1.0f);
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    const int qualities[] = {0, 50, 75, 95, 99};
    for (int round = 0; round < 2000; ++round) {
        alignas(32) float reciprocals[64];
        alignas(32) std::int16_t divisors[64];
        const bool fromTable = round % 3 != 0;
        const imaging::QuantTable table = imaging::encoderQuantTable(qualities[round % 5], round % 2 == 1);
        for (int k = 0; k < 64; ++k) {
            divisors[k] = static_cast<std::int16_t>(8 * table[k]);
            reciprocals[k] = fromTable ? 1.0f / static_cast<float>(divisors[k]) : anyReciprocal(random);
        }
        alignas(32) std::int16_t coefficients[64];
        for (int k = 0; k < 64; ++k) {
            const int special[] = {0, 1, -1, 32767, -32768, divisors[k] / 2, -(divisors[k] / 2), 3 * divisors[k] / 2};
            const int kind = (round + k) % 12;
            coefficients[k] = static_cast<std::int16_t>(kind < 8 ? special[kind] : kind < 10 ? small(random) : coefficient(random));
        }
        alignas(32) std::int16_t expected[64];
        plain.quantise(coefficients, reciprocals, expected);
        for (int k = 0; k < 64; ++k) {
            const double exact = coefficients[k] * static_cast<double>(reciprocals[k]);
            ASSERT_LE(std::abs(expected[k] - exact), 0.5 + 1e-3) << "round " << round << " coefficient " << k;
            ASSERT_FALSE(expected[k] != 0 && (expected[k] < 0) != (coefficients[k] < 0)) << "round " << round;
        }
        for (const KernelSet s : fastSets()) {
            alignas(32) std::int16_t actual[64];
            imaging::kernelsFor(s).quantise(coefficients, reciprocals, actual);
            for (int k = 0; k < 64; ++k) ASSERT_EQ(actual[k], expected[k]) << nameOf(s) << " round " << round << " k " << k;
        }
    }
}

TEST_F(KernelSets, TransformsInvertEachOther) {
    // Guards the shared arithmetic itself: forward then inverse gives the samples back
    // within rounding.
    std::mt19937 random(3);
    std::uniform_int_distribution<int> sample(0, 255);
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (int round = 0; round < 200; ++round) {
        std::uint8_t pixels[64];
        alignas(16) std::int16_t samples[64], coefficients[64], rounded[64];
        for (int k = 0; k < 64; ++k) {
            pixels[k] = static_cast<std::uint8_t>(sample(random));
            samples[k] = static_cast<std::int16_t>(pixels[k] - 128);
        }
        plain.forwardDct(samples, coefficients);
        for (int k = 0; k < 64; ++k) rounded[k] = static_cast<std::int16_t>((coefficients[k] + (coefficients[k] >= 0 ? 4 : -4)) / 8);
        std::uint8_t back[64];
        plain.inverseDct(rounded, back, 8);
        for (int k = 0; k < 64; ++k) ASSERT_NEAR(back[k], pixels[k], 2) << "round " << round << " sample " << k;
    }
}

TEST_F(KernelSets, ColourConversionsMatchPlainForEveryLength) {
    std::mt19937 random(4);
    std::uniform_int_distribution<int> byte(0, 255);
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (int count = 1; count <= 70; ++count) {
        std::vector<std::uint8_t> y(count), cb(count), cr(count), bgr(3 * count);
        for (int i = 0; i < count; ++i) {
            // Include the corners of the colour cube, where the results clamp.
            const bool extreme = i % 4 == 0;
            y[i] = static_cast<std::uint8_t>(extreme ? (i % 8 ? 255 : 0) : byte(random));
            cb[i] = static_cast<std::uint8_t>(extreme ? (i % 3 ? 0 : 255) : byte(random));
            cr[i] = static_cast<std::uint8_t>(extreme ? (i % 5 ? 255 : 0) : byte(random));
        }
        for (auto& b : bgr) b = static_cast<std::uint8_t>(byte(random));
        std::vector<std::uint8_t> expectedBgr(3 * count), expectedY(count), expectedCb(count), expectedCr(count);
        plain.yccToBgr(y.data(), cb.data(), cr.data(), expectedBgr.data(), count);
        plain.bgrToYcc(bgr.data(), expectedY.data(), expectedCb.data(), expectedCr.data(), count);
        for (const KernelSet s : fastSets()) {
            std::vector<std::uint8_t> actualBgr(3 * count), actualY(count), actualCb(count), actualCr(count);
            imaging::kernelsFor(s).yccToBgr(y.data(), cb.data(), cr.data(), actualBgr.data(), count);
            imaging::kernelsFor(s).bgrToYcc(bgr.data(), actualY.data(), actualCb.data(), actualCr.data(), count);
            EXPECT_EQ(actualBgr, expectedBgr) << nameOf(s) << " count " << count;
            EXPECT_EQ(actualY, expectedY) << nameOf(s) << " count " << count;
            EXPECT_EQ(actualCb, expectedCb) << nameOf(s) << " count " << count;
            EXPECT_EQ(actualCr, expectedCr) << nameOf(s) << " count " << count;
        }
    }
}

TEST_F(KernelSets, ColourConversionsFollowJfifWithinRounding) {
    const auto clampRound = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
    const imaging::Kernels& plain = imaging::kernelsFor(KernelSet::Plain);
    for (int y = 0; y < 256; y += 5) {
        for (int cb = 0; cb < 256; cb += 15) {
            for (int cr = 0; cr < 256; cr += 15) {
                const std::uint8_t yy = static_cast<std::uint8_t>(y), bb = static_cast<std::uint8_t>(cb),
                                   rr = static_cast<std::uint8_t>(cr);
                std::uint8_t bgr[3];
                plain.yccToBgr(&yy, &bb, &rr, bgr, 1);
                ASSERT_NEAR(bgr[0], clampRound(y + 1.772 * (cb - 128)), 1) << y << "," << cb << "," << cr;
                ASSERT_NEAR(bgr[1], clampRound(y - 0.344136 * (cb - 128) - 0.714136 * (cr - 128)), 1);
                ASSERT_NEAR(bgr[2], clampRound(y + 1.402 * (cr - 128)), 1);
                // The same triple read as blue, green, red.
                std::uint8_t outY, outCb, outCr;
                const std::uint8_t pixel[3] = {yy, bb, rr};
                plain.bgrToYcc(pixel, &outY, &outCb, &outCr, 1);
                const double b = y, g = cb, r = cr;
                ASSERT_NEAR(outY, clampRound(0.299 * r + 0.587 * g + 0.114 * b), 1);
                ASSERT_NEAR(outCb, clampRound(-0.168736 * r - 0.331264 * g + 0.5 * b + 128), 1);
                ASSERT_NEAR(outCr, clampRound(0.5 * r - 0.418688 * g - 0.081312 * b + 128), 1);
            }
        }
    }
}

// Whole decodes and encodes with each set forced give the same bytes as the plain set.
TEST_F(KernelSets, ConversionsGiveIdenticalBytes) {
    struct Sample {
        int width, height, channels;
        ReferenceOptions options;
        int flags;
    };
    std::vector<Sample> samples;
    for (const bool progressive : {false, true}) {
        for (const auto& [h, v] : {std::pair{2, 2}, std::pair{2, 1}, std::pair{1, 1}}) {
            ReferenceOptions o;
            o.lumaH = h;
            o.lumaV = v;
            o.progressive = progressive;
            o.quality = 85;
            samples.push_back({77, 45, 3, o, h == 2 && v == 2 ? (progressive ? 4 : 0) : (h == 2 ? 1 : 2)});
        }
    }
    samples.push_back({61, 33, 1, ReferenceOptions{}, 0});
    for (const Sample& sample : samples) {
        const Image image = makePhotoLike(sample.width, sample.height, sample.channels, 21);
        const std::vector<std::uint8_t> jpeg = referenceEncode(image, sample.options);
        const std::vector<std::uint8_t> bmp = makeBmp(image);
        imaging::forceKernelSet(KernelSet::Plain);
        int result = 0;
        const std::vector<std::uint8_t> plainDecoded = decodeWithLibrary(jpeg, result);
        ASSERT_GT(result, 0);
        const std::vector<std::uint8_t> plainEncoded = encodeWithLibrary(bmp, 80, sample.flags, result);
        ASSERT_GT(result, 0);
        for (const KernelSet s : fastSets()) {
            imaging::forceKernelSet(s);
            EXPECT_EQ(decodeWithLibrary(jpeg, result), plainDecoded) << nameOf(s);
            EXPECT_EQ(encodeWithLibrary(bmp, 80, sample.flags, result), plainEncoded) << nameOf(s);
        }
    }
}

TEST_F(KernelSets, EnvironmentChoosesAndForcingWins) {
    if (!imaging::kernelSetSupported(KernelSet::Sse2)) GTEST_SKIP() << "no SSE2";
    ::setenv("QUILL_JPEG_KERNELS", "plain", 1);
    EXPECT_EQ(imaging::chooseKernelSet(), KernelSet::Plain);
    ::setenv("QUILL_JPEG_KERNELS", "sse2", 1);
    EXPECT_EQ(imaging::chooseKernelSet(), KernelSet::Sse2);
    imaging::forceKernelSet(KernelSet::Plain);
    EXPECT_EQ(imaging::chooseKernelSet(), KernelSet::Plain);
    ::unsetenv("QUILL_JPEG_KERNELS");
}

}  // namespace
}  // namespace imaging_test
