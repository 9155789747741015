// libFuzzer target: any bytes through the BMP reader into a pixel buffer; what it reads
// must come back the same through a 24-bit BMP file written from it and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/bmp.hpp"
#include "platform/bmp_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) return 0;
    platform::BmpSource bmp;
    if (platform::parseBmp(data, size, bmp) != 0) return 0;
    const auto pixels = platform::bmpToPixels(bmp);
    if (!pixels) return 0;
    if (pixels->width() != bmp.width || pixels->height() != bmp.height) std::abort();

    const std::vector<std::uint8_t> file = imaging::bmpToFullColour(bmp);
    platform::BmpSource again;
    if (platform::parseBmp(file.data(), file.size(), again) != 0) std::abort();
    if (again.bitsPerPixel != 24 || again.width != bmp.width || again.height != bmp.height) std::abort();
    const auto reread = platform::bmpToPixels(again);
    if (!reread || !(*reread == *pixels)) std::abort();
    return 0;
}
