// AVX2 kernels: the SSE2 arithmetic on 256-bit registers. Only these functions carry the
// AVX2 target, so the rest of the library runs on any x86-64 processor.
#include <immintrin.h>

#include "imaging/kernels.hpp"

#define QUILL_AVX2 __attribute__((target("avx2")))

namespace imaging {

namespace {

QUILL_AVX2 __m256i factorPair(int a, int b) {
    return _mm256_set1_epi32(static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) |
                                              (static_cast<std::uint32_t>(static_cast<std::uint16_t>(b)) << 16)));
}

QUILL_AVX2 inline __attribute__((always_inline)) void transpose(__m128i r[8]) {
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

// As the SSE2 pass, with each pair of input rows interleaved across a whole 256-bit
// register so that one pmaddwd covers all eight columns.
// Pairs of input rows up to the last pair that holds a non-zero value (rows of zeros add
// nothing to any sum).
QUILL_AVX2 int activePairs(const __m128i in[8]) {
    for (int p = 3; p > 0; --p) {
        const __m128i both = _mm_or_si128(in[2 * p], in[2 * p + 1]);
        if (!_mm_testz_si128(both, both)) return p + 1;
    }
    return 1;
}

template <int Active>
QUILL_AVX2 inline void matrixPassFixed(const __m128i in[8], __m128i out[8], int shift, int bias) {
    constexpr const FactorPairs& factors = kInversePairs;
    __m256i acc[8];
    for (int i = 0; i < 8; ++i) acc[i] = _mm256_set1_epi32(bias);
    for (int p = 0; p < Active; ++p) {
        const __m128i lo = _mm_unpacklo_epi16(in[2 * p], in[2 * p + 1]);
        const __m128i hi = _mm_unpackhi_epi16(in[2 * p], in[2 * p + 1]);
        const __m256i pair = _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
        for (int i = 0; i < 8; ++i) {
            acc[i] = _mm256_add_epi32(acc[i], _mm256_madd_epi16(pair, _mm256_set1_epi32(factors.pair[i][p])));
        }
    }
    const __m128i count = _mm_cvtsi32_si128(shift);
    for (int i = 0; i < 8; i += 2) {
        // packs works per 128-bit lane; the permute puts each output row back in one piece.
        const __m256i packed = _mm256_permute4x64_epi64(
            _mm256_packs_epi32(_mm256_sra_epi32(acc[i], count), _mm256_sra_epi32(acc[i + 1], count)), 0xD8);
        out[i] = _mm256_castsi256_si128(packed);
        out[i + 1] = _mm256_extracti128_si256(packed, 1);
    }
}

QUILL_AVX2 void matrixPass(const __m128i in[8], __m128i out[8], int shift, int bias) {
    switch (activePairs(in)) {
    case 1: return matrixPassFixed<1>(in, out, shift, bias);
    case 2: return matrixPassFixed<2>(in, out, shift, bias);
    case 3: return matrixPassFixed<3>(in, out, shift, bias);
    default: return matrixPassFixed<4>(in, out, shift, bias);
    }
}

QUILL_AVX2 void avx2InverseDct(const std::int16_t* coefficients, std::uint8_t* out, std::ptrdiff_t stride) {
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

// Registers a and b interleaved as 16-bit pairs across one 256-bit register: columns 0-3
// in the low half, 4-7 in the high half, so one pmaddwd covers all eight columns.
QUILL_AVX2 __m256i pairs(__m128i a, __m128i b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi16(a, b)), _mm_unpackhi_epi16(a, b), 1);
}

// Two outputs of eight columns from their 32-bit sums: shifted, saturated, and put back
// in column order (packs works per 128-bit lane).
QUILL_AVX2 void narrow(__m256i first, __m256i second, int shift, __m128i& outFirst, __m128i& outSecond) {
    const __m128i count = _mm_cvtsi32_si128(shift);
    const __m256i packed = _mm256_permute4x64_epi64(
        _mm256_packs_epi32(_mm256_sra_epi32(first, count), _mm256_sra_epi32(second, count)), 0xD8);
    outFirst = _mm256_castsi256_si128(packed);
    outSecond = _mm256_extracti128_si256(packed, 1);
}

