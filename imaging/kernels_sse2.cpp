// SSE2 kernels. Same arithmetic as the plain ones: pmaddwd sums pairs of 16-bit products
// into 32 bits exactly, the shifts are arithmetic, and the packs saturate where the plain
// code clamps.
#include <emmintrin.h>

#include "imaging/kernels.hpp"

namespace imaging {

namespace {

// Two 16-bit factors side by side, for pmaddwd against interleaved inputs (a, b).
__m128i factorPair(int a, int b) {
    return _mm_set1_epi32(static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) |
                                           (static_cast<std::uint32_t>(static_cast<std::uint16_t>(b)) << 16)));
}

void transpose(__m128i r[8]) {
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]), a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]), a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]), a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]), a7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r[0] = _mm_unpacklo_epi64(b0, b4);
    r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5);
    r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6);
    r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7);
    r[7] = _mm_unpackhi_epi64(b3, b7);
}

// Pairs of input rows up to the last pair that holds a non-zero value. Rows of zeros add
// nothing to any sum, and most blocks of a picture end in them.
int activePairs(const __m128i in[8]) {
    const __m128i zero = _mm_setzero_si128();
    for (int p = 3; p > 0; --p) {
        const __m128i both = _mm_or_si128(in[2 * p], in[2 * p + 1]);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(both, zero)) != 0xFFFF) return p + 1;
    }
    return 1;
}

template <int Active>
inline void matrixPassFixed(const __m128i in[8], __m128i out[8], int shift, int bias) {
    constexpr const FactorPairs& factors = kInversePairs;
    __m128i accLo[8], accHi[8];
    for (int i = 0; i < 8; ++i) accLo[i] = accHi[i] = _mm_set1_epi32(bias);
    for (int p = 0; p < Active; ++p) {
        const __m128i lo = _mm_unpacklo_epi16(in[2 * p], in[2 * p + 1]);
        const __m128i hi = _mm_unpackhi_epi16(in[2 * p], in[2 * p + 1]);
        for (int i = 0; i < 8; ++i) {
            const __m128i f = _mm_set1_epi32(factors.pair[i][p]);
            accLo[i] = _mm_add_epi32(accLo[i], _mm_madd_epi16(lo, f));
            accHi[i] = _mm_add_epi32(accHi[i], _mm_madd_epi16(hi, f));
        }
    }
    const __m128i count = _mm_cvtsi32_si128(shift);
    for (int i = 0; i < 8; ++i) {
        out[i] = _mm_packs_epi32(_mm_sra_epi32(accLo[i], count), _mm_sra_epi32(accHi[i], count));
    }
}

// out[i] = sum_j m(i, j) * in[j], per column, (sum + bias) >> shift, saturated to 16 bits.
void matrixPass(const __m128i in[8], __m128i out[8], int shift, int bias) {
    switch (activePairs(in)) {
    case 1: return matrixPassFixed<1>(in, out, shift, bias);
    case 2: return matrixPassFixed<2>(in, out, shift, bias);
    case 3: return matrixPassFixed<3>(in, out, shift, bias);
    default: return matrixPassFixed<4>(in, out, shift, bias);
    }
}

void sse2InverseDct(const std::int16_t* coefficients, std::uint8_t* out, std::ptrdiff_t stride) {
    __m128i rows[8], tmp[8];
    for (int i = 0; i < 8; ++i) {
        rows[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * i));
    }
    matrixPass(rows, tmp, kInverseFirstShift, 1 << (kInverseFirstShift - 1));
    transpose(tmp);
    matrixPass(tmp, rows, kInverseSecondShift,
                      (1 << (kInverseSecondShift - 1)) + (128 << kInverseSecondShift));
    transpose(rows);
    for (int y = 0; y < 8; ++y) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + y * stride), _mm_packus_epi16(rows[y], rows[y]));
    }
}

// (a * fa + b * fb + c * fc + d * fd + bias) >> shift for eight lanes, from the
// interleaved pairs (a, b) and (c, d) of both halves; only the first pair when `Pairs` is 1.
template <int Pairs>
__m128i products(const __m128i ab[2], const __m128i cd[2], __m128i f0, __m128i f1, __m128i bias, int shift) {
    __m128i lo = _mm_add_epi32(_mm_madd_epi16(ab[0], f0), bias);
    __m128i hi = _mm_add_epi32(_mm_madd_epi16(ab[1], f0), bias);
    if constexpr (Pairs == 2) {
        lo = _mm_add_epi32(lo, _mm_madd_epi16(cd[0], f1));
        hi = _mm_add_epi32(hi, _mm_madd_epi16(cd[1], f1));
    }
    const __m128i count = _mm_cvtsi32_si128(shift);
    return _mm_packs_epi32(_mm_sra_epi32(lo, count), _mm_sra_epi32(hi, count));
}

