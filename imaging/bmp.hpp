#pragma once
// BMP files: the fixed header the decoder writes, and a reader of the BMP layouts the
// encoder and BITMAP2FULLCOLOR take (1, 4, 8, 16, 24 and 32 bits, bottom-up or top-down).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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

// Results of reading a BMP for the encoder.
namespace bmp_result {
inline constexpr int NotBmp = -2;
inline constexpr int UnsupportedDepth = -3;
inline constexpr int BadLayout = -4;
}  // namespace bmp_result

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

// Checks every size and offset against the data; 0 or a bmp_result.
int parseBmp(const std::uint8_t* data, std::size_t size, BmpSource& bmp);
// An 8-bit image whose palette holds only greys: it is coded as one component.
bool bmpIsGrey(const BmpSource& bmp);
// Row y from the top as blue, green, red bytes (width * 3).
void bmpRowToBgr(const BmpSource& bmp, int y, std::uint8_t* bgr);
// Row y from the top of a grey image as grey levels (width bytes).
void bmpRowToGrey(const BmpSource& bmp, int y, std::uint8_t* grey);

// The image as a complete 24-bit BMP file (what BITMAP2FULLCOLOR writes).
std::vector<std::uint8_t> bmpToFullColour(const BmpSource& bmp);

}  // namespace imaging
