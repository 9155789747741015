#pragma once
// The JPEG encoder: a JFIF file from a BMP image, baseline or progressive.

#include <cstddef>
#include <cstdint>

#include "imaging/bmp.hpp"
#include "imaging/kernels.hpp"

namespace imaging {

namespace encode_result {
inline constexpr int NotBmp = -2;
inline constexpr int UnsupportedDepth = -3;
inline constexpr int BadLayout = -4;
inline constexpr int TooWide = -5;
inline constexpr int NoSizeQuery = -1;
inline constexpr int WriteFailed = -100;
}  // namespace encode_result

struct EncodeLayout {
    bool grey = false;
    bool progressive = false;
    int lumaH = 2, lumaV = 2;  // sampling factors of the first component
};

// The layout the flags choose for this image; grey images have one component.
EncodeLayout encodeLayout(const BmpSource& bmp, int flags);

// The output buffer size the encoder needs at most (negative when the image is too
// wide or too large to encode).
std::int64_t encodeBound(const BmpSource& bmp, const EncodeLayout& layout);

// Flat 8x8 blocks (one sample value) are transformed once per value and reused; tests
// switch that off to prove the output is the same either way.
void useFlatBlockCache(bool use);

// Encodes into `out`; returns the byte count or a negative encode_result.
int encodeJpeg(const BmpSource& bmp, const EncodeLayout& layout, int quality, std::uint8_t* out,
               std::size_t capacity, const Kernels& kernels);

}  // namespace imaging
