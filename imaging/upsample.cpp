#include "imaging/upsample.hpp"

#include <emmintrin.h>

namespace imaging {

namespace {

__m128i load8(const std::uint8_t* p) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
}

// Interleaves eight even and eight odd 16-bit results into sixteen output bytes.
void storePairs(std::uint8_t* out, __m128i even, __m128i odd) {
    const __m128i packed = _mm_packus_epi16(even, odd);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(packed, _mm_srli_si128(packed, 8)));
}

}  // namespace

// The inner samples go eight at a time (SSE2 is part of every x86-64 processor); the
// first and last sample, whose neighbour is missing, and the tail go one by one with the
// same arithmetic.
void upsampleHorizontal(const std::uint8_t* in, int width, std::uint8_t* out) {
    const auto one = [&](int i) {
        const int centre = 3 * in[i];
        const int left = in[i > 0 ? i - 1 : 0];
        const int right = in[i + 1 < width ? i + 1 : i];
        // Alternating rounding keeps the average level unbiased.
        out[2 * i] = static_cast<std::uint8_t>((centre + left + 1) >> 2);
        out[2 * i + 1] = static_cast<std::uint8_t>((centre + right + 2) >> 2);
    };
    one(0);
    int i = 1;
    const __m128i bias1 = _mm_set1_epi16(1), bias2 = _mm_set1_epi16(2);
    for (; i + 9 <= width; i += 8) {
        const __m128i left = load8(in + i - 1), current = load8(in + i), right = load8(in + i + 1);
        const __m128i centre = _mm_add_epi16(_mm_add_epi16(current, current), current);
        const __m128i even = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(centre, left), bias1), 2);
        const __m128i odd = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(centre, right), bias2), 2);
        storePairs(out + 2 * i, even, odd);
    }
    for (; i < width; ++i) one(i);
}

void upsampleBoth(const std::uint8_t* near, const std::uint8_t* far, int width, std::uint8_t* out) {
    const auto column = [&](int i) { return 3 * near[i] + far[i]; };
    const auto one = [&](int i) {
        const int current = column(i);
        const int previous = column(i > 0 ? i - 1 : 0);
        const int next = column(i + 1 < width ? i + 1 : i);
        out[2 * i] = static_cast<std::uint8_t>((3 * current + previous + 8) >> 4);
        out[2 * i + 1] = static_cast<std::uint8_t>((3 * current + next + 7) >> 4);
    };
    one(0);
    int i = 1;
    const __m128i bias8 = _mm_set1_epi16(8), bias7 = _mm_set1_epi16(7);
    const auto columns = [&](int at) {
        const __m128i n = load8(near + at);
        return _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(n, n), n), load8(far + at));
    };
    for (; i + 9 <= width; i += 8) {
        const __m128i previous = columns(i - 1), current = columns(i), next = columns(i + 1);
        const __m128i centre = _mm_add_epi16(_mm_add_epi16(current, current), current);
        const __m128i even = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(centre, previous), bias8), 4);
        const __m128i odd = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(centre, next), bias7), 4);
        storePairs(out + 2 * i, even, odd);
    }
    for (; i < width; ++i) one(i);
}

}  // namespace imaging
