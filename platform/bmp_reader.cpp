#include "platform/bmp_reader.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace platform {

namespace {

// Little-endian header fields; the caller has checked that the bytes are there.
std::uint32_t readLe16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t readLe32(const std::uint8_t* p) { return readLe16(p) | (readLe16(p + 2) << 16); }

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// A value under `mask`, scaled to 0..255.
std::uint8_t extractChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const std::uint32_t top = mask >> shift;
    int bits = 0;
    while (bits < 32 && ((top >> bits) & 1) != 0) ++bits;
    const std::uint32_t maxValue = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    const std::uint32_t v = ((pixel & mask) >> shift) & maxValue;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) * 255 + maxValue / 2) / maxValue);
}

}  // namespace

int parseBmp(const std::uint8_t* data, std::size_t size, BmpSource& bmp) {
    using namespace bmp_result;
    if (size < 26 || data[0] != 'B' || data[1] != 'M') return NotBmp;
    const std::uint32_t pixelOffset = readLe32(data + 10);
    const std::uint32_t infoSize = readLe32(data + 14);
    if (infoSize < 12 || 14 + static_cast<std::size_t>(infoSize) > size) return BadLayout;
    const std::uint8_t* info = data + 14;
    std::int64_t width = 0, height = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    int paletteEntryBytes = 4;
    if (infoSize == 12) {
        width = readLe16(info + 4);
        height = static_cast<std::int16_t>(readLe16(info + 6));
        bmp.bitsPerPixel = static_cast<int>(readLe16(info + 10));
        paletteEntryBytes = 3;
    } else {
        if (infoSize < 40) return BadLayout;
        width = static_cast<std::int32_t>(readLe32(info + 4));
        height = static_cast<std::int32_t>(readLe32(info + 8));
        bmp.bitsPerPixel = static_cast<int>(readLe16(info + 14));
        compression = readLe32(info + 16);
        coloursUsed = readLe32(info + 32);
    }
    if (width <= 0 || height == 0 || width > 0x7FFF || height < -0x7FFF || height > 0x7FFF) return BadLayout;
    bmp.width = static_cast<int>(width);
    bmp.topDown = height < 0;
    bmp.height = static_cast<int>(height < 0 ? -height : height);
    const int bpp = bmp.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return UnsupportedDepth;
    if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32))) {
        return UnsupportedDepth;
    }
    if (bpp <= 8) {
        const std::uint32_t maxColours = 1u << bpp;
        std::uint32_t count = coloursUsed == 0 || coloursUsed > maxColours ? maxColours : coloursUsed;
        const std::size_t paletteStart = 14 + static_cast<std::size_t>(infoSize);
        // A table cut short by the pixels (a file that counts no colours but holds only a
        // few): the entries before the pixels are the table, the indexes past it black.
        if (pixelOffset >= paletteStart)
            count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>((pixelOffset - paletteStart) / paletteEntryBytes));
        if (paletteStart + count * paletteEntryBytes > size) return BadLayout;
        bmp.paletteSize = static_cast<int>(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data + paletteStart + i * paletteEntryBytes;
            bmp.palette[i] = e[0] | (e[1] << 8) | (static_cast<std::uint32_t>(e[2]) << 16);
        }
    } else if (compression == kBiBitfields) {
        // The masks follow a 40-byte header, or sit inside the larger ones.
        if (14 + 40 + 12 > size) return BadLayout;
        for (int i = 0; i < 3; ++i) bmp.masks[i] = readLe32(data + 14 + 40 + 4 * i);
    } else if (bpp == 16) {
        bmp.masks[0] = 0x7C00;
        bmp.masks[1] = 0x03E0;
        bmp.masks[2] = 0x001F;
    } else if (bpp == 32) {
        bmp.masks[0] = 0xFF0000;
        bmp.masks[1] = 0x00FF00;
        bmp.masks[2] = 0x0000FF;
    }
    bmp.stride = ((static_cast<std::size_t>(bmp.width) * bpp + 31) / 32) * 4;
    if (pixelOffset > size || bmp.stride * bmp.height > size - pixelOffset) return BadLayout;
    bmp.pixels = data + pixelOffset;
    return 0;
}

bool bmpIsGrey(const BmpSource& bmp) {
    if (bmp.bitsPerPixel != 8) return false;
    for (int i = 0; i < bmp.paletteSize; ++i) {
        const std::uint32_t c = bmp.palette[i];
        if ((c & 0xFF) != ((c >> 8) & 0xFF) || (c & 0xFF) != ((c >> 16) & 0xFF)) return false;
    }
    return true;
}

namespace {

const std::uint8_t* rowStart(const BmpSource& bmp, int y) {
    const int stored = bmp.topDown ? y : bmp.height - 1 - y;
    return bmp.pixels + static_cast<std::size_t>(stored) * bmp.stride;
}

// Palette index of pixel x in a row of 1, 4 or 8 bits.
int paletteIndex(const std::uint8_t* row, int x, int bpp) {
    if (bpp == 8) return row[x];
    const int perByte = 8 / bpp;
    const int shift = 8 - bpp * (x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1 << bpp) - 1);
}

}  // namespace

