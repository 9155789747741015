#pragma once
// The codec's inner loops: inverse and forward 8x8 transform and the colour conversions.
// Each exists as a plain reference and as SSE2 and AVX2 versions; all three compute the
// same integers, so an image converts to the same bytes whichever set the processor gets.

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
// interleaved input rows: entry [i][p] holds m(i, 2p) low and m(i, 2p+1) high, with
// m = the matrix (inverse transform) or its transpose (forward transform).
struct FactorPairs {
    std::int32_t pair[8][4];
};

constexpr FactorPairs makeFactorPairs(bool transposed) {
    FactorPairs f{};
    for (int i = 0; i < 8; ++i) {
        for (int p = 0; p < 4; ++p) {
            const int a = transposed ? kDctMatrix[2 * p][i] : kDctMatrix[i][2 * p];
            const int b = transposed ? kDctMatrix[2 * p + 1][i] : kDctMatrix[i][2 * p + 1];
            f.pair[i][p] = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) |
                                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(b)) << 16));
        }
    }
    return f;
}

inline constexpr FactorPairs kInversePairs = makeFactorPairs(false);
inline constexpr FactorPairs kForwardPairs = makeFactorPairs(true);

// Bit shifts and rounding of the transforms; every kernel set uses the same.
inline constexpr int kInverseFirstShift = 9;    // keeps 4 fraction bits between passes
inline constexpr int kInverseSecondShift = 17;  // back to samples
inline constexpr int kForwardFirstShift = 10;   // keeps 3 fraction bits between passes
inline constexpr int kForwardSecondShift = 13;  // coefficients keep 3 fraction bits

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
