#pragma once
// The JPEG decoder: baseline and progressive, 8-bit, grey or YCbCr, into a BMP file image.

#include <cstddef>
#include <cstdint>

#include "imaging/bmp.hpp"
#include "imaging/jpeg_frame.hpp"
#include "imaging/kernels.hpp"

namespace imaging {

struct JpegHeaderInfo {
    Frame frame;
    BmpLayout layout;
    bool hasScan = false;  // false: EOI came before the first scan
};

// Reads the headers up to the first scan. Returns the BMP file size, or a negative
// decode_result.
int readJpegHeaders(const std::uint8_t* data, std::size_t size, JpegHeaderInfo& info);

// Decodes the whole image into `out` (capacity bytes, at least the size the headers
// give). Returns the BMP file size; Truncated when the data ends early (the BMP is
// complete, with the rows that were not decoded left zero); or a negative decode_result.
int decodeJpeg(const std::uint8_t* data, std::size_t size, std::uint8_t* out, std::size_t capacity,
               const Kernels& kernels, JpegHeaderInfo& info);

}  // namespace imaging