void bmpRowToBgr(const BmpSource& bmp, int y, std::uint8_t* bgr) {
    const std::uint8_t* row = rowStart(bmp, y);
    const int bpp = bmp.bitsPerPixel;
    if (bpp == 24) {
        std::memcpy(bgr, row, static_cast<std::size_t>(bmp.width) * 3);
        return;
    }
    for (int x = 0; x < bmp.width; ++x) {
        std::uint8_t* out = bgr + 3 * x;
        if (bpp == 24) {
            out[0] = row[3 * x];
            out[1] = row[3 * x + 1];
            out[2] = row[3 * x + 2];
        } else if (bpp <= 8) {
            const int index = paletteIndex(row, x, bpp);
            // An index past the palette shows black, as the picture viewers do.
            const std::uint32_t c = index < bmp.paletteSize ? bmp.palette[index] : 0;
            out[0] = static_cast<std::uint8_t>(c);
            out[1] = static_cast<std::uint8_t>(c >> 8);
            out[2] = static_cast<std::uint8_t>(c >> 16);
        } else {
            const std::uint32_t pixel = bpp == 16 ? readLe16(row + 2 * x) : readLe32(row + 4 * x);
            out[0] = extractChannel(pixel, bmp.masks[2]);
            out[1] = extractChannel(pixel, bmp.masks[1]);
            out[2] = extractChannel(pixel, bmp.masks[0]);
        }
    }
}

void bmpRowToGrey(const BmpSource& bmp, int y, std::uint8_t* grey) {
    const std::uint8_t* row = rowStart(bmp, y);
    for (int x = 0; x < bmp.width; ++x) {
        const int index = row[x];
        grey[x] = index < bmp.paletteSize ? static_cast<std::uint8_t>(bmp.palette[index]) : 0;
    }
}

namespace {

// The pixels of one row of a BMP as B, G, R, 0 into `out` (width * 4 bytes). Every depth
// reads only within the row's stride, which parseBmp checked lies inside the file.
class RowConverter {
public:
    explicit RowConverter(const BmpSource& bmp) : bmp_(bmp) {
        // Every index a row can hold has an entry: an index past the palette shows black.
        for (int i = 0; i < bmp.paletteSize; ++i) {
            const std::uint32_t c = bmp.palette[i];
            table_[i] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                         static_cast<std::uint8_t>(c >> 16), 0};
        }
        plainMasks_ = bmp.masks[0] == 0xFF0000 && bmp.masks[1] == 0x00FF00 && bmp.masks[2] == 0x0000FF;
    }

    void convert(int y, std::uint8_t* out) const {
        const std::uint8_t* row = rowStart(bmp_, y);
        const int width = bmp_.width;
        switch (bmp_.bitsPerPixel) {
        case 24:
            // Four bytes at a time, the fourth (the next pixel's blue) cleared; the last
            // pixel takes its three alone, since its fourth may lie past the file's end.
            for (int x = 0; x + 1 < width; ++x, row += 3, out += 4) {
                std::memcpy(out, row, 4);
                out[3] = 0;
            }
            std::memcpy(out, row, 3);
            out[3] = 0;
            return;
        case 32:
            if (plainMasks_) {
                for (int x = 0; x < width; ++x, row += 4, out += 4) {
                    std::memcpy(out, row, 3);
                    out[3] = 0;
                }
                return;
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x, out += 4) std::memcpy(out, table_[row[x]].data(), 4);
            return;
        case 4:
        case 1:
            for (int x = 0; x < width; ++x, out += 4)
                std::memcpy(out, table_[paletteIndex(row, x, bmp_.bitsPerPixel)].data(), 4);
            return;
        default: break;
        }
        // 16 bits and 32 bits under masks of their own: each channel scaled to 0..255.
        const bool wide = bmp_.bitsPerPixel == 32;
        for (int x = 0; x < width; ++x, out += 4) {
            const std::uint32_t pixel = wide ? readLe32(row + 4 * x) : readLe16(row + 2 * x);
            out[0] = extractChannel(pixel, bmp_.masks[2]);
            out[1] = extractChannel(pixel, bmp_.masks[1]);
            out[2] = extractChannel(pixel, bmp_.masks[0]);
            out[3] = 0;
        }
    }

private:
    const BmpSource& bmp_;
    std::array<std::array<std::uint8_t, 4>, 256> table_{};
    bool plainMasks_ = false;
};

}  // namespace

std::optional<PixelBuffer> bmpToPixels(const BmpSource& bmp) {
    if (!PixelBuffer::fits(bmp.width, bmp.height)) return std::nullopt;
    try {
        // Made black (zero bytes, no fill pass); the rows below overwrite every byte.
        PixelBuffer buffer(bmp.width, bmp.height, 0);
        const RowConverter converter(bmp);
        for (int y = 0; y < bmp.height; ++y) converter.convert(y, buffer.row(y));
        return buffer;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace platform
