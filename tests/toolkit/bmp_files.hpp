#pragma once
// BMP files made byte by byte for the bitmap tests: every depth, either row order, a
// colour table of any length, bit-field masks.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace toolkit::test {

struct BmpSpec {
    int width = 1;
    int height = 1;
    int bits = 24;
    bool topDown = false;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB; its length is written as the colours used
    std::vector<std::uint32_t> masks;    // red, green, blue: written as bit fields when given
    // The stored value of pixel (x, y), y from the top: a palette index, a 16- or 32-bit
    // word, or 0x00RRGGBB for 24 bits.
    std::function<std::uint32_t(int x, int y)> value;
    bool countColours = true;  // false: the header says 0 colours used (the depth's full table)
};

inline void putLe(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::string bmpBytes(const BmpSpec& s) {
    const std::size_t stride = ((static_cast<std::size_t>(s.width) * s.bits + 31) / 32) * 4;
    std::string pixels(stride * s.height, '\0');
    for (int y = 0; y < s.height; ++y) {
        const int stored = s.topDown ? y : s.height - 1 - y;
        auto* row = reinterpret_cast<std::uint8_t*>(pixels.data()) + stored * stride;
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.value(x, y);
            if (s.bits < 8) {
                const int perByte = 8 / s.bits, shift = 8 - s.bits * (x % perByte + 1);
                row[x / perByte] |= static_cast<std::uint8_t>(v << shift);
            } else if (s.bits == 24) {
                row[3 * x] = v & 0xFF;  // blue
                row[3 * x + 1] = (v >> 8) & 0xFF;
                row[3 * x + 2] = (v >> 16) & 0xFF;
            } else {
                for (int i = 0; i < s.bits / 8; ++i) row[x * (s.bits / 8) + i] = (v >> (8 * i)) & 0xFF;
            }
        }
    }
    std::string table;
    for (std::uint32_t c : s.palette) putLe(table, c, 4);
    for (std::uint32_t m : s.masks) putLe(table, m, 4);
    const std::uint32_t offset = static_cast<std::uint32_t>(54 + table.size());
    std::string out = "BM";
    putLe(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    putLe(out, 0, 4);
    putLe(out, offset, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(s.width), 4);
    putLe(out, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height), 4);
    putLe(out, 1, 2);
    putLe(out, static_cast<std::uint32_t>(s.bits), 2);
    putLe(out, s.masks.empty() ? 0 : 3, 4);
    putLe(out, static_cast<std::uint32_t>(pixels.size()), 4);
    putLe(out, 2835, 4);
    putLe(out, 2835, 4);
    putLe(out, s.countColours ? static_cast<std::uint32_t>(s.palette.size()) : 0, 4);
    putLe(out, 0, 4);
    return out + table + pixels;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace toolkit::test