// The reference's forwardPass on eight columns at once: register k holds s(k).
template <bool First>
void forwardPass(__m128i r[8]) {
    __m128i sum[4], difference[4];
    for (int k = 0; k < 4; ++k) {
        sum[k] = _mm_add_epi16(r[k], r[7 - k]);
        difference[k] = _mm_sub_epi16(r[k], r[7 - k]);
    }
    const __m128i t10 = _mm_add_epi16(sum[0], sum[3]), t13 = _mm_sub_epi16(sum[0], sum[3]);
    const __m128i t11 = _mm_add_epi16(sum[1], sum[2]), t12 = _mm_sub_epi16(sum[1], sum[2]);
    constexpr int shift = First ? kForwardFirstShift : kForwardSecondShift;
    const __m128i bias = _mm_set1_epi32(1 << (shift - 1));
    if constexpr (First) {
        r[0] = _mm_slli_epi16(_mm_add_epi16(t10, t11), kForwardPassBits);
        r[4] = _mm_slli_epi16(_mm_sub_epi16(t10, t11), kForwardPassBits);
    } else {
        const __m128i half = _mm_set1_epi16(1 << (kForwardPassBits - 1));
        r[0] = _mm_srai_epi16(_mm_add_epi16(_mm_add_epi16(t10, t11), half), kForwardPassBits);
        r[4] = _mm_srai_epi16(_mm_add_epi16(_mm_sub_epi16(t10, t11), half), kForwardPassBits);
    }
    const __m128i even[2] = {_mm_unpacklo_epi16(t13, t12), _mm_unpackhi_epi16(t13, t12)};
    for (int e = 0; e < 2; ++e) {
        r[2 + 4 * e] = products<1>(even, even, factorPair(kForwardEven[e][0], kForwardEven[e][1]), _mm_setzero_si128(),
                                   bias, shift);
    }
    const __m128i d32[2] = {_mm_unpacklo_epi16(difference[3], difference[2]),
                            _mm_unpackhi_epi16(difference[3], difference[2])};
    const __m128i d10[2] = {_mm_unpacklo_epi16(difference[1], difference[0]),
                            _mm_unpackhi_epi16(difference[1], difference[0])};
    for (int o = 0; o < 4; ++o) {
        r[2 * o + 1] = products<2>(d32, d10, factorPair(kForwardOdd[o][0], kForwardOdd[o][1]),
                                   factorPair(kForwardOdd[o][2], kForwardOdd[o][3]), bias, shift);
    }
}

void sse2ForwardDct(const std::int16_t* samples, std::int16_t* coefficients) {
    __m128i rows[8];
    for (int i = 0; i < 8; ++i) {
        rows[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 8 * i));
    }
    // Down the columns, then (transposed) along the rows, then back to row order.
    forwardPass<true>(rows);
    transpose(rows);
    forwardPass<false>(rows);
    transpose(rows);
    for (int i = 0; i < 8; ++i) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(coefficients + 8 * i), rows[i]);
    }
}

void sse2Quantise(const std::int16_t* coefficients, const float* reciprocals, std::int16_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128 half = _mm_set1_ps(0.5f);
    for (int i = 0; i < 64; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + i));
        const __m128i sign = _mm_srai_epi16(v, 15);
        // -32768 stays 0x8000, which the unsigned widening reads as 32768.
        const __m128i magnitude = _mm_max_epi16(v, _mm_sub_epi16(zero, v));
        const __m128i lo = _mm_unpacklo_epi16(magnitude, zero);
        const __m128i hi = _mm_unpackhi_epi16(magnitude, zero);
        const __m128 qlo = _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(lo), _mm_loadu_ps(reciprocals + i)), half);
        const __m128 qhi = _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(hi), _mm_loadu_ps(reciprocals + i + 4)), half);
        const __m128i q = _mm_packs_epi32(_mm_cvttps_epi32(qlo), _mm_cvttps_epi32(qhi));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_sub_epi16(_mm_xor_si128(q, sign), sign));
    }
}

// (a * fa + b * fb + bias) >> 14 for eight lanes of 16-bit a and b, saturated to 16 bits.
__m128i weighted(__m128i a, __m128i b, __m128i factors, __m128i bias) {
    const __m128i lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(a, b), factors), bias);
    const __m128i hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(a, b), factors), bias);
    return _mm_packs_epi32(_mm_srai_epi32(lo, 14), _mm_srai_epi32(hi, 14));
}

