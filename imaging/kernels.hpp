#pragma once
// The codec's inner loops: inverse and forward 8x8 transform, quantisation and the colour
// conversions. Each exists as a plain reference and as SSE2 and AVX2 versions; all three
// compute the same numbers, so an image converts to the same bytes whichever set the
// processor gets.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace imaging {

enum class KernelSet { Plain, Sse2, Avx2 };

struct Kernels {
    // Dequantised coefficients in natural (row-major) order -> 8x8 samples at `out`.
    void (*inverseDct)(const std::int16_t* coefficients, std::uint8_t* out, std::ptrdiff_t stride);
    // Samples minus 128, row-major -> coefficients in natural order, times 8.
    void (*forwardDct)(const std::int16_t* samples, std::int16_t* coefficients);
    // 64 coefficients -> each one's magnitude times its reciprocal divisor (at most 1)
    // plus one half, truncated, with the coefficient's sign: rounding to nearest by
    // single-precision arithmetic (a product, then a sum, each rounded; no fused
    // multiply-add), so every set gives the same values.
    void (*quantise)(const std::int16_t* coefficients, const float* reciprocals, std::int16_t* out);
    // One row of full-resolution Y, Cb, Cr -> interleaved blue, green, red.
    void (*yccToBgr)(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                     std::uint8_t* bgr, int count);
    // One row of interleaved blue, green, red -> Y, Cb, Cr.
    void (*bgrToYcc)(const std::uint8_t* bgr, std::uint8_t* y, std::uint8_t* cb, std::uint8_t* cr,
                     int count);
};

const Kernels& kernelsFor(KernelSet set);
bool kernelSetSupported(KernelSet set);

// The set a conversion uses: the forced one if any, else QUILL_JPEG_KERNELS
// (plain|sse2|avx2) when the processor has it, else the best the processor offers.
// Called at the start of every conversion.
KernelSet chooseKernelSet();
// Pins the set for the following conversions (tests compare the sets); nullopt unpins.
void forceKernelSet(std::optional<KernelSet> set);

// Fixed-point transform matrix: round(8192 * c(u)/2 * cos((2x+1)u pi/16)), [x][u].
inline constexpr std::int16_t kDctMatrix[8][8] = {
    {2896, 4017, 3784, 3406, 2896, 2276, 1567, 799},
    {2896, 3406, 1567, -799, -2896, -4017, -3784, -2276},
    {2896, 2276, -1567, -4017, -2896, 799, 3784, 3406},
    {2896, 799, -3784, -2276, 2896, 3406, -1567, -4017},
    {2896, -799, -3784, 2276, 2896, -3406, -1567, 4017},
    {2896, -2276, -1567, 4017, -2896, -799, 3784, -3406},
    {2896, -3406, 1567, 799, -2896, 4017, -3784, 2276},
    {2896, -4017, 3784, -3406, 2896, -2276, 1567, -799},
};

// The matrix as pairs of 16-bit factors in one 32-bit word, for pmaddwd against two
// interleaved input rows of the inverse transform: entry [i][p] holds m(i, 2p) low and
// m(i, 2p+1) high.
struct FactorPairs {
    std::int32_t pair[8][4];
};

constexpr FactorPairs makeFactorPairs() {
    FactorPairs f{};
    for (int i = 0; i < 8; ++i) {
        for (int p = 0; p < 4; ++p) {
            const int a = kDctMatrix[i][2 * p];
            const int b = kDctMatrix[i][2 * p + 1];
            f.pair[i][p] = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) |
                                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(b)) << 16));
        }
    }
    return f;
}

inline constexpr FactorPairs kInversePairs = makeFactorPairs();

// Bit shifts and rounding of the transforms; every kernel set uses the same.
inline constexpr int kInverseFirstShift = 9;    // keeps 4 fraction bits between passes
inline constexpr int kInverseSecondShift = 17;  // back to samples

// The forward transform is the fast 8-point one: sums and differences of mirrored
// samples, then each even output from the differences of those (two products) and each
// odd output from four products, in 13-bit fixed point. Between the passes the values
// keep 2 fraction bits; the result has 3, as the quantiser expects. Every intermediate
// value fits in 16 bits for samples of -128..127, so the SIMD versions compute exactly
// the reference's integers.
inline constexpr int kForwardFactorBits = 13;
inline constexpr int kForwardPassBits = 2;
inline constexpr int kForwardFirstShift = kForwardFactorBits - kForwardPassBits;
inline constexpr int kForwardSecondShift = kForwardFactorBits + kForwardPassBits;
// Outputs 2 and 6 from (t0 - t3, t1 - t2), where tk = s(k) + s(7 - k):
// 8192 * sqrt(2) * (cos(2 pi/16), cos(6 pi/16)) and (cos(6 pi/16), -cos(2 pi/16)).
inline constexpr int kForwardEven[2][2] = {{10703, 4433}, {4433, -10704}};
// Outputs 1, 3, 5 and 7 from (d3, d2, d1, d0), where dk = s(k) - s(7 - k): the products
// of the rotations of the fast transform summed per difference, 8192 * sqrt(2) *
// cos((2k + 1) u pi/16) within one unit.
inline constexpr int kForwardOdd[4][4] = {
    {2260, 6437, 9633, 11363},
    {-6436, -11362, -2259, 9633},
    {9633, 2261, -11362, 6437},
    {-11363, 9633, -6436, 2260},
};

// Fixed-point colour factors (x 16384), JFIF conversion.
inline constexpr int kCrToR = 22970;   // 1.402
inline constexpr int kCbToG = -5638;   // -0.344136
inline constexpr int kCrToG = -11700;  // -0.714136
inline constexpr int kCbToB = 29032;   // 1.772
inline constexpr int kRToY = 4899, kGToY = 9617, kBToY = 1868;
inline constexpr int kRToCb = -2765, kGToCb = -5427, kBToCb = 8192;
inline constexpr int kRToCr = 8192, kGToCr = -6860, kBToCr = -1332;

namespace detail {
extern const Kernels plainKernels;
extern const Kernels sse2Kernels;
extern const Kernels avx2Kernels;
}  // namespace detail

}  // namespace imaging
