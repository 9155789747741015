#include "imaging/bmp.hpp"

#include <cstring>

#include "imaging/little_endian.hpp"

namespace imaging {

BmpLayout bmpLayout(int width, int height, int bytesPerPixel) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bytesPerPixel = bytesPerPixel;
    layout.stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    layout.pixelOffset = kBmpHeaderSize + (bytesPerPixel == 1 ? kGreyPaletteSize : 0);
    layout.fileSize = layout.pixelOffset + layout.stride * static_cast<std::size_t>(height);
    return layout;
}

void writeBmpHeader(const BmpLayout& layout, std::uint8_t* out) {
    std::memset(out, 0, layout.pixelOffset);
    out[0] = 'B';
    out[1] = 'M';
    writeLe32(out + 2, static_cast<std::uint32_t>(layout.fileSize));
    writeLe32(out + 10, static_cast<std::uint32_t>(layout.pixelOffset));
    writeLe32(out + 14, 40);
    writeLe32(out + 18, static_cast<std::uint32_t>(layout.width));
    writeLe32(out + 22, static_cast<std::uint32_t>(layout.height));
    writeLe16(out + 26, 1);
    writeLe16(out + 28, static_cast<std::uint32_t>(layout.bytesPerPixel * 8));
    // The image size counts the pixel bytes without the row padding.
    writeLe32(out + 34, static_cast<std::uint32_t>(layout.width) * layout.bytesPerPixel *
                        static_cast<std::uint32_t>(layout.height));
    if (layout.bytesPerPixel == 1) {
        for (int i = 0; i < 256; ++i) {
            std::uint8_t* entry = out + kBmpHeaderSize + 4 * i;
            entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
        }
    }
}

std::vector<std::uint8_t> bmpToFullColour(const BmpSource& bmp) {
    const BmpLayout layout = bmpLayout(bmp.width, bmp.height, 3);
    std::vector<std::uint8_t> file(layout.fileSize);
    writeBmpHeader(layout, file.data());
    for (int y = 0; y < bmp.height; ++y) bmpRowToBgr(bmp, y, bmpRow(layout, file.data(), y));
    return file;
}

}  // namespace imaging