// The reference's forwardPass on eight columns at once: register k holds s(k).
template <bool First>
QUILL_AVX2 void forwardPass(__m128i r[8]) {
    __m128i sum[4], difference[4];
    for (int k = 0; k < 4; ++k) {
        sum[k] = _mm_add_epi16(r[k], r[7 - k]);
        difference[k] = _mm_sub_epi16(r[k], r[7 - k]);
    }
    const __m128i t10 = _mm_add_epi16(sum[0], sum[3]), t13 = _mm_sub_epi16(sum[0], sum[3]);
    const __m128i t11 = _mm_add_epi16(sum[1], sum[2]), t12 = _mm_sub_epi16(sum[1], sum[2]);
    constexpr int shift = First ? kForwardFirstShift : kForwardSecondShift;
    const __m256i bias = _mm256_set1_epi32(1 << (shift - 1));
    if constexpr (First) {
        r[0] = _mm_slli_epi16(_mm_add_epi16(t10, t11), kForwardPassBits);
        r[4] = _mm_slli_epi16(_mm_sub_epi16(t10, t11), kForwardPassBits);
    } else {
        const __m128i half = _mm_set1_epi16(1 << (kForwardPassBits - 1));
        r[0] = _mm_srai_epi16(_mm_add_epi16(_mm_add_epi16(t10, t11), half), kForwardPassBits);
        r[4] = _mm_srai_epi16(_mm_add_epi16(_mm_sub_epi16(t10, t11), half), kForwardPassBits);
    }
    const __m256i even = pairs(t13, t12);
    narrow(_mm256_add_epi32(_mm256_madd_epi16(even, factorPair(kForwardEven[0][0], kForwardEven[0][1])), bias),
           _mm256_add_epi32(_mm256_madd_epi16(even, factorPair(kForwardEven[1][0], kForwardEven[1][1])), bias), shift,
           r[2], r[6]);
    const __m256i d32 = pairs(difference[3], difference[2]);
    const __m256i d10 = pairs(difference[1], difference[0]);
    __m256i odd[4];
    for (int o = 0; o < 4; ++o) {
        odd[o] = _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(d32, factorPair(kForwardOdd[o][0], kForwardOdd[o][1])),
                                                   _mm256_madd_epi16(d10, factorPair(kForwardOdd[o][2], kForwardOdd[o][3]))),
                                  bias);
    }
    narrow(odd[0], odd[1], shift, r[1], r[3]);
    narrow(odd[2], odd[3], shift, r[5], r[7]);
}

QUILL_AVX2 void avx2ForwardDct(const std::int16_t* samples, std::int16_t* coefficients) {
    __m128i rows[8];
    for (int i = 0; i < 8; ++i) {
        rows[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 8 * i));
    }
    // Down the columns, then (transposed) along the rows, then back to row order.
    forwardPass<true>(rows);
    transpose(rows);
    forwardPass<false>(rows);
    transpose(rows);
    // Two rows per store: the quantiser loads sixteen coefficients at a time, and a load
    // that spans two stores cannot take its data from them while they are in flight.
    for (int i = 0; i < 8; i += 2) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(coefficients + 8 * i),
                            _mm256_inserti128_si256(_mm256_castsi128_si256(rows[i]), rows[i + 1], 1));
    }
    // The caller's code around the kernels is SSE code: clean upper halves spare it the
    // transition stall (the compiler does not add this here by itself).
    _mm256_zeroupper();
}

