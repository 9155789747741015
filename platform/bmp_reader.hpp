#pragma once
// A reader of the BMP layouts chart files come in (1, 4, 8, 16, 24 and 32 bits, with or
// without a colour table, bottom-up or top-down), for the toolkit's bitmaps and the image
// library's encoder. Every size and offset is checked against the data before it is used.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/pixel_buffer.hpp"

namespace platform {

// Results of reading a BMP.
namespace bmp_result {
inline constexpr int NotBmp = -2;
inline constexpr int UnsupportedDepth = -3;
inline constexpr int BadLayout = -4;
}  // namespace bmp_result

// A parsed BMP: its geometry and colour table, and a pointer into the caller's bytes.
struct BmpSource {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool topDown = false;
    const std::uint8_t* pixels = nullptr;
    std::size_t stride = 0;
    std::array<std::uint32_t, 256> palette{};  // 0x00RRGGBB
    int paletteSize = 0;
    std::uint32_t masks[3] = {};  // red, green, blue for 16 and 32 bits
};

// A whole file from its "BM": 0 or a bmp_result.
int parseBmp(const std::uint8_t* data, std::size_t size, BmpSource& bmp);
// An 8-bit image whose palette holds only greys: the encoder codes it as one component.
bool bmpIsGrey(const BmpSource& bmp);
// Row y from the top as blue, green, red bytes (width * 3). An index past a short colour
// table gives black.
void bmpRowToBgr(const BmpSource& bmp, int y, std::uint8_t* bgr);
// Row y from the top of a grey image as grey levels (width bytes).
void bmpRowToGrey(const BmpSource& bmp, int y, std::uint8_t* grey);

// The image as a pixel buffer (top row first); nothing when it is too large to hold.
std::optional<PixelBuffer> bmpToPixels(const BmpSource& bmp);

}  // namespace platform
