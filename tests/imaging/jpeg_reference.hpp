#pragma once
// Test images and libjpeg-turbo as the reference codec: it writes the JPEG files the
// decoder is tested on and reads the ones the encoder writes.

#include <cstdint>
#include <string>
#include <vector>

namespace imaging_test {

// Pixels top-down, RGB (3 channels) or grey (1 channel), rows packed.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> pixels;
};

// Smooth gradients and waves with a little noise, like a chart screenshot or photo.
Image makePhotoLike(int width, int height, int channels, std::uint32_t seed = 1);

struct ReferenceOptions {
    int quality = 90;
    int lumaH = 2, lumaV = 2;  // ignored for grey
    int restartInterval = 0;   // in MCUs
    bool progressive = false;
};

std::vector<std::uint8_t> referenceEncode(const Image& image, const ReferenceOptions& options);
// Decodes with the reference; an empty image when it refuses the data.
Image referenceDecode(const std::vector<std::uint8_t>& jpeg);

// Our decoder through the exports: mode 0, then mode 1. `result` gets the mode-1 result
// (or the mode-0 one when that failed); the BMP file is returned.
std::vector<std::uint8_t> decodeWithLibrary(const std::vector<std::uint8_t>& jpeg, int& result);
// Our encoder through the exports; empty on failure.
std::vector<std::uint8_t> encodeWithLibrary(const std::vector<std::uint8_t>& bmp, int quality, int flags,
                                            int& result);

// A BMP file of the image: 24-bit, or 8-bit with a grey palette.
std::vector<std::uint8_t> makeBmp(const Image& image);
// The pixels of a BMP file the decoder wrote, top-down, RGB or grey.
Image bmpPixels(const std::vector<std::uint8_t>& bmp);

double psnr(const Image& a, const Image& b);

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t offset);

std::vector<std::uint8_t> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool fileExists(const std::string& path);
// A fresh empty folder for one test.
std::string scratchFolder(const std::string& name);

}  // namespace imaging_test