QUILL_AVX2 void avx2Quantise(const std::int16_t* coefficients, const float* reciprocals, std::int16_t* out) {
    const __m256 half = _mm256_set1_ps(0.5f);
    for (int i = 0; i < 64; i += 16) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(coefficients + i));
        // -32768 stays 0x8000, which the unsigned widening reads as 32768.
        const __m256i magnitude = _mm256_abs_epi16(v);
        const __m256i lo = _mm256_cvtepu16_epi32(_mm256_castsi256_si128(magnitude));
        const __m256i hi = _mm256_cvtepu16_epi32(_mm256_extracti128_si256(magnitude, 1));
        const __m256 qlo = _mm256_add_ps(_mm256_mul_ps(_mm256_cvtepi32_ps(lo), _mm256_loadu_ps(reciprocals + i)), half);
        const __m256 qhi =
            _mm256_add_ps(_mm256_mul_ps(_mm256_cvtepi32_ps(hi), _mm256_loadu_ps(reciprocals + i + 8)), half);
        // packs works per 128-bit lane; the permute puts the sixteen values back in order.
        const __m256i q = _mm256_permute4x64_epi64(
            _mm256_packs_epi32(_mm256_cvttps_epi32(qlo), _mm256_cvttps_epi32(qhi)), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_sign_epi16(q, v));
    }
    _mm256_zeroupper();
}

// (a * fa + b * fb + bias) >> 14 for sixteen lanes, saturated to 16 bits. The unpacks and
// the pack both work per 128-bit lane, so the lanes come back in their original order.
QUILL_AVX2 __m256i weighted(__m256i a, __m256i b, __m256i factors, __m256i bias) {
    const __m256i lo = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), factors), bias);
    const __m256i hi = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), factors), bias);
    return _mm256_packs_epi32(_mm256_srai_epi32(lo, 14), _mm256_srai_epi32(hi, 14));
}

QUILL_AVX2 __m128i toBytes(__m256i v) {
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0xD8));
}

QUILL_AVX2 __m256i widen(const std::uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Byte shuffles between three planes of 16 samples and 48 interleaved bytes: entry
// [block][channel][i] says which byte of the source lands at position i (0x80: none).
struct InterleaveMasks {
    std::uint8_t toPixels[3][3][16];    // plane `channel` -> output block `block`
    std::uint8_t fromPixels[3][3][16];  // input block `block` -> plane `channel`
};

constexpr InterleaveMasks makeInterleaveMasks() {
    InterleaveMasks m{};
    for (int block = 0; block < 3; ++block) {
        for (int channel = 0; channel < 3; ++channel) {
            for (int i = 0; i < 16; ++i) {
                const int position = 16 * block + i;
                m.toPixels[block][channel][i] =
                    static_cast<std::uint8_t>(position % 3 == channel ? position / 3 : 0x80);
                const int source = 3 * i + channel;
                m.fromPixels[block][channel][i] =
                    static_cast<std::uint8_t>(source / 16 == block ? source % 16 : 0x80);
            }
        }
    }
    return m;
}

constexpr InterleaveMasks kInterleave = makeInterleaveMasks();

QUILL_AVX2 __m128i mask(const std::uint8_t* m) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(m)); }

QUILL_AVX2 void interleave(const __m128i planes[3], std::uint8_t* out) {
    for (int block = 0; block < 3; ++block) {
        __m128i v = _mm_setzero_si128();
        for (int c = 0; c < 3; ++c) v = _mm_or_si128(v, _mm_shuffle_epi8(planes[c], mask(kInterleave.toPixels[block][c])));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * block), v);
    }
}

QUILL_AVX2 void deinterleave(const std::uint8_t* in, __m128i planes[3]) {
    const __m128i blocks[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)),
                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16)),
                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32))};
    for (int c = 0; c < 3; ++c) {
        __m128i v = _mm_setzero_si128();
        for (int block = 0; block < 3; ++block) {
            v = _mm_or_si128(v, _mm_shuffle_epi8(blocks[block], mask(kInterleave.fromPixels[block][c])));
        }
        planes[c] = v;
    }
}

