#pragma once
// Little-endian 16- and 32-bit fields, as BMP headers store them. The caller has checked
// that the bytes are there.

#include <cstdint>

namespace imaging {

inline std::uint32_t readLe16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

inline std::uint32_t readLe32(const std::uint8_t* p) { return readLe16(p) | (readLe16(p + 2) << 16); }

inline void writeLe16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void writeLe32(std::uint8_t* p, std::uint32_t v) {
    writeLe16(p, v & 0xFFFF);
    writeLe16(p + 2, v >> 16);
}

}  // namespace imaging
