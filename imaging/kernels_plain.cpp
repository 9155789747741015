// The reference kernels. The SSE2 and AVX2 versions must give exactly these integers.
#include <algorithm>

#include "imaging/kernels.hpp"

namespace imaging {

namespace {

std::int16_t saturate16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, -32768, 32767));
}

std::uint8_t clampSample(std::int32_t v) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(v, 0, 255));
}

// out[i][c] = sum_j m(i, j) * in[j][c], rounded down by `shift` bits after adding `bias`.
template <typename Matrix>
void matrixPass(Matrix m, const std::int16_t* in, std::int32_t* out, int shift, std::int32_t bias) {
    for (int i = 0; i < 8; ++i) {
        for (int c = 0; c < 8; ++c) {
            std::int32_t sum = bias;
            for (int j = 0; j < 8; ++j) sum += m(i, j) * in[j * 8 + c];
            out[i * 8 + c] = sum >> shift;
        }
    }
}

void transposeSaturated(const std::int32_t* in, std::int16_t* out) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) out[c * 8 + r] = saturate16(in[r * 8 + c]);
    }
}

void plainInverseDct(const std::int16_t* coefficients, std::uint8_t* out, std::ptrdiff_t stride) {
    const auto m = [](int i, int j) { return std::int32_t{kDctMatrix[i][j]}; };
    std::int32_t wide[64];
    std::int16_t narrow[64];
    // Columns first (vertical frequencies), then the rows of the transposed result.
    matrixPass(m, coefficients, wide, kInverseFirstShift, 1 << (kInverseFirstShift - 1));
    transposeSaturated(wide, narrow);
    matrixPass(m, narrow, wide, kInverseSecondShift,
               (1 << (kInverseSecondShift - 1)) + (128 << kInverseSecondShift));
    // wide[x][y]: row x of the result holds column x of the block.
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) out[y * stride + x] = clampSample(wide[x * 8 + y]);
    }
}

// One 8-point forward transform of s[0], s[step], ... s[7 * step] into out[0], out[step],
// ...: the first pass keeps kForwardPassBits fraction bits, the second removes them.
void forwardPass(const std::int32_t* s, std::int32_t* out, int step, bool first) {
    std::int32_t sum[4], difference[4];
    for (int k = 0; k < 4; ++k) {
        sum[k] = s[k * step] + s[(7 - k) * step];
        difference[k] = s[k * step] - s[(7 - k) * step];
    }
    const std::int32_t t10 = sum[0] + sum[3], t13 = sum[0] - sum[3];
    const std::int32_t t11 = sum[1] + sum[2], t12 = sum[1] - sum[2];
    const int shift = first ? kForwardFirstShift : kForwardSecondShift;
    const std::int32_t bias = 1 << (shift - 1);
    if (first) {
        out[0] = (t10 + t11) * (1 << kForwardPassBits);
        out[4 * step] = (t10 - t11) * (1 << kForwardPassBits);
    } else {
        const std::int32_t half = 1 << (kForwardPassBits - 1);
        out[0] = (t10 + t11 + half) >> kForwardPassBits;
        out[4 * step] = (t10 - t11 + half) >> kForwardPassBits;
    }
    for (int e = 0; e < 2; ++e) {
        out[(2 + 4 * e) * step] = (kForwardEven[e][0] * t13 + kForwardEven[e][1] * t12 + bias) >> shift;
    }
    for (int o = 0; o < 4; ++o) {
        std::int32_t acc = bias;
        for (int k = 0; k < 4; ++k) acc += kForwardOdd[o][k] * difference[3 - k];
        out[(2 * o + 1) * step] = acc >> shift;
    }
}

void plainForwardDct(const std::int16_t* samples, std::int16_t* coefficients) {
    std::int32_t in[64], between[64], out[64];
    for (int k = 0; k < 64; ++k) in[k] = samples[k];
    // Down the columns first, then along the rows of that result.
    for (int x = 0; x < 8; ++x) forwardPass(in + x, between + x, 8, true);
    for (int y = 0; y < 8; ++y) forwardPass(between + 8 * y, out + 8 * y, 1, false);
    for (int k = 0; k < 64; ++k) coefficients[k] = saturate16(out[k]);
}

void plainQuantise(const std::int16_t* coefficients, const float* reciprocals, std::int16_t* out) {
    for (int k = 0; k < 64; ++k) {
        const std::int32_t v = coefficients[k];
        const float product = static_cast<float>(v < 0 ? -v : v) * reciprocals[k];
        const float rounded = product + 0.5f;
        const std::int16_t q = saturate16(static_cast<std::int32_t>(rounded));
        out[k] = static_cast<std::int16_t>(v < 0 ? -q : q);
    }
}

void plainYccToBgr(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                   std::uint8_t* bgr, int count) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t l = y[i];
        const std::int32_t b = cb[i] - 128;
        const std::int32_t r = cr[i] - 128;
        bgr[3 * i + 0] = clampSample(l + ((kCbToB * b + 8192) >> 14));
        bgr[3 * i + 1] = clampSample(l + ((kCbToG * b + kCrToG * r + 8192) >> 14));
        bgr[3 * i + 2] = clampSample(l + ((kCrToR * r + 8192) >> 14));
    }
}

void plainBgrToYcc(const std::uint8_t* bgr, std::uint8_t* y, std::uint8_t* cb, std::uint8_t* cr,
                   int count) {
    constexpr std::int32_t half = 8192;
    constexpr std::int32_t centre = (128 << 14) + half;
    for (int i = 0; i < count; ++i) {
        const std::int32_t b = bgr[3 * i + 0];
        const std::int32_t g = bgr[3 * i + 1];
        const std::int32_t r = bgr[3 * i + 2];
        y[i] = clampSample((kRToY * r + kGToY * g + kBToY * b + half) >> 14);
        cb[i] = clampSample((kRToCb * r + kGToCb * g + kBToCb * b + centre) >> 14);
        cr[i] = clampSample((kRToCr * r + kGToCr * g + kBToCr * b + centre) >> 14);
    }
}

}  // namespace

namespace detail {
const Kernels plainKernels{plainInverseDct, plainForwardDct, plainQuantise, plainYccToBgr, plainBgrToYcc};
}

}  // namespace imaging