QUILL_AVX2 void avx2YccToBgr(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                             std::uint8_t* bgr, int count) {
    const __m256i centre = _mm256_set1_epi16(128);
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i none = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(8192);
    const __m256i toB = factorPair(kCbToB, 8192), toR = factorPair(kCrToR, 8192);
    const __m256i toG = factorPair(kCbToG, kCrToG);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i l = widen(y + i);
        const __m256i b = _mm256_sub_epi16(widen(cb + i), centre);
        const __m256i r = _mm256_sub_epi16(widen(cr + i), centre);
        const __m128i planes[3] = {toBytes(_mm256_add_epi16(l, weighted(b, one, toB, none))),
                                   toBytes(_mm256_add_epi16(l, weighted(b, r, toG, half))),
                                   toBytes(_mm256_add_epi16(l, weighted(r, one, toR, none)))};
        interleave(planes, bgr + 3 * i);
    }
    if (i < count) detail::plainKernels.yccToBgr(y + i, cb + i, cr + i, bgr + 3 * i, count - i);
}

// One output channel of sixteen pixels from interleaved (red, green) and (blue, 1) pairs.
QUILL_AVX2 __m128i channel(__m256i rgLo, __m256i rgHi, __m256i bLo, __m256i bHi, __m256i rgF, __m256i bF,
                           __m256i bias) {
    const __m256i lo = _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(rgLo, rgF), _mm256_madd_epi16(bLo, bF)), bias);
    const __m256i hi = _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(rgHi, rgF), _mm256_madd_epi16(bHi, bF)), bias);
    return toBytes(_mm256_packs_epi32(_mm256_srai_epi32(lo, 14), _mm256_srai_epi32(hi, 14)));
}

// Both halves of a 256-bit register from one 16-byte mask.
QUILL_AVX2 __m256i mask2(const std::uint8_t* m) { return _mm256_broadcastsi128_si256(mask(m)); }

// One output channel of thirty-two pixels, from the (red, green) and (blue, 128) pairs of
// the low and high sixteen-bit halves: the 128 lane carries the rounding and the centre.
QUILL_AVX2 __m256i channel32(const __m256i rg[4], const __m256i b128[4], __m256i rgF, __m256i bF) {
    __m256i words[2];
    for (int h = 0; h < 2; ++h) {
        const __m256i lo = _mm256_add_epi32(_mm256_madd_epi16(rg[2 * h], rgF), _mm256_madd_epi16(b128[2 * h], bF));
        const __m256i hi =
            _mm256_add_epi32(_mm256_madd_epi16(rg[2 * h + 1], rgF), _mm256_madd_epi16(b128[2 * h + 1], bF));
        words[h] = _mm256_packs_epi32(_mm256_srai_epi32(lo, 14), _mm256_srai_epi32(hi, 14));
    }
    // The byte unpacks split each 128-bit lane into its low and high eight pixels; the
    // pack joins them back in pixel order.
    return _mm256_packus_epi16(words[0], words[1]);
}