void sse2YccToBgr(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                  std::uint8_t* bgr, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i centre = _mm_set1_epi16(128);
    const __m128i one = _mm_set1_epi16(1);
    const __m128i none = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(8192);
    const __m128i toB = factorPair(kCbToB, 8192), toR = factorPair(kCrToR, 8192);
    const __m128i toG = factorPair(kCbToG, kCrToG);
    alignas(16) std::uint8_t planes[3][16];
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i y8 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i));
        const __m128i cb8 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + i));
        const __m128i cr8 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + i));
        __m128i out[3][2];
        for (int h = 0; h < 2; ++h) {
            const __m128i l = h ? _mm_unpackhi_epi8(y8, zero) : _mm_unpacklo_epi8(y8, zero);
            const __m128i b = _mm_sub_epi16(h ? _mm_unpackhi_epi8(cb8, zero) : _mm_unpacklo_epi8(cb8, zero), centre);
            const __m128i r = _mm_sub_epi16(h ? _mm_unpackhi_epi8(cr8, zero) : _mm_unpacklo_epi8(cr8, zero), centre);
            out[0][h] = _mm_add_epi16(l, weighted(b, one, toB, none));
            out[1][h] = _mm_add_epi16(l, weighted(b, r, toG, half));
            out[2][h] = _mm_add_epi16(l, weighted(r, one, toR, none));
        }
        for (int c = 0; c < 3; ++c) {
            _mm_store_si128(reinterpret_cast<__m128i*>(planes[c]), _mm_packus_epi16(out[c][0], out[c][1]));
        }
        std::uint8_t* d = bgr + 3 * i;
        for (int k = 0; k < 16; ++k) {
            d[3 * k] = planes[0][k];
            d[3 * k + 1] = planes[1][k];
            d[3 * k + 2] = planes[2][k];
        }
    }
    if (i < count) detail::plainKernels.yccToBgr(y + i, cb + i, cr + i, bgr + 3 * i, count - i);
}

void sse2BgrToYcc(const std::uint8_t* bgr, std::uint8_t* y, std::uint8_t* cb, std::uint8_t* cr, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i none = _mm_setzero_si128();
    const __m128i centre = _mm_set1_epi32(128 << 14);
    const __m128i rgToY = factorPair(kRToY, kGToY), bToY = factorPair(kBToY, 8192);
    const __m128i rgToCb = factorPair(kRToCb, kGToCb), bToCb = factorPair(kBToCb, 8192);
    const __m128i rgToCr = factorPair(kRToCr, kGToCr), bToCr = factorPair(kBToCr, 8192);
    alignas(16) std::uint8_t planes[3][16];
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const std::uint8_t* s = bgr + 3 * i;
        for (int k = 0; k < 16; ++k) {
            planes[0][k] = s[3 * k];
            planes[1][k] = s[3 * k + 1];
            planes[2][k] = s[3 * k + 2];
        }
        const __m128i b8 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[0]));
        const __m128i g8 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[1]));
        const __m128i r8 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[2]));
        __m128i out[3][2];
        for (int h = 0; h < 2; ++h) {
            const __m128i b = h ? _mm_unpackhi_epi8(b8, zero) : _mm_unpacklo_epi8(b8, zero);
            const __m128i g = h ? _mm_unpackhi_epi8(g8, zero) : _mm_unpacklo_epi8(g8, zero);
            const __m128i r = h ? _mm_unpackhi_epi8(r8, zero) : _mm_unpacklo_epi8(r8, zero);
            const __m128i rgLo = _mm_unpacklo_epi16(r, g), rgHi = _mm_unpackhi_epi16(r, g);
            const __m128i bLo = _mm_unpacklo_epi16(b, one), bHi = _mm_unpackhi_epi16(b, one);
            const auto channel = [&](__m128i rgF, __m128i bF, __m128i bias) {
                const __m128i lo = _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(rgLo, rgF), _mm_madd_epi16(bLo, bF)), bias);
                const __m128i hi = _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(rgHi, rgF), _mm_madd_epi16(bHi, bF)), bias);
                return _mm_packs_epi32(_mm_srai_epi32(lo, 14), _mm_srai_epi32(hi, 14));
            };
            out[0][h] = channel(rgToY, bToY, none);
            out[1][h] = channel(rgToCb, bToCb, centre);
            out[2][h] = channel(rgToCr, bToCr, centre);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(y + i), _mm_packus_epi16(out[0][0], out[0][1]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cb + i), _mm_packus_epi16(out[1][0], out[1][1]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cr + i), _mm_packus_epi16(out[2][0], out[2][1]));
    }
    if (i < count) detail::plainKernels.bgrToYcc(bgr + 3 * i, y + i, cb + i, cr + i, count - i);
}

}  // namespace

namespace detail {
const Kernels sse2Kernels{sse2InverseDct, sse2ForwardDct, sse2Quantise, sse2YccToBgr, sse2BgrToYcc};
}

}  // namespace imaging
