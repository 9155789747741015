#pragma once
// BMP files: the fixed header the decoder writes, and the reader of the BMP layouts the
// encoder and BITMAP2FULLCOLOR take (1, 4, 8, 16, 24 and 32 bits, bottom-up or top-down).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bmp_reader.hpp"

namespace imaging {

struct BmpLayout {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;  // 1 grey, 3 colour
    std::size_t stride = 0;
    std::size_t pixelOffset = 0;
    std::size_t fileSize = 0;
};

inline constexpr std::size_t kBmpHeaderSize = 54;
inline constexpr std::size_t kGreyPaletteSize = 1024;

BmpLayout bmpLayout(int width, int height, int bytesPerPixel);
// The header (and for grey the palette) at the start of `out`, which holds fileSize bytes.
void writeBmpHeader(const BmpLayout& layout, std::uint8_t* out);
// Row y counted from the top of the image.
inline std::uint8_t* bmpRow(const BmpLayout& layout, std::uint8_t* out, int y) {
    return out + layout.pixelOffset + static_cast<std::size_t>(layout.height - 1 - y) * layout.stride;
}

// The reader is the window system's, shared with the toolkit's bitmaps.
namespace bmp_result = platform::bmp_result;
using platform::BmpSource;
using platform::bmpIsGrey;
using platform::bmpRowToBgr;
using platform::bmpRowToGrey;
using platform::parseBmp;

// The image as a complete 24-bit BMP file (what BITMAP2FULLCOLOR writes).
std::vector<std::uint8_t> bmpToFullColour(const BmpSource& bmp);

}  // namespace imaging