// Thirty-two pixels a step: each 128-bit lane takes sixteen pixels (48 bytes) through the
// same shuffles as the sixteen-pixel step, and the arithmetic stays within the lanes.
QUILL_AVX2 int bgrToYcc32(const std::uint8_t* bgr, std::uint8_t* y, std::uint8_t* cb, std::uint8_t* cr, int count) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i centre = _mm256_set1_epi16(128);
    // 128 x 64 is the rounding half of Y; 128 x 16448 is the rounding half plus 128 << 14.
    const __m256i rgToY = factorPair(kRToY, kGToY), bToY = factorPair(kBToY, 64);
    const __m256i rgToCb = factorPair(kRToCb, kGToCb), bToCb = factorPair(kBToCb, 16448);
    const __m256i rgToCr = factorPair(kRToCr, kGToCr), bToCr = factorPair(kBToCr, 16448);
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        const std::uint8_t* p = bgr + 3 * i;
        __m256i blocks[3];
        for (int b = 0; b < 3; ++b) {
            blocks[b] = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * b))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48 + 16 * b)), 1);
        }
        __m256i planes[3];
        for (int c = 0; c < 3; ++c) {
            planes[c] = _mm256_or_si256(
                _mm256_or_si256(_mm256_shuffle_epi8(blocks[0], mask2(kInterleave.fromPixels[0][c])),
                                _mm256_shuffle_epi8(blocks[1], mask2(kInterleave.fromPixels[1][c]))),
                _mm256_shuffle_epi8(blocks[2], mask2(kInterleave.fromPixels[2][c])));
        }
        __m256i rg[4], b128[4];
        for (int h = 0; h < 2; ++h) {
            const __m256i b = h == 0 ? _mm256_unpacklo_epi8(planes[0], zero) : _mm256_unpackhi_epi8(planes[0], zero);
            const __m256i g = h == 0 ? _mm256_unpacklo_epi8(planes[1], zero) : _mm256_unpackhi_epi8(planes[1], zero);
            const __m256i r = h == 0 ? _mm256_unpacklo_epi8(planes[2], zero) : _mm256_unpackhi_epi8(planes[2], zero);
            rg[2 * h] = _mm256_unpacklo_epi16(r, g);
            rg[2 * h + 1] = _mm256_unpackhi_epi16(r, g);
            b128[2 * h] = _mm256_unpacklo_epi16(b, centre);
            b128[2 * h + 1] = _mm256_unpackhi_epi16(b, centre);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y + i), channel32(rg, b128, rgToY, bToY));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cb + i), channel32(rg, b128, rgToCb, bToCb));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cr + i), channel32(rg, b128, rgToCr, bToCr));
    }
    return i;
}

QUILL_AVX2 void avx2BgrToYcc(const std::uint8_t* bgr, std::uint8_t* y, std::uint8_t* cb, std::uint8_t* cr,
                             int count) {
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i none = _mm256_setzero_si256();
    const __m256i centre = _mm256_set1_epi32(128 << 14);
    const __m256i rgToY = factorPair(kRToY, kGToY), bToY = factorPair(kBToY, 8192);
    const __m256i rgToCb = factorPair(kRToCb, kGToCb), bToCb = factorPair(kBToCb, 8192);
    const __m256i rgToCr = factorPair(kRToCr, kGToCr), bToCr = factorPair(kBToCr, 8192);
    int i = bgrToYcc32(bgr, y, cb, cr, count);
    for (; i + 16 <= count; i += 16) {
        __m128i planes[3];
        deinterleave(bgr + 3 * i, planes);
        const __m256i b = _mm256_cvtepu8_epi16(planes[0]), g = _mm256_cvtepu8_epi16(planes[1]),
                      r = _mm256_cvtepu8_epi16(planes[2]);
        const __m256i rgLo = _mm256_unpacklo_epi16(r, g), rgHi = _mm256_unpackhi_epi16(r, g);
        const __m256i bLo = _mm256_unpacklo_epi16(b, one), bHi = _mm256_unpackhi_epi16(b, one);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(y + i), channel(rgLo, rgHi, bLo, bHi, rgToY, bToY, none));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cb + i), channel(rgLo, rgHi, bLo, bHi, rgToCb, bToCb, centre));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cr + i), channel(rgLo, rgHi, bLo, bHi, rgToCr, bToCr, centre));
    }
    if (i < count) detail::plainKernels.bgrToYcc(bgr + 3 * i, y + i, cb + i, cr + i, count - i);
}

}  // namespace

namespace detail {
const Kernels avx2Kernels{avx2InverseDct, avx2ForwardDct, avx2Quantise, avx2YccToBgr, avx2BgrToYcc};
}

}  // namespace imaging
